// dmsctl multi explain|roundtrip: what the MULTI parser makes of a message,
// and what the writer makes of that again. No sign is opened.
#include <iostream>
#include <memory>
#include <string>

#include "cli.h"
#include "model/section.h"
#include "multi/describe.h"

namespace dmsctl {
namespace {

using nlohmann::json;

json colorJson(const dms::Color& c) { return {{"index", c.index}, {"rgb", c.rgb}}; }
json flashJson(const dms::Flash& f) {
    return {{"on", f.flashOnTime}, {"off", f.flashOffTime}, {"begin", f.flashBegin}, {"end", f.flashEnd}};
}
json fontJson(const dms::Font& f) { return {{"font", f.fontNum}, {"color", colorJson(f.fontColor)}}; }
json textJson(const char* t) { return t == nullptr ? json() : json(std::string(t)); }

json sectionJson(const dms::SectionText& s) {
    json items = json::array();
    for (const dms::OrderItem& item : s.textOrder) {
        json j;
        switch (item.kind) {
            case dms::kKindHexCharacter: {
                auto* e = static_cast<const dms::HexCharacter*>(item.element);
                j = {{"element", "hex"}, {"code", std::string(e->x)}, {"flash", flashJson(e->flash)}};
                break;
            }
            case dms::kKindSpecialObject: {
                auto* e = static_cast<const dms::SpecialObject*>(item.element);
                j = {{"element", "field"}, {"number", e->index}, {"font", fontJson(*e)}, {"flash", flashJson(e->flash)}};
                break;
            }
            case dms::kKindMoveText: {
                auto* e = static_cast<const dms::MoveText*>(item.element);
                j = {{"element", "moving"},      {"mode", e->mode == 1 ? "circular" : "linear"},
                     {"delay", e->delay},        {"direction", e->direction == 0 ? "left" : "right"},
                     {"width", e->width},        {"step", e->stepPixels},
                     {"stepTime", e->stepTime},  {"flash", flashJson(e->flash)},
                     {"text", textJson(e->textBase.Text())}, {"font", fontJson(e->textBase)},
                     {"textFlash", flashJson(e->textBase.flash)}};
                break;
            }
            case dms::kKindNormalText: {
                auto* e = static_cast<const dms::NormalText*>(item.element);
                j = {{"element", "text"}, {"text", textJson(e->Text())}, {"font", fontJson(*e)},
                     {"flash", flashJson(e->flash)}};
                break;
            }
            case dms::kKindNewLine: {
                auto* e = static_cast<const dms::NewLine*>(item.element);
                j = {{"element", "newline"}, {"count", e->count}, {"lineAlign", e->lineAlign}};
                break;
            }
            default: j = {{"element", "unknown"}}; break;
        }
        items.push_back(j);
    }
    return items;
}

json rectJson(const dms::Rectangle& r) { return {{"x", r.x}, {"y", r.y}, {"width", r.width}, {"height", r.height}}; }

json pagesJson(const dms::PageMessage* first) {
    json pages = json::array();
    for (const dms::PageMessage* p = first; p != nullptr; p = p->next) {
        json graphics = json::array();
        for (const dms::OrderItem& item : p->graphicOrder) {
            json j;
            switch (item.kind) {
                case dms::kKindColorRectangle: {
                    auto* e = static_cast<const dms::ColorRectangle*>(item.element);
                    j = {{"element", "colorRectangle"}, {"rectangle", rectJson(*e)}, {"color", colorJson(e->color)},
                         {"flash", flashJson(e->flash)}};
                    break;
                }
                case dms::kKindPicture: {
                    auto* e = static_cast<const dms::Picture*>(item.element);
                    j = {{"element", "picture"}, {"number", e->number}, {"x", e->x}, {"y", e->y},
                         {"flash", flashJson(e->flash)}};
                    break;
                }
                case dms::kKindTextRectangle: {
                    auto* e = static_cast<const dms::TextRectangle*>(item.element);
                    j = {{"element", "textRectangle"}, {"rectangle", rectJson(*e)}, {"pageAlign", e->pageAlign},
                         {"lineAlign", e->lineAlign},    {"spacing", e->spaceCharacterCount},
                         {"flash", flashJson(e->flash)}, {"text", sectionJson(*e)}};
                    break;
                }
                case dms::kKindWeatherJourneyTime: {
                    auto* e = static_cast<const dms::WeatherJourneyTime*>(item.element);
                    j = {{"element", "dataField"}, {"number", e->tdno}, {"rectangle", rectJson(*e)}, {"font", fontJson(*e)}};
                    break;
                }
                default: j = {{"element", "unknown"}}; break;
            }
            graphics.push_back(j);
        }
        pages.push_back({{"page", p->pageNum},
                         {"onTime", p->pageOnTime},
                         {"offTime", p->pageOffTime},
                         {"background", colorJson(p->pageBackground)},
                         {"pageAlign", p->pageAlign},
                         {"lineAlign", p->lineAlign},
                         {"spacing", p->spaceCharacterCount},
                         {"text", sectionJson(*p)},
                         {"graphics", graphics}});
    }
    return pages;
}

// Texts may hold bytes that are not UTF-8: they are replaced in JSON output.
void printLenientJson(const json& j) {
    std::cout << j.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
}

std::unique_ptr<dms::PageMessage> parse(const std::string& multi) {
    auto first = std::make_unique<dms::PageMessage>();
    first->FromMulti(multi.c_str());
    return first;
}

Register multi("multi", "What the MULTI parser and writer make of a message (no sign needed)", [](CLI::App& group) {
    static std::string text;
    auto* explain = group.add_subcommand("explain", "List the pages and elements the parser finds");
    explain->add_option("multi", text, "The MULTI string")->required();
    explain->callback([] {
        auto first = parse(text);
        if (context().json)
            printLenientJson({{"multi", text}, {"pages", pagesJson(first.get())}});
        else
            std::cout << dms::DescribePages(first.get(), true);
    });
    auto* roundtrip = group.add_subcommand("roundtrip", "Parse the message and print what the writer makes of it");
    roundtrip->add_option("multi", text, "The MULTI string")->required();
    roundtrip->callback([] {
        auto first = parse(text);
        std::string written = first->ToMulti().str();
        if (context().json)
            printLenientJson({{"multi", text}, {"written", written}, {"same", written == text}});
        else
            std::cout << written << "\n";
    });
});

}  // namespace
}  // namespace dmsctl
