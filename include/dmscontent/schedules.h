/*
 * schedules.h - showing messages on a timetable.
 *
 * The host sees a flat list of ScheduleItem records; the library maps them
 * onto the sign's time-base schedule, day plan and action tables.
 */
#ifndef DMSCONTENT_SCHEDULES_H
#define DMSCONTENT_SCHEDULES_H

#include "common.h"
#include "records.h"

/* Lists the sign's schedules: *itemCount and *scheduleCount are the
 * capacities on entry and the numbers listed on return. */
DMS_API uint32_t DMS_CALL tqGetScheduleList(ScheduleItem* items, int32_t* itemCount, TimeBaseSchedule* schedules,
                                            int32_t* scheduleCount);

/* Adds the items the sign does not hold yet. On return *count is the number
 * of new items, moved in their order to the front of items. */
DMS_API uint32_t DMS_CALL tqSendSchedules(ScheduleItem* items, int32_t* count);

/* Rewrites the given day plans from scratch. schedules and scheduleCount are
 * given together or not at all; without them the schedule rows are derived
 * from the items. */
DMS_API uint32_t DMS_CALL tqSendSchedulesWithClear(ScheduleItem* items, int32_t* itemCount,
                                                   TimeBaseSchedule* schedules, int32_t* scheduleCount);

/* Clears the day plan events of the sign's schedules that match the items;
 * those items come back with their timetable fields zeroed. *count is the
 * number of events cleared on return. */
DMS_API uint32_t DMS_CALL tqDeleteScheduleList(ScheduleItem* items, int32_t* count);

#endif /* DMSCONTENT_SCHEDULES_H */
