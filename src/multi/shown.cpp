#include "multi/shown.h"

#include <algorithm>
#include <vector>

#include "multi/tokenizer.h"

namespace dms {
namespace multi {
namespace {

std::string num(int32_t v) { return std::to_string(v); }

std::string colorText(const ColorValue& c) {
    switch (c.form) {
        case ColorForm::Index: return "i" + num(c.index);
        case ColorForm::Rgb: return num(c.red) + "," + num(c.green) + "," + num(c.blue);
        default: return "default";
    }
}

std::string rectText(const RectValue& r) {
    return num(r.x) + "," + num(r.y) + "," + num(r.width) + "," + num(r.height);
}

struct State {
    // Carried from page to page.
    int32_t font = -1;
    std::string foreground = "default", background = "default", pageBackground = "default";
    int32_t lineJustify = -1, pageJustify = -1, onTime = 60, offTime = 0;
    // Ended by a new page.
    std::string flash = "none", rect = "page";
    int32_t spacing = -1;

    std::string flowState() const {
        return " fo" + num(font) + " cf " + foreground + " cb " + background + " fl " + flash + " jl" +
               num(lineJustify) + " jp" + num(pageJustify) + " sc" + num(spacing) + " in " + rect;
    }
    void newPage() {
        flash = "none";
        rect = "page";
        spacing = -1;
    }
};

class Describer {
public:
    explicit Describer(const char* text) : text_(text) {}

    void take(const Token& t) {
        switch (t.kind) {
            case TokenKind::Text: {
                const std::string state = s_.flowState();
                if (state != runState_) endRun();
                for (char c : Unescaped(text_, t.span)) runText_ += c;
                runState_ = state;
                return;
            }
            case TokenKind::NewPage: endPage(); return;
            case TokenKind::Font: s_.font = t.font.number; return;
            case TokenKind::ColorForeground: s_.foreground = colorText(t.color); return;
            case TokenKind::ColorBackground: s_.background = colorText(t.color); return;
            case TokenKind::PageBackground: s_.pageBackground = colorText(t.color); return;
            case TokenKind::Flash:
                s_.flash = num(t.flash.on) + "/" + num(t.flash.off);
                return;
            case TokenKind::FlashEnd: s_.flash = "none"; return;
            case TokenKind::JustifyLine: s_.lineJustify = t.number; return;
            case TokenKind::JustifyPage: s_.pageJustify = t.number; return;
            case TokenKind::Spacing: s_.spacing = t.number; return;
            case TokenKind::SpacingEnd: s_.spacing = -1; return;
            case TokenKind::PageTime:
                s_.onTime = t.pageTime.on;
                s_.offTime = t.pageTime.off < 0 ? 0 : t.pageTime.off;
                return;
            case TokenKind::HexCharacter: flow("hc " + num(t.hex.code)); return;
            case TokenKind::Field: flow("f " + num(t.field.id) + "," + num(t.field.width)); return;
            case TokenKind::NewLine:
                endRun();
                flow_ += "nl " + num(t.number) + "\n";
                return;
            case TokenKind::MovingText: {
                const MovingValue& m = t.moving;
                flow(std::string("mv ") + m.mode + num(m.mode == 'l' && m.delay > 0 ? m.delay : 0) + m.direction +
                     num(m.width) + "," + num(m.step) + "," + num(m.rate) + "," +
                     std::string(text_ + m.text.pos, m.text.length));
                return;
            }
            case TokenKind::Manufacturer:
            case TokenKind::ManufacturerEnd:
                flow(std::string(t.kind == TokenKind::Manufacturer ? "ms " : "/ms ") +
                     std::string(text_ + t.span.pos, t.span.length));
                return;
            case TokenKind::Graphic:
                graphics_.push_back("g " + num(t.graphic.number) + " at " + num(t.graphic.x < 0 ? 1 : t.graphic.x) +
                                    "," + num(t.graphic.y < 0 ? 1 : t.graphic.y) + " v" + num(t.graphic.version) +
                                    " fl " + s_.flash);
                return;
            case TokenKind::ColorRectangle:
                graphics_.push_back("cr " + rectText(t.colorRect.rect) + " " + colorText(t.colorRect.color) +
                                    " fl " + s_.flash);
                return;
            case TokenKind::TextRectangle:
                endRun();
                s_.rect = rectText(t.rect);
                graphics_.push_back("tr " + s_.rect);
                return;
            case TokenKind::TravelTime:
                graphics_.push_back("tdc " + num(t.travel.number) + " " +
                                    (t.travel.hasRect ? rectText(t.travel.rect) : "-") + " fo" + num(s_.font) +
                                    " cf " + s_.foreground + " fl " + s_.flash);
                return;
            default: return;
        }
    }

    std::string finish() {
        endPage();
        return out_;
    }

private:
    // Characters in the same state make one item.
    void endRun() {
        if (runText_.empty()) return;
        flow_ += "text \"" + runText_ + "\"" + runState_ + "\n";
        runText_.clear();
    }
    void flow(const std::string& item) {
        endRun();
        flow_ += item + s_.flowState() + "\n";
    }
    void endPage() {
        endRun();
        out_ += "page " + num(page_++) + " pt " + num(s_.onTime) + "/" + num(s_.offTime) + " pb " +
                s_.pageBackground + "\n" + flow_;
        std::sort(graphics_.begin(), graphics_.end());
        for (const std::string& g : graphics_) out_ += "  " + g + "\n";
        flow_.clear();
        graphics_.clear();
        s_.newPage();
    }

    const char* text_;
    State s_;
    std::string out_, flow_, runText_, runState_;
    std::vector<std::string> graphics_;
    int32_t page_ = 0;
};

}  // namespace

bool describeShown(const char* text, size_t length, std::string& shown) {
    Describer d(text);
    Tokenizer tokens(text, length);
    for (Token t; tokens.next(t);) {
        if (t.kind == TokenKind::Error) {
            shown = "error " + num(t.error.code) + " at " + std::to_string(t.error.at);
            return false;
        }
        d.take(t);
    }
    shown = d.finish();
    return true;
}

std::string visibleText(const char* text, size_t length) {
    std::string out;
    Tokenizer tokens(text, length);
    for (Token t; tokens.next(t);) {
        switch (t.kind) {
            case TokenKind::Text:
                for (char c : Unescaped(text, t.span)) out += c;
                break;
            case TokenKind::HexCharacter: out += "\\x" + num(t.hex.code); break;
            case TokenKind::Field: out += "\\f" + num(t.field.id); break;
            case TokenKind::MovingText: out.append(text + t.moving.text.pos, t.moving.text.length); break;
            case TokenKind::NewPage: out += '\n'; break;
            default: break;
        }
    }
    return out;
}

}  // namespace multi
}  // namespace dms
