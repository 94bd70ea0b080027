#include "schedule_text.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include "tqdms/ntcip.h"

namespace dmsctl {
namespace {

const char* const kMonths[] = {"january", "february", "march",     "april",   "may",      "june",
                               "july",    "august",   "september", "october", "november", "december"};
const char* const kWeekdays[] = {"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};
const char* const kTypes[] = {"", "other", "permanent", "changeable", "volatile", "currentBuffer", "schedule", "blank"};

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// A decimal number of at most 9 digits, or -1.
long number(const std::string& s) {
    if (s.empty() || s.size() > 9) return -1;
    long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

// One set of bits numbered first..last (months 1..12, weekdays 1..7, days
// 1..31). names (may be null) are matched by their first three letters or
// in full; numbers are accepted when allowNumbers. Named sets wrap around
// in ranges ("nov-feb", "fri-mon").
struct BitSet {
    const char* what;
    const char* const* names;
    int first, last;
    bool allowNumbers;

    int indexOf(const std::string& token) const {
        std::string t = lower(token);
        if (names) {
            for (int i = first; i <= last; ++i) {
                std::string n = names[i - first];
                if (t == n || (t.size() == 3 && n.compare(0, 3, t) == 0)) return i;
            }
        }
        long v = allowNumbers ? number(t) : -1;
        if (v >= first && v <= last) return static_cast<int>(v);
        throw ScheduleError("unknown " + std::string(what) + " '" + token + "'");
    }

    uint32_t all() const {
        uint32_t bits = 0;
        for (int i = first; i <= last; ++i) bits |= 1u << i;
        return bits;
    }

    uint32_t parse(const std::string& text, uint32_t (*alias)(const std::string&) = nullptr) const {
        std::string whole = lower(trim(text));
        if (whole == "all") return all();
        if (whole == "none" || whole == "-") return 0;
        if (whole.empty()) throw ScheduleError(std::string("no ") + what + " given");
        uint32_t bits = 0;
        size_t pos = 0;
        while (pos < whole.size()) {
            size_t end = whole.find_first_of(",+ \t", pos);
            if (end == std::string::npos) end = whole.size();
            std::string token = whole.substr(pos, end - pos);
            pos = end + 1;
            if (token.empty()) continue;
            if (alias) {
                uint32_t a = alias(token);
                if (a) {
                    bits |= a;
                    continue;
                }
            }
            size_t dash = token.find('-');
            if (dash == std::string::npos) {
                bits |= 1u << indexOf(token);
                continue;
            }
            int a = indexOf(token.substr(0, dash)), b = indexOf(token.substr(dash + 1));
            if (b < a && !names) throw ScheduleError(std::string("backward range of ") + what + " '" + token + "'");
            for (int i = a;; i = i == last ? first : i + 1) {
                bits |= 1u << i;
                if (i == b) break;
            }
        }
        return bits;
    }

    std::string label(int i) const {
        if (!names) return std::to_string(i);
        return std::string(names[i - first], 3);
    }

    // "all", "none", ranges of three or more as "a-b", else a list; bits
    // outside the set's range show the whole value in hexadecimal.
    std::string text(uint32_t bits) const {
        if (bits == all()) return "all";
        if (bits == 0) return "none";
        if (bits & ~all()) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%X", bits);
            return hex;
        }
        std::string out;
        for (int i = first; i <= last;) {
            if (!(bits & (1u << i))) {
                ++i;
                continue;
            }
            int j = i;
            while (j < last && (bits & (1u << (j + 1)))) ++j;
            if (!out.empty()) out += ",";
            if (j - i >= 2)
                out += label(i) + "-" + label(j);
            else
                for (int k = i; k <= j; ++k) out += (k > i ? "," : "") + label(k);
            i = j + 1;
        }
        return out;
    }
};

const BitSet kMonthSet{"month", kMonths, 1, 12, true};
const BitSet kWeekdaySet{"weekday", kWeekdays, 1, 7, false};
const BitSet kDaySet{"day of the month", nullptr, 1, 31, true};

uint32_t weekdayAlias(const std::string& token) {
    if (token == "weekdays" || token == "workdays") return 0x7C;
    if (token == "weekend" || token == "weekends") return 0x82;
    return 0;
}

long bounded(const std::string& text, long min, long max, const char* what) {
    std::string t = trim(text);
    long v = -1;
    if (t.size() > 2 && t.size() <= 10 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        v = 0;
        for (size_t i = 2; i < t.size() && v >= 0; ++i) {
            char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[i])));
            int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            v = d < 0 ? -1 : v * 16 + d;
        }
    } else {
        v = number(t);
    }
    if (v < min || v > max)
        throw ScheduleError(std::string("bad ") + what + " '" + text + "' (" + std::to_string(min) + ".." +
                            std::to_string(max) + ")");
    return v;
}

}  // namespace

