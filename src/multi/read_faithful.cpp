// The faithful reading (see faithful.h). The text is tokenized whole first,
// so a text with a syntax error adds nothing; then each page is read token
// by token with the state a sign keeps.
#include <string>
#include <vector>

#include "multi/faithful.h"
#include "multi/tokenizer.h"

namespace dms {
namespace multi {
namespace {

bool sameFont(const Font& a, const Font& b) { return a.fontNum == b.fontNum && a.fontColor == b.fontColor; }
bool sameFlash(const Flash& a, const Flash& b) {
    return a.flashOnTime == b.flashOnTime && a.flashOffTime == b.flashOffTime;
}
Flash flashOf(int32_t on, int32_t off) {
    Flash f;
    f.flashOnTime = on;
    f.flashOffTime = off;
    return f;
}
Color colorOf(const ColorValue& c) {
    if (c.form == ColorForm::Index) return Color(c.index, -1);
    if (c.form == ColorForm::Rgb) return Color::fromRgb((c.red << 16) | (c.green << 8) | c.blue);
    return kColorUnset;
}
bool modelJustification(int32_t code) { return code >= 2 && code <= 4; }

// Whether the page's flashing fits the model: every region opens with both
// times given (not both 0), closes before the next opens, and holds no
// moving text. Otherwise every flash tag of the page is kept as text.
bool simpleFlashing(const Token* t, const Token* end) {
    bool open = false;
    for (; t != end; ++t) {
        if (t->kind == TokenKind::Flash) {
            if (open || t->flash.on < 0 || t->flash.off < 0 || (t->flash.on == 0 && t->flash.off == 0)) return false;
            open = true;
        } else if (t->kind == TokenKind::FlashEnd) {
            if (!open) return false;
            open = false;
        } else if (t->kind == TokenKind::MovingText && open) {
            return false;
        }
    }
    return true;
}

class Reader {
public:
    // run is scratch room for the text runs, kept by the caller so that its
    // memory is reused from message to message.
    Reader(const char* text, PageMessage& first, std::string& run) : text_(text), page_(&first), run_(run) {}

    bool read(const Token* begin, const Token* end) {
        int32_t number = 0;
        for (const Token* t = begin;;) {
            const Token* pageEnd = t;
            while (pageEnd != end && pageEnd->kind != TokenKind::NewPage) ++pageEnd;
            if (number > 0 && (page_ = AppendNew(&page_)) == nullptr) return false;
            startPage(number++, t, pageEnd);
            for (; t != pageEnd; ++t) {
                if (defaultTimesToRepeat_) repeatDefaultTimes(t);
                if (!take(*t)) return false;
            }
            if (defaultTimesToRepeat_) repeatDefaultTimes(nullptr);
            if (!flush()) return false;
            if (t == end) return true;
            ++t;  // the "[np]"
        }
    }

private:
    void startPage(int32_t number, const Token* begin, const Token* end) {
        page_->pageNum = number;
        page_->pageOnTime = onTime_;
        page_->pageOffTime = offTime_;
        page_->pageBackground = background_;
        // A carried code the model has no name for stays with the sign.
        page_->lineAlign = modelJustification(lineAlign_) ? lineAlign_ : -1;
        page_->pageAlign = modelJustification(pageAlign_) ? pageAlign_ : -1;
        section_ = page_;
        rect_ = nullptr;
        flash_ = Flash();
        rawFlashing_ = !simpleFlashing(begin, end);
        timesSet_ = backgroundSet_ = lineSet_ = pageSet_ = false;
        defaultTimesToRepeat_ = onTimeDefault_;
    }

    // The sign's default on time, carried from a page before, has no number
    // to write: unless the page begins with page times of its own, its text
    // begins with the tag that chose the default.
    void repeatDefaultTimes(const Token* t) {
        defaultTimesToRepeat_ = false;
        if (t != nullptr && t->kind == TokenKind::PageTime) return;
        const std::string tag = offTime_ == 0 ? "[pt]" : "[pto" + std::to_string(offTime_) + "]";
        appendRun(tag.data(), tag.size());
        timesSet_ = true;
    }

