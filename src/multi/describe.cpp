#include "multi/describe.h"

#include <cstdio>

namespace dms {
namespace {

class Lines {
public:
    explicit Lines(bool positions) : positions_(positions) {}
    std::string out;

    void line(int indent, const std::string& text) {
        out.append(static_cast<size_t>(indent) * 2, ' ');
        out += text;
        out += '\n';
    }
    static std::string num(long v) { return std::to_string(v); }
    static std::string color(const Color& c) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%d/%d", c.index, c.rgb);
        return buf;
    }
    std::string flash(const Flash& f) const {
        std::string s = " flash " + num(f.flashOnTime) + "/" + num(f.flashOffTime);
        if (positions_) s += " @" + num(f.flashBegin) + ".." + num(f.flashEnd);
        return s;
    }
    static std::string font(const Font& f) { return " font " + num(f.fontNum) + " color " + color(f.fontColor); }
    static std::string text(const char* t) {
        if (t == nullptr) return "null";
        std::string s = "\"";
        for (const char* p = t; *p; ++p) {
            unsigned char c = static_cast<unsigned char>(*p);
            if (c < 0x20 || c == '"' || c == '\\' || c >= 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", c);
                s += buf;
            } else {
                s += static_cast<char>(c);
            }
        }
        return s + "\"";
    }
    static std::string rect(const Rectangle& r) {
        return num(r.x) + "," + num(r.y) + "," + num(r.width) + "," + num(r.height);
    }
    static std::string aligns(const SectionText& s) {
        return " jp " + num(s.pageAlign) + " jl " + num(s.lineAlign) + " sc " + num(s.spaceCharacterCount);
    }

    void section(int indent, const SectionText& s) {
        for (const OrderItem& item : s.textOrder) {
            switch (item.kind) {
                case kKindHexCharacter: {
                    auto* e = static_cast<const HexCharacter*>(item.element);
                    line(indent, "hex " + text(e->x) + flash(e->flash));
                    break;
                }
                case kKindSpecialObject: {
                    auto* e = static_cast<const SpecialObject*>(item.element);
                    line(indent, "field " + num(e->index) + font(*e) + flash(e->flash));
                    break;
                }
                case kKindMoveText: {
                    auto* e = static_cast<const MoveText*>(item.element);
                    line(indent, "move mode " + num(e->mode) + " delay " + num(e->delay) + " direction " +
                                     num(e->direction) + " width " + num(e->width) + " step " +
                                     num(e->stepPixels) + " time " + num(e->stepTime) + flash(e->flash) +
                                     " text " + text(e->textBase.Text()) + font(e->textBase) +
                                     flash(e->textBase.flash));
                    break;
                }
                case kKindNormalText: {
                    auto* e = static_cast<const NormalText*>(item.element);
                    line(indent, "text " + text(e->Text()) + font(*e) + flash(e->flash));
                    break;
                }
                case kKindNewLine: {
                    auto* e = static_cast<const NewLine*>(item.element);
                    line(indent, "newline " + num(e->count) + " jl " + num(e->lineAlign));
                    break;
                }
                default: line(indent, "unknown kind " + num(item.kind)); break;
            }
        }
    }

    void page(const PageMessage& p) {
        line(0, "page " + num(p.pageNum) + " on " + num(p.pageOnTime) + " off " + num(p.pageOffTime) +
                    " background " + color(p.pageBackground) + aligns(p));
        section(1, p);
        for (const OrderItem& item : p.graphicOrder) {
            switch (item.kind) {
                case kKindColorRectangle: {
                    auto* e = static_cast<const ColorRectangle*>(item.element);
                    line(1, "colorrect " + rect(*e) + " color " + color(e->color) + flash(e->flash));
                    break;
                }
                case kKindPicture: {
                    auto* e = static_cast<const Picture*>(item.element);
                    line(1, "picture " + num(e->number) + " at " + num(e->x) + "," + num(e->y) + flash(e->flash));
                    break;
                }
                case kKindTextRectangle: {
                    auto* e = static_cast<const TextRectangle*>(item.element);
                    line(1, "textrect " + rect(*e) + aligns(*e) + flash(e->flash));
                    section(2, *e);
                    break;
                }
                case kKindWeatherJourneyTime: {
                    auto* e = static_cast<const WeatherJourneyTime*>(item.element);
                    line(1, "datafield " + num(e->tdno) + " " + rect(*e) + font(*e));
                    break;
                }
                default: line(1, "unknown kind " + num(item.kind)); break;
            }
        }
    }

private:
    bool positions_;
};

}  // namespace

std::string describePages(const PageMessage* first, bool withPositions) {
    Lines lines(withPositions);
    for (const PageMessage* p = first; p != nullptr; p = p->next) lines.page(*p);
    return lines.out;
}

}  // namespace dms
