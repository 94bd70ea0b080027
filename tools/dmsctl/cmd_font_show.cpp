// dmsctl fonts show FILE [CHARS]: a font file's characters as text art, or
// with --blocks in colour half blocks; --png writes them as one line of
// text (the font's character spacing between them) on a sign's face.
#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli.h"
#include "dmsctl_api.h"
#include "preview/terminal.h"
#include "preview_out.h"

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

const dms::render::Rgb kLit{255, 180, 0};

// The glyphs side by side, spacing pixels apart.
dms::render::Raster lineOf(const std::vector<const dms::tool::Glyph*>& glyphs, unsigned height, unsigned spacing) {
    unsigned width = 0;
    for (const dms::tool::Glyph* g : glyphs) width += g->width + (width > 0 ? spacing : 0);
    dms::render::Raster r(static_cast<uint16_t>(std::min(width, 65535u)), static_cast<uint16_t>(height),
                          dms::render::Rgb{});
    int x = 0;
    for (const dms::tool::Glyph* g : glyphs) {
        for (size_t y = 0; y < g->rows.size(); ++y)
            for (size_t c = 0; c < g->rows[y].size(); ++c)
                if (g->rows[y][c] == '#') r.set(x + static_cast<int>(c), static_cast<int>(y), kLit);
        x += static_cast<int>(g->width + spacing);
    }
    return r;
}

void addShow(CLI::App& fonts) {
    auto* cmd = fonts.add_subcommand("show", "Print a font file's characters as text art (# lit, . dark)");
    static std::string file;
    static std::string chars, png;
    static bool blocks = false;
    static FaceOptions face;
    cmd->add_option("file", file, "An FNT or FNN font file")->required();
    cmd->add_option("chars", chars, "The characters to show (default: the printable ASCII ones the font has)");
    cmd->add_flag("--blocks", blocks, "Draw the characters in colour half blocks instead of # and .");
    cmd->add_option("--png", png, "Also write the characters as one line of text on a sign's face, a PNG file");
    addFaceOptions(cmd, face);
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
        std::vector<const dms::tool::Glyph*> shown;
        if (!context().json)
            std::printf("%s: height %u, width %u, number %u, spacing %u/%u, %u characters\n", font.name.c_str(),
                        font.height, font.width, font.number, font.charSpacing, font.lineSpacing, font.charCount);
        for (unsigned code : codes) {
            const dms::tool::Glyph* c = find(font, code);
            if (!c) {
                if (!chars.empty() && !context().json) std::printf("\n%s: not in the font\n", label(code).c_str());
                continue;
            }
            shown.push_back(c);
            const std::vector<std::string>& rows = c->rows;
            if (context().json) {
                glyphs.push_back({{"code", code}, {"width", c->width}, {"rows", rows}});
                continue;
            }
            std::printf("\n%s, width %u\n", label(code).c_str(), c->width);
            if (blocks)
                std::fputs(dms::preview::terminalDrawing(lineOf({c}, font.height, 0)).c_str(), stdout);
            else
                for (const std::string& row : rows) std::printf("%s\n", row.c_str());
        }
        if (!png.empty()) {
            if (shown.empty()) throw Failure{"no characters to write to " + png, 1};
            writeFacePng(lineOf(shown, font.height, font.charSpacing), face, png);
            if (!context().json) std::printf("\nwrote %s\n", png.c_str());
        }
        if (context().json) {
            nlohmann::json j = {{"name", font.name}, {"height", font.height}, {"width", font.width},
                                {"number", font.number}, {"charSpacing", font.charSpacing},
                                {"lineSpacing", font.lineSpacing}, {"characters", font.charCount}, {"glyphs", glyphs}};
            if (!png.empty()) j["file"] = png;
            printJson(j);
        }
    });
}

Register reg("fonts", "Fonts on the sign and font files", [](CLI::App& fonts) { addShow(fonts); });

}  // namespace
}  // namespace dmsctl