    // No element in the page's own text yet, and no text rectangle.
    bool pageHeader() const { return rect_ == nullptr && page_->textOrder.empty() && !runOpen_; }
    bool rectHeader() const { return rect_ != nullptr && rect_->textOrder.empty() && !runOpen_; }

    // Text (or a tag kept as text) joins the open run when it has the same
    // font, colour and flashing.
    void appendRun(const char* p, size_t n) {
        if (runOpen_ && (!sameFont(runFont_, font_) || !sameFlash(runFlash_, flash_))) flush();
        if (!runOpen_) {
            run_.clear();
            runFont_ = font_;
            runFlash_ = flash_;
            runOpen_ = true;
        }
        run_.append(p, n);
    }
    void keep(const Token& t) { appendRun(text_ + t.pos, t.length); }
    bool keepTag(const Token& t) {
        keep(t);
        return true;
    }

    bool flush() {
        if (!runOpen_) return true;
        runOpen_ = false;
        NormalText* e = section_->AddNormalText(run_.c_str());
        if (e == nullptr || e->Text() == nullptr) return false;
        static_cast<Font&>(*e) = runFont_;
        e->flash = runFlash_;
        return true;
    }

    // The font and colour the writer last wrote at this point of its output:
    // that of the section's last element with a font, else (in a text
    // rectangle) of the rectangles written before it, else of the page's own
    // text; nothing at the start of a page.
    static const Font* lastFontOf(const SectionText& section) {
        for (auto i = section.textOrder.rbegin(); i != section.textOrder.rend(); ++i) {
            if (i->kind == kKindNormalText) return static_cast<const NormalText*>(i->element);
            if (i->kind == kKindSpecialObject) return static_cast<const SpecialObject*>(i->element);
            if (i->kind == kKindMoveText) return &static_cast<const MoveText*>(i->element)->textBase;
        }
        return nullptr;
    }
    Font writtenFont() const {
        if (const Font* f = lastFontOf(*section_)) return *f;
        if (rect_ != nullptr) {
            const auto& order = page_->graphicOrder;
            for (auto i = order.rbegin(); i != order.rend(); ++i) {
                if (i->element != rect_ && i->kind == kKindTextRectangle)
                    if (const Font* f = lastFontOf(*static_cast<const TextRectangle*>(i->element))) return *f;
            }
            if (const Font* f = lastFontOf(*page_)) return *f;
        }
        return Font();
    }

    // Hex characters and moving texts are written without font tags of
    // their own: when the writer would not be in the current font there, an
    // empty text in that font goes in front of them.
    bool currentFontWritten() {
        if (sameFont(writtenFont(), font_)) return true;
        run_.clear();
        runFont_ = font_;
        runFlash_ = flash_;
        runOpen_ = true;
        return flush();
    }

    bool take(const Token& t) {
        switch (t.kind) {
            case TokenKind::Text: appendRun(text_ + t.pos, t.length); return true;
            // A font or colour tag kept as text goes into a run in the font
            // it chooses, so the writer's idea of the current font is the
            // sign's after it.
            case TokenKind::Font:
                font_.fontNum = t.font.number;
                if (t.font.number < 0 || t.font.version >= 0) keep(t);
                return true;
            case TokenKind::ColorForeground:
                font_.fontColor = colorOf(t.color);
                if (t.color.form == ColorForm::Default) keep(t);
                return true;
            case TokenKind::Flash:
                if (rawFlashing_)
                    keep(t);
                else
                    flash_ = flashOf(t.flash.on, t.flash.off);
                return true;
            case TokenKind::FlashEnd:
                if (rawFlashing_)
                    keep(t);
                else
                    flash_ = Flash();
                return true;
            case TokenKind::JustifyLine: return justifyLine(t);
            case TokenKind::JustifyPage: return justifyPage(t);
            case TokenKind::PageTime: return pageTime(t);
            case TokenKind::PageBackground: return pageBackground(t);
            case TokenKind::NewLine: return newLine(t);
            case TokenKind::Field: return field(t);
            case TokenKind::HexCharacter: return hexCharacter(t);
            case TokenKind::MovingText: return movingText(t);
            // Graphic elements are written after the page's text. On a page
            // whose flash tags stay as text they stay in the text too, to
            // keep their place before, inside or after each region.
            case TokenKind::Graphic: return rawFlashing_ ? keepTag(t) : graphic(t);
            case TokenKind::ColorRectangle: return rawFlashing_ ? keepTag(t) : colorRectangle(t);
            case TokenKind::TextRectangle: return rawFlashing_ ? keepTag(t) : textRectangle(t);
            // [cb], [sc], [/sc], [ms], [/ms], and travel-time fields: the
            // writer writes those after the page's text, without their flash
            // and in whatever font the text left, so they stay in the text.
            default: keep(t); return true;
        }
    }

