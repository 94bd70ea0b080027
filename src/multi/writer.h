// The MULTI writer: shared tag writers, the writer's memory of the flash and
// font it last wrote, and string-appending writers behind every ToMulti.
#pragma once

#include <sstream>
#include <string>

#include "model/section.h"

namespace dms {

// The flashing and the font (with colour) last written. Each thread has its
// own, so threads may write messages at the same time. Set back at every page.
extern thread_local Flash lastFlash;
extern thread_local Font lastFont;
void resetWriterState();

// Index, or red,green,blue of rgb, or empty for the unset colour.
std::string ColorToText(const Color& color);
// x,y,width,height
std::string RectangleToText(const Rectangle& rectangle);
// Zero, one or two flash tags for an element's flashing; updates lastFlash.
std::ostringstream WriteFlash(const Flash& flash);
// Colour then font tag, each only when changed; updates lastFont.
std::ostringstream WriteFontAndColor(const Font& font);

namespace multi {

// Every ToMulti returns a stream, but the page writer appends to one string
// and builds a stream only once for the whole message.
void appendInt(std::string& out, int32_t value);
void appendColor(std::string& out, const Color& color);
void appendRectangle(std::string& out, const Rectangle& rectangle);
void writeFlash(std::string& out, const Flash& flash);
void writeFontAndColor(std::string& out, const Font& font);
void writeTextBase(std::string& out, const TextBase& text);

void write(std::string& out, const Picture& e);
void write(std::string& out, const ColorRectangle& e);
void write(std::string& out, const NormalText& e);
void write(std::string& out, const SpecialObject& e);
void write(std::string& out, const HexCharacter& e);
void write(std::string& out, const MoveText& e);
void write(std::string& out, const NewLine& e);
void write(std::string& out, const TextRectangle& e);
void write(std::string& out, const WeatherJourneyTime& e);
// The elements named by textOrder, in order.
void writeSection(std::string& out, const SectionText& section);
// Every page of the chain that starts at first, in pageNum order.
void writePages(std::string& out, const PageMessage& first);

std::ostringstream toStream(const std::string& text);

}  // namespace multi
}  // namespace dms
