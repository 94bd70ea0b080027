// dmsctl's schedule file reader (JSON or CSV): any text gives items or a
// ScheduleError, and the items read come back unchanged through their
// JSON listing form.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "schedule_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScheduleItem> items;
    try {
        items = dmsctl::readScheduleText(text);
    } catch (const dmsctl::ScheduleError&) {
        return 0;
    }
    nlohmann::json arr = nlohmann::json::array();
    for (const ScheduleItem& it : items) arr.push_back(dmsctl::itemJson(it));
    std::vector<ScheduleItem> again = dmsctl::readScheduleText(arr.dump());
    if (again.size() != items.size()) std::abort();
    for (size_t i = 0; i < items.size(); ++i)
        if (std::memcmp(&again[i], &items[i], sizeof(ScheduleItem)) != 0) std::abort();
    return 0;
}
