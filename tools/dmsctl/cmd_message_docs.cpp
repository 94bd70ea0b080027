// dmsctl message send|get: message documents ("DmsMessage" XML) to and from
// the sign's message table.
#include <cstdio>
#include <string>

#include "cli.h"
#include "dmscontent/dmscontent.h"

namespace dmsctl {
namespace {

void addSend(CLI::App& group) {
    auto* cmd = group.add_subcommand("send", "Write the messages of a document and apply its events");
    static std::string file;
    cmd->add_option("file", file, "Message document (XML)")->required()->check(CLI::ExistingFile);
    cmd->callback([] {
        OpenSign open;
        check(tqSendMessage(file.c_str()), "tqSendMessage");
        if (!context().quiet) std::printf("sent %s\n", file.c_str());
    });
}

void addGet(CLI::App& group) {
    auto* cmd = group.add_subcommand("get", "Save the sign's valid messages and events as a document");
    static std::string file;
    static bool faithful = false;
    cmd->add_option("file", file, "Document to write (XML)")->required();
    cmd->add_flag("--faithful", faithful,
                  "Read the MULTI texts into pages keeping every tag (default: DMSCONTENT_MULTI_READING)");
    cmd->callback([] {
        if (faithful) check(dmsSetMultiReading(DMS_MULTI_FAITHFUL), "dmsSetMultiReading");
        OpenSign open;
        check(tqGetMessage(file.c_str()), "tqGetMessage");
        if (!context().quiet) std::printf("saved %s\n", file.c_str());
    });
}

Register reg("message", "Messages on the sign", [](CLI::App& group) {
    addSend(group);
    addGet(group);
});

}  // namespace
}  // namespace dmsctl
