// dmsctl clock set|get: the sign clock with a time-zone index.
#include <cstdio>
#include <ctime>
#include <iostream>

#include "cli.h"
#include "dmscontent/dmscontent.h"
#include "dmsctl_api.h"

namespace dmsctl {
namespace {

const char* const kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

std::string offsetText(int32_t seconds) {
    char buf[16];
    int32_t a = seconds < 0 ? -seconds : seconds;
    std::snprintf(buf, sizeof buf, "UTC%c%02d:%02d", seconds < 0 ? '-' : '+', a / 3600, (a % 3600) / 60);
    return buf;
}

// "+05:30", "-3:30", "+1" or "UTC+05:30" to the zone table index.
int zoneOfOffset(std::string text) {
    if (text.rfind("UTC", 0) == 0) text = text.substr(3);
    int sign = 1, h = 0, m = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        sign = text[0] == '-' ? -1 : 1;
        text = text.substr(1);
    }
    if (std::sscanf(text.c_str(), "%d:%d", &h, &m) < 1) throw Failure{"bad offset '" + text + "'", 2};
    int32_t seconds = sign * (h * 3600 + m * 60);
    int zone = dms::tool::timeZoneOfOffset(seconds);
    if (zone >= 0) return zone;
    throw Failure{"offset " + offsetText(seconds) + " is not in the sign's zone table", 2};
}

void addSet(CLI::App& clock) {
    auto* cmd = clock.add_subcommand("set", "Set the sign clock from local date and time (or 'now')");
    static std::string date, time = "00:00:00", offset;
    static int zone = -1;
    cmd->add_option("date", date, "YYYY-MM-DD, or 'now'")->required();
    cmd->add_option("time", time, "HH:MM[:SS] (local, standard time)");
    auto* z = cmd->add_option("--zone", zone, "Time-zone index 0..32 (default: leave the sign's)");
    z->check(CLI::Range(0, 32));
    cmd->add_option("--offset", offset, "Time zone as a UTC offset, e.g. +05:30")->excludes(z);
    cmd->callback([] {
        int y, mo, d, h = 0, mi = 0, s = 0;
        if (date == "now") {
            std::time_t now = std::time(nullptr);
            std::tm tm{};
            localtime_r(&now, &tm);
            y = tm.tm_year + 1900, mo = tm.tm_mon + 1, d = tm.tm_mday;
            h = tm.tm_hour, mi = tm.tm_min, s = tm.tm_sec;
        } else {
            char tail;
            if (std::sscanf(date.c_str(), "%d-%d-%d%c", &y, &mo, &d, &tail) != 3)
                throw Failure{"bad date '" + date + "' (want YYYY-MM-DD)", 2};
            if (std::sscanf(time.c_str(), "%d:%d:%d%c", &h, &mi, &s, &tail) < 2)
                throw Failure{"bad time '" + time + "' (want HH:MM[:SS])", 2};
        }
        int index = offset.empty() ? zone : zoneOfOffset(offset);
        OpenSign open;
        check(tqSetTime(y, mo, d, h, mi, s, 0, index), "tqSetTime");
        if (context().json)
            printJson({{"result", 0}});
        else
            std::cout << "clock set\n";
    });
}

void addGet(CLI::App& clock) {
    auto* cmd = clock.add_subcommand("get", "Read the sign clock in local time");
    cmd->callback([] {
        OpenSign open;
        int32_t t[8] = {0};
        uint32_t rc = tqGetTime(t);
        if (rc != 0 && rc != 2) check(rc, "tqGetTime");
        if (context().json) {
            printJson({{"year", t[0]}, {"month", t[1]}, {"day", t[2]}, {"hour", t[3]}, {"minute", t[4]},
                       {"second", t[5]}, {"weekday", t[6]}, {"zone", t[7]}, {"result", rc}});
            return;
        }
        char buf[64];
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t[0], t[1], t[2], t[3], t[4], t[5]);
        std::cout << buf << " " << kWeekdays[(t[6] % 7 + 7) % 7] << ", zone ";
        if (t[7] >= 0)
            std::cout << t[7] << " (" << offsetText(dms::tool::timeZoneOffset(t[7])) << ")\n";
        else
            std::cout << "not in the zone table\n";
    });
}

Register reg("clock", "Set or read the sign clock", [](CLI::App& clock) {
    addSet(clock);
    addGet(clock);
});

}  // namespace
}  // namespace dmsctl
