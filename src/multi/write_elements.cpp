// ToMulti of every element class except the page.
#include "multi/writer.h"

namespace dms {
namespace multi {

// Line breaks are written nine to a tag. A count needing more tags than this
// gives a text longer than any message row holds (which the caller refuses
// anyway), so the run is stopped there instead of growing without bound.
constexpr int32_t kMaxNewLineTags = 1024;

void write(std::string& out, const Picture& e) {
    writeFlash(out, e.flash);
    out += "[g";
    appendInt(out, e.number);
    out += ',';
    appendInt(out, e.x);
    out += ',';
    appendInt(out, e.y);
    out += ']';
}

void write(std::string& out, const ColorRectangle& e) {
    writeFlash(out, e.flash);
    out += "[cr";
    appendRectangle(out, e);
    out += ',';
    appendColor(out, e.color);
    out += ']';
}

void write(std::string& out, const NormalText& e) { writeTextBase(out, e); }

void write(std::string& out, const SpecialObject& e) {
    writeFlash(out, e.flash);
    writeFontAndColor(out, e);
    out += "[f";
    appendInt(out, e.index);
    out += ']';
}

// No font or colour tags: the character is written in the current font.
void write(std::string& out, const HexCharacter& e) {
    writeFlash(out, e.flash);
    out += "[hc";
    for (int i = 0; i < 3 && e.x[i] != '\0'; ++i) out += e.x[i];
    out += ']';
}

void write(std::string& out, const MoveText& e) {
    writeFlash(out, e.flash);  // the whole moving field flashes
    const Flash saved = lastFlash;
    out += "[mv";
    out += e.mode == 1 ? 'c' : 'l';
    if (e.mode == 2 && e.delay != 0) appendInt(out, e.delay);
    out += e.direction == 0 ? 'l' : 'r';
    appendInt(out, e.width);
    out += ',';
    appendInt(out, e.stepPixels);
    out += ',';
    appendInt(out, e.stepTime);
    out += ',';
    if (e.flash.flashOnTime != 0 || e.flash.flashOffTime != 0) {
        // The inner text starts as if nothing flashed; the field's region is
        // closed inside the tag.
        lastFlash = Flash();
        writeTextBase(out, e.textBase);
        out += "[/fl]]";
        lastFlash = saved;
    } else {
        writeTextBase(out, e.textBase);
        out += ']';
    }
}

// A count of -1 is a line break without a line spacing of its own: "[nl]".
void write(std::string& out, const NewLine& e) {
    if (e.count == -1) out += "[nl]";
    int32_t tags = 0;
    for (int64_t i = 0; i < e.count && tags < kMaxNewLineTags; i += 9, ++tags) {
        out += "[nl";
        appendInt(out, static_cast<int32_t>(e.count - i < 9 ? e.count - i : 9));
        out += ']';
    }
    if (e.lineAlign != -1) {
        out += "[jl";
        appendInt(out, e.lineAlign);
        out += ']';
    }
}

void write(std::string& out, const TextRectangle& e) {
    out += "[tr";
    appendRectangle(out, e);
    out += ']';
    if (e.pageAlign != -1) {
        out += "[jp";
        appendInt(out, e.pageAlign);
        out += ']';
    }
    if (e.lineAlign != -1) {
        out += "[jl";
        appendInt(out, e.lineAlign);
        out += ']';
    }
    if (e.spaceCharacterCount != -1) {
        out += "[sc";
        appendInt(out, e.spaceCharacterCount);
        out += ']';
    }
    writeFlash(out, e.flash);
    writeSection(out, e);
}

// Writes only itself, not the fields behind it in its chain: every field is
// named in the page's graphicOrder (see the page writer).
void write(std::string& out, const WeatherJourneyTime& e) {
    writeFontAndColor(out, e);
    out += "[tdc";
    appendInt(out, e.tdno);
    out += ',';
    appendRectangle(out, e);
    out += ']';
}

void writeSection(std::string& out, const SectionText& section) {
    for (const OrderItem& item : section.textOrder) {
        if (item.element == nullptr) continue;
        switch (item.kind) {
            case kKindHexCharacter: write(out, *static_cast<const HexCharacter*>(item.element)); break;
            case kKindSpecialObject: write(out, *static_cast<const SpecialObject*>(item.element)); break;
            case kKindMoveText: write(out, *static_cast<const MoveText*>(item.element)); break;
            case kKindNormalText: write(out, *static_cast<const NormalText*>(item.element)); break;
            case kKindNewLine: write(out, *static_cast<const NewLine*>(item.element)); break;
            default: break;
        }
    }
}

}  // namespace multi

#define DMS_ELEMENT_TO_MULTI(Class)           \
    std::ostringstream Class::ToMulti() {     \
        std::string out;                      \
        multi::write(out, *this);             \
        return multi::toStream(out);          \
    }

DMS_ELEMENT_TO_MULTI(Picture)
DMS_ELEMENT_TO_MULTI(ColorRectangle)
DMS_ELEMENT_TO_MULTI(NormalText)
DMS_ELEMENT_TO_MULTI(SpecialObject)
DMS_ELEMENT_TO_MULTI(HexCharacter)
DMS_ELEMENT_TO_MULTI(MoveText)
DMS_ELEMENT_TO_MULTI(NewLine)
DMS_ELEMENT_TO_MULTI(TextRectangle)
DMS_ELEMENT_TO_MULTI(WeatherJourneyTime)

}  // namespace dms
