// dmsctl sign new|show: create a simulated sign state file, show its limits.
#include <fstream>
#include <iostream>
#include <map>

#include "cli.h"
#include "tqdms/tqsim.h"

namespace dmsctl {
namespace {

struct LimitOption {
    const char* flag;
    const char* key;
    const char* help;
};

const LimitOption kLimitOptions[] = {
    {"--max-changeable", "maxChangeable", "Changeable message rows"},
    {"--max-volatile", "maxVolatile", "Volatile message rows"},
    {"--max-multi", "maxMultiLength", "Longest MULTI string the sign takes"},
    {"--font-rows", "fontRows", "Font table rows"},
    {"--max-character", "maxCharacter", "Highest character number"},
    {"--graphic-rows", "graphicRows", "Graphic table rows"},
    {"--block-size", "graphicBlockSize", "Graphic bitmap block size in bytes"},
    {"--schedules", "maxScheduleEntries", "Time-base schedule rows"},
    {"--day-plans", "maxDayPlans", "Day plans"},
    {"--events", "maxDayPlanEvents", "Events per day plan"},
    {"--actions", "actionRows", "Action table rows"},
    {"--poll-latency", "pollLatency", "Status reads before a request completes"},
    {"--settle-ms", "settleMs", "Milliseconds a status request takes at least"},
};

// Options of the sign's face (its profile).
const LimitOption kProfileOptions[] = {
    {"--width", "signWidthPixels", "Pixels across the sign (default 105)"},
    {"--height", "signHeightPixels", "Pixels down the sign (default 27)"},
    {"--character-width", "characterWidthPixels", "Pixels of a character cell (0: not a character-matrix sign)"},
    {"--character-height", "characterHeightPixels", "Pixels of a line (0: a full-matrix sign)"},
    {"--color-scheme", "colorScheme", "1 monochrome1bit, 2 monochrome8bit, 3 colorClassic, 4 color24bit"},
};

std::string stateText() {
    int need = tqsimGetState(nullptr, 0);
    std::string s(static_cast<size_t>(need > 0 ? need : 1), '\0');
    tqsimGetState(&s[0], need);
    s.resize(need > 0 ? static_cast<size_t>(need - 1) : 0);
    return s;
}

void addNew(CLI::App& sign) {
    auto* cmd = sign.add_subcommand("new", "Create a simulated sign state file with chosen limits");
    static std::map<std::string, int> values;
    static bool force = false;
    for (const LimitOption& o : kLimitOptions) cmd->add_option(o.flag, values[o.key], o.help);
    for (const LimitOption& o : kProfileOptions) cmd->add_option(o.flag, values[o.key], o.help);
    cmd->add_flag("--force", force, "Replace an existing file");
    cmd->callback([cmd] {
        const std::string& file = context().signFile;
        if (!force && std::ifstream(file).good()) throw Failure{file + " exists (use --force to replace it)", 1};
        nlohmann::json limits = nlohmann::json::object();
        for (const LimitOption& o : kLimitOptions)
            if (cmd->count(o.flag)) limits[o.key] = values[o.key];
        nlohmann::json profile = nlohmann::json::object();
        for (const LimitOption& o : kProfileOptions)
            if (cmd->count(o.flag)) profile[o.key] = values[o.key];
        nlohmann::json state{{"limits", limits}, {"profile", profile}};
        if (tqsimOpenMemory(state.dump().c_str()) != 0) throw Failure{"a limit or size is out of range", 2};
        uint32_t rc = tqsimSave(file.c_str());
        tqsimClose();
        if (rc != 0) throw Failure{"cannot write " + file, 1};
        if (context().json)
            printJson({{"file", file}, {"limits", limits}, {"profile", profile}});
        else
            std::cout << "created sign " << file << "\n";
    });
}

void addShow(CLI::App& sign) {
    auto* cmd = sign.add_subcommand("show", "Show the sign's limits (--json: its whole state)");
    cmd->callback([] {
        OpenSign open;
        nlohmann::json state = nlohmann::json::parse(stateText());
        if (context().json) {
            printJson(state);
            return;
        }
        std::cout << "sign " << context().signFile << "\n";
        for (auto& kv : state["limits"].items()) std::cout << "  " << kv.key() << ": " << kv.value() << "\n";
        std::cout << "  messages in use: " << state["messages"].size() << "\n";
    });
}

Register reg("sign", "Create or inspect the simulated sign", [](CLI::App& sign) {
    addNew(sign);
    addShow(sign);
});

}  // namespace
}  // namespace dmsctl
