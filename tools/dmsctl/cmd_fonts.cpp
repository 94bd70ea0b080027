// dmsctl fonts ...: the fonts on the sign.
#include <cstdio>
#include <iostream>
#include <vector>

#include "cli.h"
#include "dmscontent/dmscontent.h"

namespace dmsctl {
namespace {

void addList(CLI::App& fonts) {
    auto* cmd = fonts.add_subcommand("list", "List the usable fonts of the sign");
    cmd->callback([] {
        OpenSign open;
        std::vector<dmsFont> list(255);
        uint32_t count = static_cast<uint32_t>(list.size());
        check(tqGetFontList(list.data(), &count), "tqGetFontList");
        if (context().json) {
            nlohmann::json arr = nlohmann::json::array();
            for (uint32_t i = 0; i < count; ++i) {
                const dmsFont& f = list[i];
                arr.push_back({{"row", f.row}, {"number", f.number}, {"name", f.name}, {"height", f.height},
                               {"charSpacing", f.charSpacing}, {"lineSpacing", f.lineSpacing},
                               {"versionId", f.versionId}});
            }
            printJson(arr);
            return;
        }
        std::printf("%-4s %-7s %-6s %-8s %-8s %-8s %s\n", "row", "number", "height", "charSp", "lineSp", "version",
                    "name");
        for (uint32_t i = 0; i < count; ++i) {
            const dmsFont& f = list[i];
            std::printf("%-4u %-7u %-6u %-8u %-8u 0x%04X   %s\n", f.row, f.number, f.height, f.charSpacing,
                        f.lineSpacing, f.versionId, f.name);
        }
    });
}

Register reg("fonts", "Fonts on the sign and font files", [](CLI::App& fonts) { addList(fonts); });

}  // namespace
}  // namespace dmsctl
