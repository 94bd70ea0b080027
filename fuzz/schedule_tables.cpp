// Arbitrary schedule, day plan and action tables on a small simulated
// sign, read back by tqGetScheduleList, then an item deleted and one sent
// with tqSendSchedules: every result is a code, never a crash or overrun.
// The sign is opened once; each input patches its tables and limits.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "dmscontent/dmscontent.h"
#include "tqdms/tqsim.h"

namespace {

struct Bytes {
    const uint8_t* p;
    size_t n;
    uint8_t next() {
        if (!n) return 0;
        --n;
        return *p++;
    }
    uint16_t next16() { return static_cast<uint16_t>(next() | next() << 8); }
};

// Action texts: mostly well-formed references, sometimes odd ones.
std::string actionText(Bytes& b) {
    uint8_t kind = b.next();
    if (kind < 160) return ".1.3.6.1.4.1.1206.4.2.3.8.2.1.1." + std::to_string(kind % 12);
    static const char alphabet[] = "0123456789..-x ";
    std::string t;
    for (int len = b.next() % 24; len > 0; --len) t += alphabet[b.next() % (sizeof alphabet - 1)];
    return t;
}

void DMS_CALL quiet(const char*, void*) {}

bool openSign() {
    dmsSetLogSink(quiet, nullptr);  // every new item would log a line
    if (tqsimOpenMemory(nullptr) != 0) return false;
    tqsimSetJournal(0);
    DeviceInitParameters params{};
    return tqDMSInitNotVerify(&params) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = openSign();
    if (!ready) std::abort();
    tqsimClearFaults();
    Bytes b{data, size};
    using nlohmann::json;
    json limits = {{"maxScheduleEntries", b.next() % 7}, {"maxDayPlans", b.next() % 7},
                   {"maxDayPlanEvents", b.next() % 7}, {"actionRows", b.next() % 13}};
    json schedules = json::array(), dayPlans = json::array(), actions = json::array();
    for (int i = b.next() % 8; i > 0; --i)
        schedules.push_back({{"row", 1 + b.next() % 7}, {"dayPlan", b.next() % 8}, {"month", b.next16()},
                             {"day", b.next()}, {"date", b.next16()}});
    for (int i = b.next() % 24; i > 0; --i)
        dayPlans.push_back({{"dayPlan", 1 + b.next() % 7}, {"event", 1 + b.next() % 7}, {"hour", b.next()},
                            {"minute", b.next()}, {"action", actionText(b)}});
    for (int i = b.next() % 12; i > 0; --i)
        actions.push_back({{"row", 1 + b.next() % 12}, {"memoryType", b.next() % 9}, {"number", b.next() % 4},
                           {"crc", b.next()}});
    json patch = {{"limits", limits}, {"timebase", {{"schedules", schedules}, {"dayPlans", dayPlans}, {"actions", actions}}}};
    if (tqsimPatchState(patch.dump().c_str()) != 0) return 0;

    std::vector<ScheduleItem> items(1 + b.next() % 40);
    std::vector<TimeBaseSchedule> rows(1 + b.next() % 8);
    int32_t n = static_cast<int32_t>(items.size()), r = static_cast<int32_t>(rows.size());
    uint32_t rc = tqGetScheduleList(items.data(), &n, rows.data(), &r);
    if (n < 0 || n > static_cast<int32_t>(items.size()) || r < 0 || r > static_cast<int32_t>(rows.size())) std::abort();

    ScheduleItem one{};
    if (rc == 0 && n > 0) one = items[b.next() % n];
    int32_t count = 1;
    tqDeleteScheduleList(&one, &count);
    if (count < 0 || count > 1) std::abort();

    ScheduleItem add{};
    add.month = b.next16();
    add.day = b.next();
    add.hour = b.next() % 24;
    add.minute = b.next() % 60;
    add.memoryType = static_cast<uint8_t>(3 + b.next() % 2);
    add.messageNumber = b.next() % 4;
    count = 1;
    tqSendSchedules(&add, &count);
    if (count < 0 || count > 1) std::abort();
    return 0;
}
