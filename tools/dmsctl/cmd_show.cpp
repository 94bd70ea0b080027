// dmsctl show text|pictures: put a text or pictures on the sign at once
// (blanking it first).
#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "dmscontent/dmscontent.h"

namespace dmsctl {
namespace {

// "\n" typed on a command line arrives as backslash and n: make it a line end.
std::string withLineEnds(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void addText(CLI::App& show) {
    auto* cmd = show.add_subcommand("text", "Show a text now, centred, in a font of the sign");
    static std::string text, font, source;
    static int32_t color = 1, lineCount = 1, columnGap = 0;
    cmd->add_option("text", text, "The text; lines end at a line break or at \\n")->required();
    cmd->add_option("--font", font, "Font name as 'fonts list' shows it")->required();
    cmd->add_option("--color", color, "Text colour (palette index, or 0xRRGGBB for the last line)");
    cmd->add_option("--lines", lineCount, "New lines between lines (1..9)");
    cmd->add_option("--column-gap", columnGap, "Character spacing in pixels");
    cmd->add_option("--source", source, "Source IPv4 address of the activation");
    cmd->callback([] {
        OpenSign open;
        std::string t = withLineEnds(text);
        check(tqDisplayText(t.c_str(), font.c_str(), color, lineCount, columnGap,
                            source.empty() ? nullptr : source.c_str()),
              "tqDisplayText");
        if (!context().quiet) std::printf("shown\n");
    });
}

void addPictures(CLI::App& show) {
    auto* cmd = show.add_subcommand("pictures", "Upload a BMP file as pictures and show one per page");
    static std::string file, source;
    static int32_t pages = 1;
    static std::vector<int32_t> times;
    cmd->add_option("file", file, "BMP file (every page shows a copy of it)")->required()->check(CLI::ExistingFile);
    cmd->add_option("--pages", pages, "Number of pages (1..255)")->check(CLI::Range(1, 255));
    cmd->add_option("--page-time", times, "Page times in tenths of a second (one, or one per page)");
    cmd->add_option("--source", source, "Source IPv4 address of the activation");
    cmd->callback([] {
        std::vector<int32_t> pageTimes(static_cast<size_t>(pages), times.empty() ? 30 : times.back());
        for (size_t i = 0; i < times.size() && i < pageTimes.size(); ++i) pageTimes[i] = times[i];
        OpenSign open;
        int32_t count = pages;
        check(tqDisplayPictures(file.c_str(), pageTimes.data(), &count, source.empty() ? nullptr : source.c_str()),
              "tqDisplayPictures");
        if (!context().quiet) std::printf("shown\n");
    });
}

Register reg("show", "Show a text or pictures on the sign at once", [](CLI::App& show) {
    addText(show);
    addPictures(show);
});

}  // namespace
}  // namespace dmsctl
