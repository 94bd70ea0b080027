// Which day plan numbers and action rows the sign's tables already use,
// looking at every schedule row and every day plan event, so that an
// insertion takes nothing that another schedule still relies on.
#include <algorithm>

#include "frame/device.h"
#include "schedules/schedule.h"

namespace dms {

uint32_t readTableUse(const TimeBaseLimits& lim, const std::vector<uint32_t>& rowNumbers,
                      const TimeBaseSchedule* rows, TableUse& use) {
    // Day plans and their events are numbered 1..255 (NTCIP 1201): a sign
    // reporting more is not looked at beyond that.
    const uint32_t dayPlans = std::min<uint32_t>(lim.maxDayPlans, 255);
    const uint32_t events = std::min<uint32_t>(lim.maxDayPlanEvents, 255);
    use.dayPlanTaken.assign(static_cast<size_t>(dayPlans) + 1, false);
    use.actionNamed.assign(static_cast<size_t>(kMaxActionRows) + 1, false);
    use.eventHeld.assign(static_cast<size_t>(dayPlans) + 1, std::vector<bool>(static_cast<size_t>(events) + 1, false));
    auto take = [&use](uint32_t dayPlan) {
        if (dayPlan < use.dayPlanTaken.size()) use.dayPlanTaken[dayPlan] = true;
    };
    for (size_t i = 0; i < rowNumbers.size(); ++i) {
        take(rowNumbers[i]);  // a new day plan writes the row of its own number
        take(rows[i].dayPlan);
    }
    // Events behind a free one are not listed but may still run, so every
    // event is looked at.
    for (uint32_t d = 1; d <= dayPlans; ++d) {
        for (uint32_t e = 1; e <= events; ++e) {
            char text[128] = {0};
            uint32_t rc = tqGetTimeBaseDayPlanTable(static_cast<int>(d), static_cast<int>(e), NTCIP_DAY_PLAN_ACTION,
                                                    text, sizeof text);
            if (rc != 0) return rc;
            text[sizeof text - 1] = '\0';
            uint32_t row = actionRowOf(text);
            if (row == 0) continue;
            use.eventHeld[d][e] = true;
            if (e == 1) take(d);
            if (row < use.actionNamed.size()) use.actionNamed[row] = true;
        }
    }
    return 0;
}

}  // namespace dms
