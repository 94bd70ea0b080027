// dmsctl message check FILE.xml: reads a message document as a message
// upload would and shows the MULTI text of every message, using the sign's
// fonts and maximum MULTI length, without writing anything to the sign.
#include <cstdio>
#include <string>

#include "cli.h"
#include "dmsctl_api.h"

namespace dmsctl {
namespace {

void addCheck(CLI::App& group) {
    auto* cmd = group.add_subcommand("check", "Read a message document and show each message's MULTI text");
    static std::string file;
    cmd->add_option("file", file, "Message document (XML)")->required();
    cmd->callback([] {
        OpenSign open;
        const dms::tool::MessageCheck result = dms::tool::checkMessageDocument(file);
        if (result.failed == dms::tool::MessageCheck::Step::kMemory) check(result.result, "message check");
        if (result.failed == dms::tool::MessageCheck::Step::kDocument) check(result.result, "reading " + file);
        nlohmann::json list = nlohmann::json::array();
        for (const dms::tool::CheckedMessage& m : result.messages) {
            if (result.failed == dms::tool::MessageCheck::Step::kMessage && &m == &result.messages.back())
                check(result.result, "message " + std::to_string(m.number) + " (" + m.type + ")");
            if (context().json)
                list.push_back({{"number", m.number}, {"type", m.type}, {"multi", m.multi}});
            else
                std::printf("%d %s %s\n", m.number, m.type.c_str(), m.multi.c_str());
        }
        if (context().json) printJson(list);
    });
}

Register reg("message", "Messages on the sign", [](CLI::App& group) { addCheck(group); });

}  // namespace
}  // namespace dmsctl
