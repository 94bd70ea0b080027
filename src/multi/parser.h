// The MULTI message parser: pages, flash regions, page bodies, text
// rectangles and text sections.
#pragma once

#include <cstddef>

#include "model/section.h"

namespace dms {
namespace multi {
class Brackets;
}

// Fixed working storage of the parser. Longer texts are cut to fit: a page
// keeps its first kMultiPieceSize - 1 characters; flash regions after the
// first kMaxFlashRegions of a page do not flash.
constexpr size_t kMultiPieceSize = 1024;
constexpr int kMaxFlashRegions = 20;
constexpr size_t kShortTagSize = 25;  // a flash or text-rectangle tag (24 characters)

// Replaces "[[" by 0x01 0x01 and "]]" by 0x01 0x02 in the text runs that
// follow a font tag, so that scanning does not take them for tags.
void MarkEscapes(char* text);
// The same on the first length characters of text (text[length] is '\0').
void MarkEscapes(char* text, size_t length);

// The paired flash regions of a page body, sorted by opening position;
// count 0 when openings and closings do not pair up.
void ReadFlashRegions(const char* text, Flash* regions, int* count);
// The same on the text of a bracket index.
void ReadFlashRegions(const multi::Brackets& brackets, Flash* regions, int* count);

// The last region in table order that holds position p, or null.
const Flash* RegionAt(const Flash* regions, int count, long p);

// A page body: the page's own running text up to its first graphic element,
// then the graphic elements (text between them is dropped). 0 or 32516.
uint32_t ParsePageBody(PageMessage& page, const char* body);
// The same on a body of known length (body[length] is '\0').
uint32_t ParsePageBody(PageMessage& page, const char* body, size_t length);

// A text rectangle from its "[tr" tag to the next graphic tag (length
// characters, text[length] is '\0'); regions are relative to text and are
// shifted in place.
uint32_t ReadTextRectangle(TextRectangle& rectangle, const char* text, size_t length, Flash* regions, int count);

// Splits a text into line breaks, fields, hex characters, moving texts and
// text runs, appended to the section in text order.
uint32_t ParseSection(SectionText& section, const char* text, const Flash* regions, int count);
// The same on the text of a bracket index.
uint32_t ParseSection(SectionText& section, const multi::Brackets& brackets, const Flash* regions, int count);

}  // namespace dms