uint16_t monthsOf(const std::string& text) { return static_cast<uint16_t>(kMonthSet.parse(text)); }
uint8_t weekdaysOf(const std::string& text) { return static_cast<uint8_t>(kWeekdaySet.parse(text, weekdayAlias)); }
uint32_t daysOf(const std::string& text) { return kDaySet.parse(text); }
std::string monthsText(uint16_t bits) { return kMonthSet.text(bits); }

std::string weekdaysText(uint8_t bits) {
    if (bits == 0x7C) return "mon-fri";
    if (bits == 0x82) return "sat,sun";
    return kWeekdaySet.text(bits);
}

std::string daysText(uint32_t bits) { return kDaySet.text(bits); }

void timeOf(const std::string& text, uint8_t& hour, uint8_t& minute) {
    std::string t = trim(text);
    size_t colon = t.find(':');
    long h = colon == std::string::npos || colon > 2 ? -1 : number(t.substr(0, colon));
    long m = colon == std::string::npos || t.size() - colon != 3 ? -1 : number(t.substr(colon + 1));
    if (h < 0 || h > 23 || m < 0 || m > 59) throw ScheduleError("bad time '" + text + "' (HH:MM)");
    hour = static_cast<uint8_t>(h);
    minute = static_cast<uint8_t>(m);
}

std::string timeText(uint8_t hour, uint8_t minute) {
    char t[16];
    std::snprintf(t, sizeof t, "%02u:%02u", hour, minute);
    return t;
}

void messageOf(const std::string& text, uint8_t& memoryType, uint16_t& number) {
    std::string t = trim(text);
    size_t sep = t.find_first_of(": ");
    if (sep == std::string::npos) throw ScheduleError("bad message '" + text + "' (type:number, like changeable:12)");
    std::string type = lower(trim(t.substr(0, sep)));
    int found = -1;
    for (int i = NTCIP_MEM_PERMANENT; i <= NTCIP_MEM_BLANK; ++i)
        if (type == lower(kTypes[i])) found = i;
    if (found < 0) found = static_cast<int>(bounded(type, NTCIP_MEM_PERMANENT, NTCIP_MEM_BLANK, "memory type"));
    memoryType = static_cast<uint8_t>(found);
    number = static_cast<uint16_t>(bounded(t.substr(sep + 1), 1, 65535, "message number"));
}

std::string messageText(uint8_t memoryType, uint16_t number) {
    const bool known = memoryType >= NTCIP_MEM_OTHER && memoryType <= NTCIP_MEM_BLANK;
    std::string type = known ? kTypes[memoryType] : std::to_string(memoryType);
    return type + ":" + std::to_string(number);
}

ScheduleItem itemOf(const ItemFields& f) {
    ScheduleItem it;
    std::memset(&it, 0, sizeof it);
    it.itemSize = sizeof it;
    if (f.time.empty()) throw ScheduleError("no time given");
    if (f.message.empty()) throw ScheduleError("no message given");
    timeOf(f.time, it.hour, it.minute);
    messageOf(f.message, it.memoryType, it.messageNumber);
    it.month = monthsOf(f.months);
    it.day = weekdaysOf(f.weekdays);
    it.date = daysOf(f.days);
    if (!trim(f.crc).empty()) it.crc = static_cast<uint16_t>(bounded(f.crc, 0, 65535, "CRC"));
    if (!trim(f.dayPlan).empty()) it.dayPlan = static_cast<uint16_t>(bounded(f.dayPlan, 1, 255, "day plan"));
    return it;
}

nlohmann::json itemJson(const ScheduleItem& it) {
    return {{"dayPlan", it.dayPlan},     {"months", monthsText(it.month)}, {"weekdays", weekdaysText(it.day)},
            {"days", daysText(it.date)}, {"time", timeText(it.hour, it.minute)},
            {"message", messageText(it.memoryType, it.messageNumber)}, {"crc", it.crc}};
}

}  // namespace dmsctl
