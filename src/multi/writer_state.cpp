// Writer state and the tag writers shared by the element writers.
#include <charconv>

#include "multi/writer.h"

namespace dms {

thread_local Flash lastFlash;
thread_local Font lastFont;

void resetWriterState() {
    lastFlash = Flash();
    lastFont = Font();
}

namespace multi {

void appendInt(std::string& out, int32_t value) {
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void appendColor(std::string& out, const Color& color) {
    if (color.index != -1) {
        appendInt(out, color.index);
    } else if (color.rgb != -1) {
        const uint32_t rgb = static_cast<uint32_t>(color.rgb);
        appendInt(out, static_cast<int32_t>((rgb >> 16) & 0xFF));
        out += ',';
        appendInt(out, static_cast<int32_t>((rgb >> 8) & 0xFF));
        out += ',';
        appendInt(out, static_cast<int32_t>(rgb & 0xFF));
    }
}

void appendRectangle(std::string& out, const Rectangle& r) {
    appendInt(out, r.x);
    out += ',';
    appendInt(out, r.y);
    out += ',';
    appendInt(out, r.width);
    out += ',';
    appendInt(out, r.height);
}

namespace {
// Flash times take at least two digits; anything below 10 (negative values
// included) gets one leading "0".
void appendFlashTime(std::string& out, int32_t time) {
    if (time < 10) out += '0';
    appendInt(out, time);
}
}  // namespace

void writeFlash(std::string& out, const Flash& f) {
    if (f.flashOnTime == lastFlash.flashOnTime && f.flashOffTime == lastFlash.flashOffTime) return;
    if (lastFlash.flashOnTime != 0 || lastFlash.flashOffTime != 0) out += "[/fl]";
    if (f.flashOnTime != 0 || f.flashOffTime != 0) {
        out += "[flt";
        appendFlashTime(out, f.flashOnTime);
        out += 'o';
        appendFlashTime(out, f.flashOffTime);
        out += ']';
    }
    lastFlash = f;
}

void writeFontAndColor(std::string& out, const Font& font) {
    if (font.fontColor != kColorUnset && font.fontColor != lastFont.fontColor) {
        out += "[cf";
        appendColor(out, font.fontColor);
        out += ']';
    }
    if (font.fontNum != -1 && font.fontNum != lastFont.fontNum) {
        out += "[fo";
        appendInt(out, font.fontNum);
        out += ']';
    }
    lastFont = font;
}

void writeTextBase(std::string& out, const TextBase& t) {
    writeFlash(out, t.flash);
    writeFontAndColor(out, t);
    if (t.Text() != nullptr) out += t.Text();
}

std::ostringstream toStream(const std::string& text) { return std::ostringstream(text, std::ios_base::ate); }

}  // namespace multi

std::string ColorToText(const Color& color) {
    std::string out;
    multi::appendColor(out, color);
    return out;
}

std::string RectangleToText(const Rectangle& rectangle) {
    std::string out;
    multi::appendRectangle(out, rectangle);
    return out;
}

std::ostringstream WriteFlash(const Flash& flash) {
    std::string out;
    multi::writeFlash(out, flash);
    return multi::toStream(out);
}

std::ostringstream WriteFontAndColor(const Font& font) {
    std::string out;
    multi::writeFontAndColor(out, font);
    return multi::toStream(out);
}

}  // namespace dms