    bool justifyLine(const Token& t) {
        const int32_t v = t.number;
        lineAlign_ = v;
        if (!modelJustification(v)) {
            keep(t);
        } else if (pageHeader() && !lineSet_) {
            page_->lineAlign = v;
            lineSet_ = true;
        } else if (rectHeader() && rect_->lineAlign == -1) {
            rect_->lineAlign = v;
        } else if (!runOpen_ && !section_->textOrder.empty() && section_->textOrder.back().kind == kKindNewLine &&
                   static_cast<NewLine*>(section_->textOrder.back().element)->lineAlign == -1) {
            static_cast<NewLine*>(section_->textOrder.back().element)->lineAlign = v;
        } else {
            keep(t);
        }
        return true;
    }

    bool justifyPage(const Token& t) {
        const int32_t v = t.number;
        pageAlign_ = v;
        if (!modelJustification(v)) {
            keep(t);
        } else if (pageHeader() && !pageSet_) {
            page_->pageAlign = v;
            pageSet_ = true;
        } else if (rectHeader() && rect_->pageAlign == -1) {
            rect_->pageAlign = v;
        } else {
            keep(t);
        }
        return true;
    }

    // The first "[pt" of a page sets its times wherever it stands (a sign
    // takes the page's last times for the whole page); later ones, and all
    // after one kept as text, stay as text, so their order is kept.
    bool pageTime(const Token& t) {
        if (t.pageTime.on < 0 || timesSet_) {
            keep(t);
            timesSet_ = true;
        } else {
            page_->pageOnTime = t.pageTime.on;
            page_->pageOffTime = t.pageTime.off < 0 ? 0 : t.pageTime.off;
            timesSet_ = true;
        }
        onTimeDefault_ = t.pageTime.on < 0;
        if (!onTimeDefault_) onTime_ = t.pageTime.on;
        offTime_ = t.pageTime.off < 0 ? 0 : t.pageTime.off;
        return true;
    }

    bool pageBackground(const Token& t) {
        background_ = colorOf(t.color);
        if (t.color.form == ColorForm::Default || backgroundSet_) {
            keep(t);
            backgroundSet_ = true;
        } else {
            page_->pageBackground = background_;
            backgroundSet_ = true;
        }
        return true;
    }

    // "[nl]" has no line spacing (count -1); "[nl1]" to "[nl9]" have theirs.
    bool newLine(const Token& t) {
        if (t.number == 0 || t.number > 9) {
            keep(t);
            return true;
        }
        return flush() && section_->AddNewLine(t.number) != nullptr;
    }

    bool field(const Token& t) {
        if (t.field.width >= 0) {
            keep(t);
            return true;
        }
        if (!flush()) return false;
        SpecialObject* e = section_->AddSpecialObject();
        if (e == nullptr) return false;
        static_cast<Font&>(*e) = font_;
        e->index = t.field.id;
        e->flash = flash_;
        return true;
    }

