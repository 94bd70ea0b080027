// dmsctl message check FILE.xml: reads a message document as a message
// upload would and shows the MULTI text of every message, using the sign's
// fonts and maximum MULTI length, without writing anything to the sign.
#include <cstdio>
#include <memory>
#include <string>

#include "cli.h"
#include "model/enums.h"
#include "messages/sign_facts.h"
#include "model/message.h"

namespace dmsctl {
namespace {

std::string typeText(int32_t code) {
    char text[dms::kEnumTextSize] = {};
    dms::MemoryTypeToString(code, text);
    return text[0] != '\0' ? text : std::to_string(code);
}

void addCheck(CLI::App& group) {
    auto* cmd = group.add_subcommand("check", "Read a message document and show each message's MULTI text");
    static std::string file;
    cmd->add_option("file", file, "Message document (XML)")->required();
    cmd->callback([] {
        OpenSign open;
        auto set = std::make_unique<dms::MessageSet>();
        if (!set->ok()) check(32516u, "message check");
        dms::SignFacts facts;
        dms::readSignFacts(facts);
        set->facts = &facts;
        check(set->ReadDocument(file.c_str()), "reading " + file);
        nlohmann::json list = nlohmann::json::array();
        for (int i = 0; i < set->count; ++i) {
            dms::CMessage& m = set->messages[i];
            check(m.BuildMulti(facts.maxMultiLength), "message " + std::to_string(m.m_MemoryNum) + " (" + typeText(m.memoryType) + ")");
            if (context().json)
                list.push_back({{"number", m.m_MemoryNum}, {"type", typeText(m.memoryType)}, {"multi", m.multiString}});
            else
                std::printf("%d %s %s\n", m.m_MemoryNum, typeText(m.memoryType).c_str(), m.multiString);
        }
        if (context().json) printJson(list);
    });
}

Register reg("message", "Messages on the sign", [](CLI::App& group) { addCheck(group); });

}  // namespace
}  // namespace dmsctl
