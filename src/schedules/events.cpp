// Event numbers for the new entries of a day plan: the usual order below,
// between and above the sign's events, never a number another event holds.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "dmscontent/common.h"
#include "schedules/schedule.h"

namespace dms {
namespace {

// Whether new entry k may take number n: within 1..maxEvents, not held on
// the sign and given to no other entry (the sign's, or a new one before k).
bool usable(int64_t n, const std::vector<int64_t>& ev, const std::vector<bool>& fresh, size_t k, uint32_t maxEvents,
            const std::vector<bool>* held) {
    if (n < 1 || n > static_cast<int64_t>(maxEvents)) return false;
    if (held && (static_cast<uint64_t>(n) >= held->size() || (*held)[static_cast<size_t>(n)])) return false;
    for (size_t j = 0; j < ev.size(); ++j)
        if (j != k && (j < k || !fresh[j]) && ev[j] == n) return false;
    return true;
}

// The lowest number new entry k may take, 0 when none. The other entries
// rule out at most ev.size() - 1 numbers, so held aside the search ends
// by ev.size() + 1.
int64_t lowestUsable(const std::vector<int64_t>& ev, const std::vector<bool>& fresh, size_t k, uint32_t maxEvents,
                     const std::vector<bool>* held) {
    const uint64_t last = held ? held->size() : static_cast<uint64_t>(ev.size()) + 1;
    const int64_t end = static_cast<int64_t>(std::min<uint64_t>(last, maxEvents));
    for (int64_t n = 1; n <= end; ++n)
        if (usable(n, ev, fresh, k, maxEvents, held)) return n;
    return 0;
}

}  // namespace

uint32_t numberDayPlanEvents(std::vector<int64_t>& ev, const std::vector<bool>& fresh, uint32_t maxEvents,
                             const std::vector<bool>* held) {
    int64_t below = 0, between = 0, after = 0;
    for (size_t k = 0; k < ev.size(); ++k) {
        if (!fresh[k]) continue;
        if (k == 0) {
            ev[k] = 1;
        } else if (ev[0] - 1 > below) {
            ev[k] = ++below;
        } else {
            ++between;
            int64_t sum = 0;
            bool found = false;
            for (size_t m = 1; m < k && !found; ++m) {
                sum += ev[m] - ev[m - 1] - 1;
                if (sum >= between) {
                    ev[k] = ev[m - 1] + (sum - between) + 1;
                    found = true;
                }
            }
            if (!found) {
                ++after;
                int64_t back = static_cast<int64_t>(k) - (below + between);
                ev[k] = ev[static_cast<size_t>(std::max<int64_t>(back, 0))] + after;
            }
        }
        // The listing stops a day plan at its first free event, so the
        // events behind it are only known from held.
        if (!usable(ev[k], ev, fresh, k, maxEvents, held)) ev[k] = lowestUsable(ev, fresh, k, maxEvents, held);
        if (ev[k] == 0) return DMS_E_NO_FREE;
    }
    return 0;
}

}  // namespace dms