    // The code keeps its digits as written (case and leading zeros).
    bool hexCharacter(const Token& t) {
        const size_t digits = t.length - 4;  // "[hc" and "]"
        if (digits > 3) {
            keep(t);
            return true;
        }
        if (!flush() || !currentFontWritten()) return false;
        HexCharacter* e = section_->AddHexCharacter();
        if (e == nullptr) return false;
        static_cast<Font&>(*e) = font_;
        for (size_t i = 0; i < digits; ++i) e->x[i] = text_[t.pos + 3 + i];
        e->x[digits] = '\0';
        e->flash = flash_;
        return true;
    }

    // The moving text's own text is kept as written, inner tags included; it
    // has no font of its own, so the writer adds none inside the tag.
    bool movingText(const Token& t) {
        if (!flush() || !currentFontWritten()) return false;
        MoveText* e = section_->AddMoveText();
        if (e == nullptr) return false;
        const MovingValue& m = t.moving;
        e->mode = m.mode == 'l' ? 2 : 1;
        e->delay = m.mode == 'l' && m.delay > 0 ? m.delay : 0;
        e->direction = m.direction == 'r' ? 1 : 0;
        e->width = m.width;
        e->stepPixels = m.step;
        e->stepTime = m.rate;
        run_.assign(text_ + m.text.pos, m.text.length);  // no run is open here
        return e->textBase.SetText(run_.c_str());
    }

    // A picture with a version ID stays as text.
    bool graphic(const Token& t) {
        if (t.graphic.version >= 0) {
            keep(t);
            return true;
        }
        Picture* e = page_->AddPicture(t.graphic.number, t.graphic.x < 0 ? 1 : t.graphic.x,
                                       t.graphic.y < 0 ? 1 : t.graphic.y);
        if (e == nullptr) return false;
        e->flash = flash_;
        return true;
    }

    bool colorRectangle(const Token& t) {
        ColorRectangle* e = page_->AddColorRectangle();
        if (e == nullptr) return false;
        const RectValue& r = t.colorRect.rect;
        e->x = r.x;
        e->y = r.y;
        e->width = r.width;
        e->height = r.height;
        e->color = colorOf(t.colorRect.color);
        e->flash = flash_;
        return true;
    }

    bool textRectangle(const Token& t) {
        if (!flush()) return false;
        TextRectangle* e = page_->AddTextRectangle();
        if (e == nullptr) return false;
        e->x = t.rect.x;
        e->y = t.rect.y;
        e->width = t.rect.width;
        e->height = t.rect.height;
        // No flashing of its own: the writer writes a rectangle's flash tags
        // after its "[tr", where its text takes them anyway.
        rect_ = e;
        section_ = e;
        return true;
    }

    const char* text_;
    // Carried from page to page.
    Font font_;
    int32_t lineAlign_ = -1, pageAlign_ = -1, onTime_ = 60, offTime_ = 0;
    bool onTimeDefault_ = false, defaultTimesToRepeat_ = false;
    Color background_ = kColorUnset;
    // This page.
    PageMessage* page_;
    SectionText* section_ = nullptr;
    TextRectangle* rect_ = nullptr;
    Flash flash_;
    bool rawFlashing_ = false;
    bool timesSet_ = false, backgroundSet_ = false, lineSet_ = false, pageSet_ = false;
    // The open text run.
    std::string& run_;
    Font runFont_;
    Flash runFlash_;
    bool runOpen_ = false;
};

}  // namespace

FaithfulResult readFaithful(PageMessage& first, const char* text, size_t length) {
    // Tokens go straight into a buffer kept by the thread (no copy, no
    // allocation once it has grown).
    thread_local std::vector<Token> tokens(64);
    size_t n = 0;
    Tokenizer tokenizer(text, length);
    for (;; ++n) {
        if (n == tokens.size()) tokens.resize(2 * n);
        if (!tokenizer.next(tokens[n])) break;
        if (tokens[n].kind == TokenKind::Error) return FaithfulResult::NotTokenized;
    }
    thread_local std::string run;
    Reader reader(text, first, run);
    return reader.read(tokens.data(), tokens.data() + n) ? FaithfulResult::Done : FaithfulResult::NoMemory;
}

}  // namespace multi
}  // namespace dms
