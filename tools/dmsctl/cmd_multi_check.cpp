// dmsctl multi check MULTI [--sign FILE]: whether the simulated sign of the
// state file (default: a new simulated sign) accepts the text, checked as
// its message validation does. Exit 0 valid, 1 refused, 2 bad arguments.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "cli.h"
#include "message_text.h"
#include "sim/multi_check.h"
#include "sim/sign.h"
#include "tqdms/ntcip.h"

namespace dmsctl {
namespace {

std::shared_ptr<tqsim::SimSign> openSign(bool fromFile) {
    std::shared_ptr<tqsim::SimSign> sign;
    if (!fromFile) {
        tqsim::SimSign::openMemory(nullptr, sign);
        return sign;
    }
    const std::string& file = context().signFile;
    std::error_code ec;
    if (file.compare(0, 7, "snmp://") == 0) throw Failure{"multi check needs a simulated sign's state file", 2};
    if (!std::filesystem::is_regular_file(file, ec)) throw Failure{"no sign state file " + file, 2};
    if (tqsim::SimSign::openFile(file, sign) != 0) throw Failure{file + " is not a sign state file", 2};
    return sign;
}

// The text on one line with the caret under `position`; control characters
// are shown as "." so that the caret stays in its column.
void printCaret(const std::string& multi, size_t position) {
    std::string shown = multi;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '.';
    std::cout << shown << "\n" << std::string(position, ' ') << "^\n";
}

Register reg("multi", "What the MULTI parser and writer, and the simulated sign, make of a message", [](CLI::App& group) {
    static std::string text;
    CLI::Option* sign = group.get_parent()->get_option("--sign");
    auto* cmd = group.add_subcommand("check", "Check a MULTI text as the simulated sign of --sign validates it "
                                              "(default: a new simulated sign); exit 1 when it is refused");
    cmd->add_option("multi", text, "The MULTI string")->required();
    cmd->callback([sign] {
        std::shared_ptr<tqsim::SimSign> s = openSign(sign->count() > 0);
        size_t position = 0;
        const int error = tqsim::checkMulti(text, tqsim::multiCheckOf(*s), &position);
        const bool valid = error == NTCIP_MULTI_NONE;
        const std::string name = multiSyntaxName(static_cast<unsigned>(error));
        if (context().json) {
            printJson({{"valid", valid}, {"error", error}, {"name", name}, {"position", position}});
        } else if (valid) {
            std::cout << "valid\n";
        } else {
            std::cout << name << " (" << error << ") at " << position << "\n";
            printCaret(text, position);
        }
        if (!valid) context().exitCode = 1;
    });
});

}  // namespace
}  // namespace dmsctl
