// A text section cut into text elements. Each kind keeps the position of its
// next tag; the nearest one is read next. Every kind whose position the piece
// just read has passed (the kind read, and any found inside that piece, such
// as the text run inside a moving-text tag) is searched again from the new
// point, so nothing after the piece is lost. A tag whose bracket never closes
// ends the section: the text from it on is dropped, so the loop always
// advances.
#include <cstring>

#include "multi/brackets.h"
#include "multi/parser.h"
#include "multi/scan.h"

namespace dms {
namespace {

enum SectionKind { kNl, kField, kHex, kMove, kRun, kSectionKinds };
constexpr long kNone = -1;

const multi::TagBit kSectionTags[kRun] = {multi::kNlTag, multi::kFieldTag, multi::kHexTag, multi::kMoveTag};

long searchKind(int kind, const multi::Brackets& brackets, size_t from) {
    if (kind != kRun) return brackets.find(from, kSectionTags[kind]);
    const int32_t at = LeadingTagsEnd(brackets.text() + from, brackets.length() - from);
    return at == kScanUnset ? kNone : static_cast<long>(from) + at;
}

}  // namespace

uint32_t ParseSection(SectionText& section, const char* text, const Flash* regions, int count) {
    if (text == nullptr) return 0;
    size_t length = std::strlen(text);
    char cut[kMultiPieceSize];
    if (length >= kMultiPieceSize) {  // pages are cut already; direct callers are too
        length = kMultiPieceSize - 1;
        std::memcpy(cut, text, length);
        cut[length] = '\0';
        text = cut;
    }
    return ParseSection(section, multi::Brackets(text, length), regions, count);
}

uint32_t ParseSection(SectionText& section, const multi::Brackets& brackets, const Flash* regions, int count) {
    const char* text = brackets.text();
    const size_t length = brackets.length();
    char piece[kMultiPieceSize];
    long next[kSectionKinds];
    for (int k = 0; k < kSectionKinds; ++k) next[k] = searchKind(k, brackets, 0);
    size_t current = 0;
    while (current < length) {
        int best = -1;
        for (int k = 0; k < kSectionKinds; ++k) {
            if (next[k] != kNone && (best < 0 || next[k] < next[best])) best = k;
        }
        if (best < 0) break;
        const size_t at = static_cast<size_t>(next[best]);
        const Flash* region = RegionAt(regions, count, static_cast<long>(at));
        size_t consumed = 0;  // length of the piece, from the current point
        if (best == kNl || best == kField || best == kMove) {
            const size_t tagLength = TagLength(text + at);
            if (tagLength == 0) break;
            consumed = at - current + tagLength;
        } else if (best == kHex) {
            const char* close = std::strchr(text + at + 3, ']');
            if (close == nullptr) break;
            consumed = static_cast<size_t>(close - text) + 1 - current;
        } else {
            const char* bracket = static_cast<const char*>(std::memchr(text + at, '[', length - at));
            consumed = (bracket != nullptr ? static_cast<size_t>(bracket - text) : length) - current;
        }
        if (best == kNl) {
            // A one-digit "[nl" tag takes the "[jl" tag right behind it.
            const size_t jlAt = at + 5;
            const int32_t jl = FindTag(text + current, length - current, "jl", false, jlAt - current);
            if (jl != kScanUnset && current + static_cast<size_t>(jl) == jlAt) {
                const size_t rest = length - current - consumed;
                consumed += rest < 5 ? rest : 5;
            }
        }
        if (best == kMove || best == kHex) {
            // The readers of moving texts and hex characters get their tag
            // only (the hex reader reads the code from the start of its
            // text); the tags in front of it are consumed unread.
            const size_t tagLength = consumed - (at - current);
            std::memcpy(piece, text + at, tagLength);
            piece[tagLength] = '\0';
        } else {
            std::memcpy(piece, text + current, consumed);
            piece[consumed] = '\0';
        }
        switch (best) {
            case kNl:
                if (NewLine* e = section.AddNewLine(1)) e->FromMulti(piece);
                break;
            case kField:
                if (SpecialObject* e = section.AddSpecialObject()) e->FromMulti(piece);
                break;
            case kHex:
                if (HexCharacter* e = section.AddHexCharacter()) e->FromMulti(piece);
                break;
            case kMove:
                if (MoveText* e = section.AddMoveText()) {
                    e->FromMulti(piece);
                    if (region != nullptr) e->flash = e->textBase.flash = *region;
                }
                break;
            default:
                if (NormalText* e = section.AddNormalText()) {
                    e->FromMulti(piece);
                    if (region != nullptr) e->flash = *region;
                }
                break;
        }
        current += consumed;
        for (int k = 0; k < kSectionKinds; ++k) {
            if (next[k] != kNone && next[k] < static_cast<long>(current)) {
                next[k] = searchKind(k, brackets, current);
            }
        }
    }
    return 0;
}

}  // namespace dms
