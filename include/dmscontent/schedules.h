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
 * capacities on entry and the numbers listed on return. Every schedule row
 * in use is listed: rows whose day plan is 0 are skipped, not taken as the
 * end of the table (a replacement leaves the rows before its own out of
 * use). A day plan's events are listed up to its first free event. */
DMS_API uint32_t DMS_CALL tqGetScheduleList(ScheduleItem* items, int32_t* itemCount, TimeBaseSchedule* schedules,
                                            int32_t* scheduleCount);

/* Adds the items the sign does not hold yet. On return *count is the number
 * of new items, moved in their order to the front of items.
 * Nothing another schedule uses is taken over. A new timetable gets a new
 * day plan at the first gap in the listed day plan numbers (else one above
 * the last, else 1), but only a number that no schedule row names, whose
 * own schedule row is out of use and whose event 1 is free; otherwise the
 * next such number above it, then below it; DMS_E_NO_FREE when there is
 * none.
 * A message without an action row reuses a row only when no listed item
 * shows that row's message and no day plan event names the row, listed or
 * not. To know this, every event of every day plan is read.
 * A new event number is one whose event is free on the sign, listed or
 * not (the listing stops a day plan at its first free event): a number the
 * usual order (below, between, then above the listed events) would give
 * that is held gives way to the lowest free one; DMS_E_NO_FREE when none is
 * left up to maxDayPlanEvents.
 * Every item is checked first: an hour above 23, a minute above 59 or a
 * memory type above 7 gives DMS_E_ARGUMENT with the sign, items and *count
 * untouched.
 * Day plans, event numbers and action rows are all chosen before the first
 * write, so DMS_E_FULL and DMS_E_NO_FREE also leave the sign untouched; only
 * a device failure after the first write leaves the tables as far as
 * written. */
DMS_API uint32_t DMS_CALL tqSendSchedules(ScheduleItem* items, int32_t* count);

/* Rewrites the given day plans from scratch. schedules and scheduleCount are
 * given together or not at all; without them the schedule rows are derived
 * from the items.
 * Every item and schedule row is checked before the first write, and a bad
 * one leaves the sign untouched: DMS_E_ARGUMENT for a day plan outside
 * 1..maxDayPlans, an hour above 23, a minute above 59 or a memory type
 * above 7; DMS_E_NO_FREE for
 * more schedule rows than the sign has, a day plan whose schedule row (the
 * row of its own number) the sign lacks, more events in one day plan than
 * maxDayPlanEvents or more than 128 messages. A device failure after the
 * first write leaves the tables as far as they were written. */
DMS_API uint32_t DMS_CALL tqSendSchedulesWithClear(ScheduleItem* items, int32_t* itemCount,
                                                   TimeBaseSchedule* schedules, int32_t* scheduleCount);

/* Clears the day plan events of the sign's schedules that match the items
 * (the schedules tqGetScheduleList lists); those items come back with their
 * timetable fields zeroed. *count is the number of events cleared on
 * return. */
DMS_API uint32_t DMS_CALL tqDeleteScheduleList(ScheduleItem* items, int32_t* count);

#endif /* DMSCONTENT_SCHEDULES_H */
