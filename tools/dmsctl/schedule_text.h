// Schedule items as dmsctl reads and prints them: months and weekdays by
// name, days of the month by number, "HH:MM" times, "type:number"
// messages, and schedule files in JSON or CSV. Kept free of the command
// line so that the file reader can be fuzzed on its own.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "dmscontent/records.h"

namespace dmsctl {

struct ScheduleError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The most items one schedule file may hold.
constexpr size_t kMaxFileItems = 4096;

// "all", "none", or names and ranges joined by commas, "+" or blanks:
// "jan-mar,oct", "mon-fri", "weekend", "1-15,31". Names are the first
// three letters or the whole name, in any case.
uint16_t monthsOf(const std::string& text);
uint8_t weekdaysOf(const std::string& text);
uint32_t daysOf(const std::string& text);
std::string monthsText(uint16_t bits);
std::string weekdaysText(uint8_t bits);
std::string daysText(uint32_t bits);

void timeOf(const std::string& text, uint8_t& hour, uint8_t& minute);  // "H:MM" or "HH:MM"
std::string timeText(uint8_t hour, uint8_t minute);
// "changeable:12", "volatile 3", "3:12"; memory types 2..7 by name or number.
void messageOf(const std::string& text, uint8_t& memoryType, uint16_t& number);
std::string messageText(uint8_t memoryType, uint16_t number);

// One item from its fields; months, weekdays and days default to "all".
struct ItemFields {
    std::string time, message, months = "all", weekdays = "all", days = "all", crc, dayPlan;
};
ScheduleItem itemOf(const ItemFields& f);

// An item as listed: dayPlan, months, weekdays, days, time, message, crc.
nlohmann::json itemJson(const ScheduleItem& item);

// A schedule file's text: JSON (an array of items, or an object with
// "items") when it starts with "[" or "{", else CSV with a header line
// naming the columns time, message, months, weekdays, days, crc, dayPlan.
// Throws ScheduleError naming the item or line at fault.
std::vector<ScheduleItem> readScheduleText(const std::string& text);
std::vector<ScheduleItem> readScheduleFile(const std::string& path);

}  // namespace dmsctl
