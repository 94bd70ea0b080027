// dmsctl's view of a MULTI text: the parsed pages copied into plain structs,
// the parser's listing, and the writer's round trip.
#include <memory>

#include "model/section.h"
#include "multi/describe.h"
#include "multi/faithful.h"
#include "multi/shown.h"
#include "tool/dmsctl_api.h"

namespace dms::tool {
namespace {

Color colorOf(const dms::Color& c) { return {c.index, c.rgb}; }
Flash flashOf(const dms::Flash& f) { return {f.flashOnTime, f.flashOffTime, f.flashBegin, f.flashEnd}; }
Font fontOf(const dms::Font& f) { return {f.fontNum, colorOf(f.fontColor)}; }
Rect rectOf(const dms::Rectangle& r) { return {r.x, r.y, r.width, r.height}; }

void setText(TextElement& e, const char* text) {
    e.hasText = text != nullptr;
    if (text != nullptr) e.text = text;
}

TextElement textElementOf(const OrderItem& item) {
    TextElement t;
    switch (item.kind) {
        case kKindHexCharacter: {
            auto* e = static_cast<const HexCharacter*>(item.element);
            t.kind = TextElement::Kind::kHex;
            t.code = e->x;
            t.flash = flashOf(e->flash);
            break;
        }
        case kKindSpecialObject: {
            auto* e = static_cast<const SpecialObject*>(item.element);
            t.kind = TextElement::Kind::kField;
            t.number = e->index;
            t.font = fontOf(*e);
            t.flash = flashOf(e->flash);
            break;
        }
        case kKindMoveText: {
            auto* e = static_cast<const MoveText*>(item.element);
            t.kind = TextElement::Kind::kMoving;
            t.mode = e->mode;
            t.delay = e->delay;
            t.direction = e->direction;
            t.width = e->width;
            t.step = e->stepPixels;
            t.stepTime = e->stepTime;
            t.flash = flashOf(e->flash);
            setText(t, e->textBase.Text());
            t.font = fontOf(e->textBase);
            t.textFlash = flashOf(e->textBase.flash);
            break;
        }
        case kKindNormalText: {
            auto* e = static_cast<const NormalText*>(item.element);
            t.kind = TextElement::Kind::kText;
            setText(t, e->Text());
            t.font = fontOf(*e);
            t.flash = flashOf(e->flash);
            break;
        }
        case kKindNewLine: {
            auto* e = static_cast<const NewLine*>(item.element);
            t.kind = TextElement::Kind::kNewLine;
            t.count = e->count;
            t.lineAlign = e->lineAlign;
            break;
        }
        default: break;
    }
    return t;
}

std::vector<TextElement> textOf(const SectionText& s) {
    std::vector<TextElement> text;
    for (const OrderItem& item : s.textOrder) text.push_back(textElementOf(item));
    return text;
}

GraphicElement graphicElementOf(const OrderItem& item) {
    GraphicElement g;
    switch (item.kind) {
        case kKindColorRectangle: {
            auto* e = static_cast<const ColorRectangle*>(item.element);
            g.kind = GraphicElement::Kind::kColorRectangle;
            g.rect = rectOf(*e);
            g.color = colorOf(e->color);
            g.flash = flashOf(e->flash);
            break;
        }
        case kKindPicture: {
            auto* e = static_cast<const Picture*>(item.element);
            g.kind = GraphicElement::Kind::kPicture;
            g.number = e->number;
            g.rect.x = e->x;
            g.rect.y = e->y;
            g.flash = flashOf(e->flash);
            break;
        }
        case kKindTextRectangle: {
            auto* e = static_cast<const TextRectangle*>(item.element);
            g.kind = GraphicElement::Kind::kTextRectangle;
            g.rect = rectOf(*e);
            g.pageAlign = e->pageAlign;
            g.lineAlign = e->lineAlign;
            g.spacing = e->spaceCharacterCount;
            g.flash = flashOf(e->flash);
            g.text = textOf(*e);
            break;
        }
        case kKindWeatherJourneyTime: {
            auto* e = static_cast<const WeatherJourneyTime*>(item.element);
            g.kind = GraphicElement::Kind::kDataField;
            g.number = e->tdno;
            g.rect = rectOf(*e);
            g.font = fontOf(*e);
            break;
        }
        default: break;
    }
    return g;
}

// As tqGetMessage reads: a text the faithful reading cannot tokenize is
// read the documented way.
std::unique_ptr<PageMessage> parse(const std::string& multi, bool faithful) {
    auto first = std::make_unique<PageMessage>();
    if (faithful) {
        const multi::FaithfulResult rc = multi::readFaithful(*first, multi.data(), multi.size());
        if (rc != multi::FaithfulResult::NotTokenized) return first;
        first = std::make_unique<PageMessage>();
    }
    first->FromMulti(multi.c_str());
    return first;
}

}  // namespace

std::vector<Page> multiPages(const std::string& multi, bool faithful) {
    auto first = parse(multi, faithful);
    std::vector<Page> pages;
    for (const PageMessage* p = first.get(); p != nullptr; p = p->next) {
        Page page;
        page.number = p->pageNum;
        page.onTime = p->pageOnTime;
        page.offTime = p->pageOffTime;
        page.background = colorOf(p->pageBackground);
        page.pageAlign = p->pageAlign;
        page.lineAlign = p->lineAlign;
        page.spacing = p->spaceCharacterCount;
        page.text = textOf(*p);
        for (const OrderItem& item : p->graphicOrder) page.graphics.push_back(graphicElementOf(item));
        pages.push_back(std::move(page));
    }
    return pages;
}

std::string describeMulti(const std::string& multi, bool faithful) {
    return describePages(parse(multi, faithful).get(), true);
}

std::string rewriteMulti(const std::string& multi, bool faithful) { return parse(multi, faithful)->ToMulti().str(); }

bool showsSame(const std::string& a, const std::string& b) {
    std::string shownA, shownB;
    return multi::describeShown(a.data(), a.size(), shownA) && multi::describeShown(b.data(), b.size(), shownB) &&
           shownA == shownB;
}

}  // namespace dms::tool
