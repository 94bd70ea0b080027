// dmsctl fonts show FILE [CHARS]: a font file's characters as text art.
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli.h"
#include "dmsctl_api.h"

namespace dmsctl {
namespace {

const dms::tool::Glyph* find(const dms::tool::FontDrawing& font, unsigned code) {
    for (const dms::tool::Glyph& g : font.glyphs)
        if (g.code == code) return &g;
    return nullptr;
}

std::string label(unsigned code) {
    char buf[32];
    if (code > 32 && code < 127)
        std::snprintf(buf, sizeof buf, "'%c' %u", static_cast<char>(code), code);
    else
        std::snprintf(buf, sizeof buf, "%u", code);
    return buf;
}

void addShow(CLI::App& fonts) {
    auto* cmd = fonts.add_subcommand("show", "Print a font file's characters as text art (# lit, . dark)");
    static std::string file;
    static std::string chars;
    cmd->add_option("file", file, "An FNT or FNN font file")->required();
    cmd->add_option("chars", chars, "The characters to show (default: the printable ASCII ones the font has)");
    cmd->callback([] {
        if (!dms::tool::isFontFileName(file)) throw Failure{file + ": not an .fnt or .fnn file", 1};
        dms::tool::FontDrawing font;
        try {
            check(dms::tool::drawFontFile(file, font), file);
        } catch (const std::bad_alloc&) {
            throw Failure{"out of memory", 1};
        }
        std::vector<unsigned> codes;
        if (chars.empty())
            for (unsigned c = 33; c < 127; ++c) codes.push_back(c);
        else
            for (unsigned char c : chars) codes.push_back(c);

        nlohmann::json glyphs = nlohmann::json::array();
        if (!context().json)
            std::printf("%s: height %u, width %u, number %u, spacing %u/%u, %u characters\n", font.name.c_str(),
                        font.height, font.width, font.number, font.charSpacing, font.lineSpacing, font.charCount);
        for (unsigned code : codes) {
            const dms::tool::Glyph* c = find(font, code);
            if (!c) {
                if (!chars.empty() && !context().json) std::printf("\n%s: not in the font\n", label(code).c_str());
                continue;
            }
            const std::vector<std::string>& rows = c->rows;
            if (context().json) {
                glyphs.push_back({{"code", code}, {"width", c->width}, {"rows", rows}});
                continue;
            }
            std::printf("\n%s, width %u\n", label(code).c_str(), c->width);
            for (const std::string& row : rows) std::printf("%s\n", row.c_str());
        }
        if (context().json)
            printJson({{"name", font.name}, {"height", font.height}, {"width", font.width},
                       {"number", font.number}, {"charSpacing", font.charSpacing},
                       {"lineSpacing", font.lineSpacing}, {"characters", font.charCount}, {"glyphs", glyphs}});
    });
}

Register reg("fonts", "Fonts on the sign and font files", [](CLI::App& fonts) { addShow(fonts); });

}  // namespace
}  // namespace dmsctl
