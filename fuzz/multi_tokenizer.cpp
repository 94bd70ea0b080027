// The MULTI tokenizer on arbitrary bytes: tokens follow each other without
// gaps inside the input up to the end or the first error, spans stay inside
// their tokens, unescaped text is never longer than its span, and the same
// input with its letters in upper case gives the same tokens.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "multi/tokenizer.h"
#include "tqdms/ntcip.h"

namespace {

using dms::multi::Span;
using dms::multi::Token;
using dms::multi::TokenKind;
using dms::multi::Tokenizer;
using dms::multi::Unescaped;

void require(bool ok) {
    if (!ok) __builtin_trap();
}

bool inside(Span s, const Token& t) { return s.pos >= t.pos && s.pos + s.length <= t.pos + t.length; }

// Tokenizes [text, text + size) and checks the invariants; the tokens go to out.
void tokenize(const char* text, size_t size, std::vector<Token>& out) {
    Tokenizer tokenizer(text, size);
    size_t at = 0;
    bool failed = false;
    for (Token t; tokenizer.next(t);) {
        require(!failed);
        require(t.pos == at && t.pos + t.length <= size);
        require(t.length > 0 || t.kind == TokenKind::Error);
        at = t.pos + t.length;
        switch (t.kind) {
        case TokenKind::Text: {
            require(t.span.pos == t.pos && t.span.length == t.length);
            Unescaped chars(text, t.span);
            const size_t n = chars.size();
            require(n <= t.length && 2 * n >= t.length);
            char buf[64];
            require(chars.copy(buf, sizeof buf) == (n < sizeof buf ? n : sizeof buf));
            break;
        }
        case TokenKind::Manufacturer:
        case TokenKind::ManufacturerEnd: require(inside(t.span, t)); break;
        case TokenKind::MovingText: require(inside(t.moving.text, t) && t.moving.text.length > 0); break;
        case TokenKind::Error:
            failed = true;
            require(t.pos + t.length == size && t.error.at >= t.pos && t.error.at <= size);
            require(t.error.code == NTCIP_MULTI_OTHER || t.error.code == NTCIP_MULTI_UNSUPPORTED_TAG ||
                    t.error.code == NTCIP_MULTI_UNSUPPORTED_TAG_VALUE);
            break;
        default: require(text[t.pos] == '[' && text[t.pos + t.length - 1] == ']'); break;
        }
        out.push_back(t);
    }
    require(failed || at == size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<Token> tokens;
    tokenize(text, size, tokens);

    // Tag names and value letters are read in either case.
    std::string upper(text, size);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::vector<Token> again;
    tokenize(upper.data(), upper.size(), again);
    require(again.size() == tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i)
        require(again[i].kind == tokens[i].kind && again[i].pos == tokens[i].pos && again[i].length == tokens[i].length);

    // The text of a moving text is MULTI of its own.
    for (const Token& t : tokens) {
        if (t.kind != TokenKind::MovingText) continue;
        std::vector<Token> inner;
        tokenize(text + t.moving.text.pos, t.moving.text.length, inner);
    }
    return 0;
}
