// Schedule files for dmsctl: JSON (as `schedules list --json` prints
// them) or CSV with a header line.
#include <fstream>
#include <iterator>
#include <sstream>

#include "schedule_text.h"

namespace dmsctl {
namespace {

constexpr size_t kMaxFileBytes = 4 << 20;

std::string lowerTrimmed(const std::string& s) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    std::string t = b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

// A field given as text, a number or a list of either (joined by commas).
std::string fieldText(const nlohmann::json& v, const std::string& key) {
    if (v.is_string()) return v.get<std::string>();
    if (v.is_number_unsigned()) return std::to_string(v.get<uint64_t>());
    if (v.is_array()) {
        std::string out;
        for (const nlohmann::json& e : v) {
            if (!e.is_string() && !e.is_number_unsigned()) throw ScheduleError("bad list element in '" + key + "'");
            out += (out.empty() ? "" : ",") + fieldText(e, key);
        }
        return out.empty() ? "none" : out;
    }
    throw ScheduleError("'" + key + "' must be text, a number or a list");
}

ScheduleItem jsonItem(const nlohmann::json& j) {
    if (!j.is_object()) throw ScheduleError("an item must be an object");
    ItemFields f;
    for (auto it = j.begin(); it != j.end(); ++it) {
        const std::string& key = it.key();
        const nlohmann::json& v = it.value();
        if (key == "message" && v.is_object()) {
            if (!v.contains("type") || !v.contains("number")) throw ScheduleError("message needs type and number");
            f.message = fieldText(v["type"], "type") + ":" + fieldText(v["number"], "number");
        } else if (key == "time") f.time = fieldText(v, key);
        else if (key == "message") f.message = fieldText(v, key);
        else if (key == "months") f.months = fieldText(v, key);
        else if (key == "weekdays") f.weekdays = fieldText(v, key);
        else if (key == "days") f.days = fieldText(v, key);
        else if (key == "crc") f.crc = fieldText(v, key);
        else if (key == "dayPlan") f.dayPlan = v.is_number_unsigned() && v.get<uint64_t>() == 0 ? "" : fieldText(v, key);
        else throw ScheduleError("unknown key '" + key + "'");
    }
    return itemOf(f);
}

std::vector<ScheduleItem> readJson(const std::string& text) {
    nlohmann::json doc = nlohmann::json::parse(text, nullptr, false);
    if (doc.is_discarded()) throw ScheduleError("not valid JSON");
    if (doc.is_object()) {
        if (!doc.contains("items") || doc.size() != 1) throw ScheduleError("a JSON object must hold just \"items\"");
        doc = doc["items"];
    }
    if (!doc.is_array()) throw ScheduleError("expected a JSON array of items");
    if (doc.size() > kMaxFileItems) throw ScheduleError("more than " + std::to_string(kMaxFileItems) + " items");
    std::vector<ScheduleItem> items;
    for (size_t i = 0; i < doc.size(); ++i) {
        try {
            items.push_back(jsonItem(doc[i]));
        } catch (const ScheduleError& e) {
            throw ScheduleError("item " + std::to_string(i + 1) + ": " + e.what());
        }
    }
    return items;
}

struct Record {
    size_t line;
    std::vector<std::string> fields;
};

// RFC 4180 records: fields split by commas, double quotes around fields
// that hold commas, quotes ("") or line breaks.
std::vector<Record> csvRecords(const std::string& text) {
    std::vector<Record> out;
    Record rec{1, {}};
    std::string field;
    bool quoted = false, wasQuoted = false;
    size_t line = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
        } else if (c == '"') {
            if (wasQuoted || field.find_first_not_of(" \t") != std::string::npos)
                throw ScheduleError("line " + std::to_string(line) + ": stray quote");
            quoted = wasQuoted = true;
            field.clear();
        } else if (c == ',') {
            rec.fields.push_back(field);
            field.clear();
            wasQuoted = false;
        } else if (c == '\n') {
            rec.fields.push_back(field);
            out.push_back(rec);
            rec = Record{++line, {}};
            field.clear();
            wasQuoted = false;
        } else if (c != '\r') {
            if (wasQuoted && c != ' ' && c != '\t')
                throw ScheduleError("line " + std::to_string(line) + ": text after a closing quote");
            field += c;
        }
        if (out.size() > kMaxFileItems + 64) throw ScheduleError("more than " + std::to_string(kMaxFileItems) + " items");
    }
    if (quoted) throw ScheduleError("line " + std::to_string(rec.line) + ": unterminated quote");
    rec.fields.push_back(field);
    out.push_back(rec);
    return out;
}

std::vector<ScheduleItem> readCsv(const std::string& text) {
    static const char* const kColumns[] = {"time", "message", "months", "weekdays", "days", "crc", "dayplan"};
    std::vector<int> columns;  // index into kColumns per field
    std::vector<ScheduleItem> items;
    for (const Record& r : csvRecords(text)) {
        std::string first = r.fields.empty() ? std::string() : lowerTrimmed(r.fields[0]);
        if ((r.fields.size() == 1 && first.empty()) || first.rfind("#", 0) == 0) continue;
        const std::string at = "line " + std::to_string(r.line) + ": ";
        if (columns.empty()) {
            bool seen[7] = {false};
            for (const std::string& name : r.fields) {
                std::string n = lowerTrimmed(name);
                if (n == "plan") n = "dayplan";
                int k = 0;
                while (k < 7 && n != kColumns[k]) ++k;
                if (k == 7) throw ScheduleError(at + "unknown column '" + name + "'");
                if (seen[k]) throw ScheduleError(at + "column '" + name + "' given twice");
                seen[k] = true;
                columns.push_back(k);
            }
            if (!seen[0] || !seen[1]) throw ScheduleError(at + "the header needs the columns time and message");
            continue;
        }
        if (r.fields.size() != columns.size())
            throw ScheduleError(at + std::to_string(columns.size()) + " fields expected, " +
                                std::to_string(r.fields.size()) + " found");
        if (items.size() >= kMaxFileItems) throw ScheduleError("more than " + std::to_string(kMaxFileItems) + " items");
        ItemFields f;
        std::string* targets[] = {&f.time, &f.message, &f.months, &f.weekdays, &f.days, &f.crc, &f.dayPlan};
        for (size_t i = 0; i < columns.size(); ++i) {
            // An empty timetable field means every one, as when the column is left out.
            if (columns[i] >= 2 && columns[i] <= 4 && lowerTrimmed(r.fields[i]).empty()) continue;
            *targets[columns[i]] = r.fields[i];
        }
        try {
            items.push_back(itemOf(f));
        } catch (const ScheduleError& e) {
            throw ScheduleError(at + e.what());
        }
    }
    if (columns.empty()) throw ScheduleError("no header line (time,message,...)");
    return items;
}

}  // namespace

std::vector<ScheduleItem> readScheduleText(const std::string& text) {
    size_t start = text.find_first_not_of(" \t\r\n");
    if (start != std::string::npos && (text[start] == '[' || text[start] == '{')) return readJson(text);
    return readCsv(text);
}

std::vector<ScheduleItem> readScheduleFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ScheduleError("cannot read " + path);
    std::string text;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        text.append(buf, static_cast<size_t>(in.gcount()));
        if (text.size() > kMaxFileBytes) throw ScheduleError(path + " is larger than 4 MiB");
    }
    try {
        return readScheduleText(text);
    } catch (const ScheduleError& e) {
        throw ScheduleError(path + ": " + e.what());
    }
}

}  // namespace dmsctl
