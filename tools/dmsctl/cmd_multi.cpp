// dmsctl multi explain|roundtrip: what the MULTI parser makes of a message,
// and what the writer makes of that again. No sign is opened.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "dmsctl_api.h"

namespace dmsctl {
namespace {

using nlohmann::json;

namespace tool = dms::tool;

json colorJson(const tool::Color& c) { return {{"index", c.index}, {"rgb", c.rgb}}; }
json flashJson(const tool::Flash& f) { return {{"on", f.on}, {"off", f.off}, {"begin", f.begin}, {"end", f.end}}; }
json fontJson(const tool::Font& f) { return {{"font", f.number}, {"color", colorJson(f.color)}}; }
json textJson(const tool::TextElement& e) { return e.hasText ? json(e.text) : json(); }

json sectionJson(const std::vector<tool::TextElement>& text) {
    json items = json::array();
    for (const tool::TextElement& e : text) {
        json j;
        switch (e.kind) {
            case tool::TextElement::Kind::kHex:
                j = {{"element", "hex"}, {"code", e.code}, {"flash", flashJson(e.flash)}};
                break;
            case tool::TextElement::Kind::kField:
                j = {{"element", "field"}, {"number", e.number}, {"font", fontJson(e.font)},
                     {"flash", flashJson(e.flash)}};
                break;
            case tool::TextElement::Kind::kMoving:
                j = {{"element", "moving"},      {"mode", e.mode == 1 ? "circular" : "linear"},
                     {"delay", e.delay},         {"direction", e.direction == 0 ? "left" : "right"},
                     {"width", e.width},         {"step", e.step},
                     {"stepTime", e.stepTime},   {"flash", flashJson(e.flash)},
                     {"text", textJson(e)},      {"font", fontJson(e.font)},
                     {"textFlash", flashJson(e.textFlash)}};
                break;
            case tool::TextElement::Kind::kText:
                j = {{"element", "text"}, {"text", textJson(e)}, {"font", fontJson(e.font)},
                     {"flash", flashJson(e.flash)}};
                break;
            case tool::TextElement::Kind::kNewLine:
                j = {{"element", "newline"}, {"count", e.count}, {"lineAlign", e.lineAlign}};
                break;
            default: j = {{"element", "unknown"}}; break;
        }
        items.push_back(j);
    }
    return items;
}

json rectJson(const tool::Rect& r) { return {{"x", r.x}, {"y", r.y}, {"width", r.width}, {"height", r.height}}; }

json pagesJson(const std::vector<tool::Page>& pages) {
    json list = json::array();
    for (const tool::Page& p : pages) {
        json graphics = json::array();
        for (const tool::GraphicElement& e : p.graphics) {
            json j;
            switch (e.kind) {
                case tool::GraphicElement::Kind::kColorRectangle:
                    j = {{"element", "colorRectangle"}, {"rectangle", rectJson(e.rect)}, {"color", colorJson(e.color)},
                         {"flash", flashJson(e.flash)}};
                    break;
                case tool::GraphicElement::Kind::kPicture:
                    j = {{"element", "picture"}, {"number", e.number}, {"x", e.rect.x}, {"y", e.rect.y},
                         {"flash", flashJson(e.flash)}};
                    break;
                case tool::GraphicElement::Kind::kTextRectangle:
                    j = {{"element", "textRectangle"}, {"rectangle", rectJson(e.rect)}, {"pageAlign", e.pageAlign},
                         {"lineAlign", e.lineAlign},    {"spacing", e.spacing},
                         {"flash", flashJson(e.flash)}, {"text", sectionJson(e.text)}};
                    break;
                case tool::GraphicElement::Kind::kDataField:
                    j = {{"element", "dataField"}, {"number", e.number}, {"rectangle", rectJson(e.rect)},
                         {"font", fontJson(e.font)}};
                    break;
                default: j = {{"element", "unknown"}}; break;
            }
            graphics.push_back(j);
        }
        list.push_back({{"page", p.number},
                        {"onTime", p.onTime},
                        {"offTime", p.offTime},
                        {"background", colorJson(p.background)},
                        {"pageAlign", p.pageAlign},
                        {"lineAlign", p.lineAlign},
                        {"spacing", p.spacing},
                        {"text", sectionJson(p.text)},
                        {"graphics", graphics}});
    }
    return list;
}

// Texts may hold bytes that are not UTF-8: they are replaced in JSON output.
void printLenientJson(const json& j) {
    std::cout << j.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
}

Register multi("multi", "What the MULTI parser and writer, and the simulated sign, make of a message", [](CLI::App& group) {
    static std::string text;
    static bool faithful = false;
    auto* explain = group.add_subcommand("explain", "List the pages and elements the parser finds");
    explain->add_option("multi", text, "The MULTI string")->required();
    explain->add_flag("--faithful", faithful, "Show the faithful reading beside the documented one");
    explain->callback([] {
        if (context().json) {
            json out = {{"multi", text}, {"pages", pagesJson(tool::multiPages(text))}};
            if (faithful) out["faithfulPages"] = pagesJson(tool::multiPages(text, true));
            printLenientJson(out);
        } else if (faithful) {
            std::cout << "documented reading:\n" << tool::describeMulti(text) << "faithful reading:\n"
                      << tool::describeMulti(text, true);
        } else {
            std::cout << tool::describeMulti(text);
        }
    });
    auto* roundtrip = group.add_subcommand("roundtrip", "Parse the message and print what the writer makes of it");
    roundtrip->add_option("multi", text, "The MULTI string")->required();
    roundtrip->add_flag("--faithful", faithful, "Show the faithful reading's text beside the documented one");
    roundtrip->callback([] {
        const std::string written = tool::rewriteMulti(text);
        if (!faithful) {
            if (context().json)
                printLenientJson({{"multi", text}, {"written", written}, {"same", written == text}});
            else
                std::cout << written << "\n";
            return;
        }
        // Beside each text: whether a sign shows it as it shows the original.
        const std::string kept = tool::rewriteMulti(text, true);
        const bool documentedShows = tool::showsSame(text, written), faithfulShows = tool::showsSame(text, kept);
        if (context().json) {
            printLenientJson({{"multi", text},
                              {"written", written},
                              {"same", written == text},
                              {"showsSame", documentedShows},
                              {"faithful", {{"written", kept}, {"same", kept == text}, {"showsSame", faithfulShows}}}});
        } else {
            std::cout << "documented: " << written << (documentedShows ? "" : "   (shows differently)") << "\n"
                      << "faithful:   " << kept << (faithfulShows ? "" : "   (shows differently)") << "\n";
        }
    });
});

}  // namespace
}  // namespace dmsctl
