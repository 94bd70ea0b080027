// dmsctl fonts list|send|get|count: the fonts on the sign.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
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

void addSend(CLI::App& fonts) {
    auto* cmd = fonts.add_subcommand("send", "Send font files (FNT, FNN) into font rows 1, 2, ... in order");
    static std::vector<std::string> files;
    static bool raw = false;
    cmd->add_option("files", files, "Font files")->required();
    cmd->add_flag("--raw", raw, "Send each file's font number as it is, not mapped to its character code");
    cmd->callback([] {
        // The path array of 255-byte fields the export takes.
        std::string fields(255 * files.size(), '\0');
        for (size_t i = 0; i < files.size(); ++i) {
            if (files[i].size() > 254) throw Failure{"path too long: " + files[i], 1};
            std::memcpy(&fields[255 * i], files[i].data(), files[i].size());
        }
        OpenSign open;
        int32_t count = static_cast<int32_t>(files.size());
        uint32_t rc = tqSendFonts(fields.data(), &count, raw ? 1 : 0);
        if (context().json)
            printJson({{"sent", count}, {"files", files.size()}, {"result", rc}});
        else
            std::printf("sent %d of %zu fonts\n", count, files.size());
        check(rc, "tqSendFonts");
    });
}

void addGet(CLI::App& fonts) {
    auto* cmd = fonts.add_subcommand("get", "Write the font of a font row into DIR/fontname as an FNT file");
    static int row = 0;
    static std::string dir;
    cmd->add_option("row", row, "Font row")->required()->check(CLI::Range(1, 255));
    cmd->add_option("dir", dir, "Folder to write into")->required();
    cmd->callback([] {
        OpenSign open;
        check(GetFontFile(row, dir.c_str()), "GetFontFile");
        std::vector<dmsFont> list(255);
        uint32_t count = static_cast<uint32_t>(list.size());
        if (tqGetFontList(list.data(), &count) == 0)
            for (uint32_t i = 0; i < count; ++i)
                if (list[i].row == row) std::printf("%s/%s\n", dir.c_str(), list[i].name);
    });
}

void addCount(CLI::App& fonts) {
    auto* cmd = fonts.add_subcommand("count", "Count the font rows in use (up to the first placeholder row)");
    cmd->callback([] {
        OpenSign open;
        uint32_t count = 0;
        check(GetFontFileCount(&count), "GetFontFileCount");
        if (context().json)
            printJson({{"count", count}});
        else
            std::printf("%u\n", count);
    });
}

Register reg("fonts", "Fonts on the sign and font files", [](CLI::App& fonts) {
    addList(fonts);
    addSend(fonts);
    addGet(fonts);
    addCount(fonts);
});

}  // namespace
}  // namespace dmsctl
