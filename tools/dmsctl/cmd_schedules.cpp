// dmsctl schedules list|add|replace|delete: the sign's timetable of
// messages as items with month, weekday and day-of-month names.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <vector>

#include "cli.h"
#include "dmscontent/dmscontent.h"
#include "schedule_text.h"

namespace dmsctl {
namespace {

// Items given on the command line (one, through the options) and/or in a file.
struct ItemInput {
    ItemFields fields;
    std::string file;
    bool all = false;
};

void addItemOptions(CLI::App* cmd, ItemInput& in, bool withAll) {
    cmd->add_option("--time", in.fields.time, "Start time, HH:MM");
    cmd->add_option("--message", in.fields.message, "Message to show, type:number (like changeable:12)");
    cmd->add_option("--months", in.fields.months, "Months: all, or names and ranges (jan-mar,oct)")
        ->capture_default_str();
    cmd->add_option("--weekdays", in.fields.weekdays, "Weekdays: all, weekdays, weekend, or names (mon-fri,sun)")
        ->capture_default_str();
    cmd->add_option("--days", in.fields.days, "Days of the month: all, or numbers and ranges (1-15,31)")
        ->capture_default_str();
    cmd->add_option("--crc", in.fields.crc, "CRC of the message (0x1234 or decimal)");
    cmd->add_option("--file", in.file, "Items from a JSON or CSV file (see schedules list --json)");
    if (withAll) cmd->add_flag("--all", in.all, "Every item on the sign");
}

std::vector<ScheduleItem> itemsOf(const ItemInput& in) {
    std::vector<ScheduleItem> items;
    try {
        if (!in.file.empty()) items = readScheduleFile(in.file);
        if (!in.fields.time.empty() || !in.fields.message.empty()) items.push_back(itemOf(in.fields));
    } catch (const ScheduleError& e) {
        throw Failure{e.what(), 2};
    }
    return items;
}

std::vector<ScheduleItem> signItems() {
    std::vector<ScheduleItem> items(8192);
    std::vector<TimeBaseSchedule> rows(1024);
    int32_t n = static_cast<int32_t>(items.size()), r = static_cast<int32_t>(rows.size());
    check(tqGetScheduleList(items.data(), &n, rows.data(), &r), "tqGetScheduleList");
    items.resize(static_cast<size_t>(n));
    return items;
}

void printItems(const std::vector<ScheduleItem>& items) {
    if (context().json) {
        nlohmann::json arr = nlohmann::json::array();
        for (const ScheduleItem& it : items) arr.push_back(itemJson(it));
        printJson({{"items", arr}});
        return;
    }
    std::printf("%4s  %-20s %-20s %-16s %-5s  %s\n", "plan", "months", "weekdays", "days", "time", "message");
    for (const ScheduleItem& it : items)
        std::printf("%4u  %-20s %-20s %-16s %-5s  %s\n", it.dayPlan, monthsText(it.month).c_str(),
                    weekdaysText(it.day).c_str(), daysText(it.date).c_str(), timeText(it.hour, it.minute).c_str(),
                    messageText(it.memoryType, it.messageNumber).c_str());
}

void addList(CLI::App& group) {
    auto* cmd = group.add_subcommand("list", "List the schedule items on the sign");
    cmd->callback([] {
        OpenSign open;
        printItems(signItems());
    });
}

void addAdd(CLI::App& group) {
    auto* cmd = group.add_subcommand("add", "Add schedule items the sign does not hold yet");
    static ItemInput in;
    addItemOptions(cmd, in, false);
    cmd->callback([] {
        std::vector<ScheduleItem> items = itemsOf(in);
        if (items.empty()) throw Failure{"no item given (--time and --message, or --file)", 2};
        OpenSign open;
        int32_t count = static_cast<int32_t>(items.size());
        check(tqSendSchedules(items.data(), &count), "tqSendSchedules");
        items.resize(static_cast<size_t>(count));
        if (context().json) {
            printItems(items);
            return;
        }
        std::cout << count << " item(s) added\n";
    });
}

bool sameTimetable(const ScheduleItem& a, const ScheduleItem& b) {
    return a.month == b.month && a.day == b.day && a.date == b.date;
}

// Items without a day plan take the day plan of an earlier item with the
// same timetable, else the lowest number no item uses.
void assignDayPlans(std::vector<ScheduleItem>& items) {
    std::vector<bool> used(256, false);
    for (const ScheduleItem& it : items) used[it.dayPlan & 0xFF] = it.dayPlan != 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].dayPlan) continue;
        for (size_t j = 0; j < i && !items[i].dayPlan; ++j)
            if (sameTimetable(items[j], items[i])) items[i].dayPlan = items[j].dayPlan;
        if (items[i].dayPlan) continue;
        uint16_t plan = 1;
        while (plan < 256 && used[plan]) ++plan;
        if (plan == 256) throw Failure{"more than 255 day plans needed", 2};
        used[plan] = true;
        items[i].dayPlan = plan;
    }
}

void addReplace(CLI::App& group) {
    auto* cmd = group.add_subcommand("replace", "Replace the sign's schedules by the given items (none: clear)");
    static ItemInput in;
    addItemOptions(cmd, in, false);
    cmd->callback([] {
        std::vector<ScheduleItem> items = itemsOf(in);
        if (items.empty() && in.file.empty()) throw Failure{"no item given (--time and --message, or --file)", 2};
        assignDayPlans(items);
        OpenSign open;
        int32_t count = static_cast<int32_t>(items.size());
        ScheduleItem none{};
        check(tqSendSchedulesWithClear(items.empty() ? &none : items.data(), &count, nullptr, nullptr),
              "tqSendSchedulesWithClear");
        std::vector<uint16_t> plans;
        for (const ScheduleItem& it : items) plans.push_back(it.dayPlan);
        std::sort(plans.begin(), plans.end());
        plans.erase(std::unique(plans.begin(), plans.end()), plans.end());
        if (context().json)
            printJson({{"items", items.size()}, {"dayPlans", plans}});
        else
            std::cout << "schedules replaced: " << items.size() << " item(s) in " << plans.size()
                      << " day plan(s)\n";
    });
}

void addDelete(CLI::App& group) {
    auto* cmd = group.add_subcommand("delete", "Delete schedule items from the sign");
    static ItemInput in;
    addItemOptions(cmd, in, true);
    cmd->callback([] {
        std::vector<ScheduleItem> items = itemsOf(in);
        if (items.empty() && !in.all) throw Failure{"no item given (--time and --message, --file or --all)", 2};
        OpenSign open;
        if (in.all) {
            std::vector<ScheduleItem> held = signItems();
            items.insert(items.end(), held.begin(), held.end());
        }
        int32_t count = static_cast<int32_t>(items.size());
        ScheduleItem none{};
        check(tqDeleteScheduleList(items.empty() ? &none : items.data(), &count), "tqDeleteScheduleList");
        if (context().json)
            printJson({{"cleared", count}});
        else
            std::cout << count << " item(s) deleted\n";
    });
}

Register reg("schedules", "Messages shown on a timetable", [](CLI::App& group) {
    addList(group);
    addAdd(group);
    addReplace(group);
    addDelete(group);
});

}  // namespace
}  // namespace dmsctl
