// The one-pass MULTI tokenizer: every tag with each value form, positions,
// escapes, the syntax errors and the value limits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "multi/tokenizer.h"
#include "tqdms/ntcip.h"

namespace {

using namespace dms::multi;

std::string num(int32_t v) { return v < 0 ? "_" : std::to_string(v); }

std::string hexText(int32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%x", static_cast<unsigned>(v));
    return buf;
}

std::string color(const ColorValue& c) {
    switch (c.form) {
    case ColorForm::Default: return "def";
    case ColorForm::Index: return "i" + num(c.index);
    case ColorForm::Rgb: return num(c.red) + "," + num(c.green) + "," + num(c.blue);
    }
    return "?";
}

std::string rect(const RectValue& r) {
    return num(r.x) + "," + num(r.y) + "," + num(r.width) + "," + num(r.height);
}

std::string span(const char* text, Span s) { return std::string(text + s.pos, s.length); }

// One token as "name(values)@pos+length".
std::string describe(const char* text, const Token& t) {
    std::string v;
    const char* name = "?";
    switch (t.kind) {
    case TokenKind::Text: {
        name = "text";
        for (char c : Unescaped(text, t.span)) v += c;
        break;
    }
    case TokenKind::ColorBackground: name = "cb"; v = color(t.color); break;
    case TokenKind::ColorForeground: name = "cf"; v = color(t.color); break;
    case TokenKind::PageBackground: name = "pb"; v = color(t.color); break;
    case TokenKind::ColorRectangle: name = "cr"; v = rect(t.colorRect.rect) + " " + color(t.colorRect.color); break;
    case TokenKind::Field: name = "f"; v = num(t.field.id) + "," + num(t.field.width); break;
    case TokenKind::Flash:
        name = "fl";
        v = t.flash.offFirst ? "o" + num(t.flash.off) + "t" + num(t.flash.on) : "t" + num(t.flash.on) + "o" + num(t.flash.off);
        break;
    case TokenKind::FlashEnd: name = "/fl"; break;
    case TokenKind::Font:
        name = "fo";
        v = num(t.font.number) + (t.font.version < 0 ? "" : "," + hexText(t.font.version));
        break;
    case TokenKind::Graphic:
        name = "g";
        v = num(t.graphic.number) + "," + num(t.graphic.x) + "," + num(t.graphic.y) +
            (t.graphic.version < 0 ? "" : "," + hexText(t.graphic.version));
        break;
    case TokenKind::HexCharacter: name = "hc"; v = hexText(t.hex.code); break;
    case TokenKind::JustifyLine: name = "jl"; v = num(t.number); break;
    case TokenKind::JustifyPage: name = "jp"; v = num(t.number); break;
    case TokenKind::Manufacturer: name = "ms"; v = span(text, t.span); break;
    case TokenKind::ManufacturerEnd: name = "/ms"; v = span(text, t.span); break;
    case TokenKind::MovingText:
        name = "mv";
        v = std::string(1, t.moving.mode) + num(t.moving.delay) + " " + t.moving.direction + " " + num(t.moving.width) +
            "," + num(t.moving.step) + "," + num(t.moving.rate) + " '" + span(text, t.moving.text) + "'@" +
            num(static_cast<int32_t>(t.moving.text.pos));
        break;
    case TokenKind::NewLine: name = "nl"; v = num(t.number); break;
    case TokenKind::NewPage: name = "np"; break;
    case TokenKind::PageTime: name = "pt"; v = num(t.pageTime.on) + "o" + num(t.pageTime.off); break;
    case TokenKind::Spacing: name = "sc"; v = num(t.number); break;
    case TokenKind::SpacingEnd: name = "/sc"; break;
    case TokenKind::TextRectangle: name = "tr"; v = rect(t.rect); break;
    case TokenKind::TravelTime:
        name = "tdc";
        v = num(t.travel.number) + (t.travel.hasRect ? " " + rect(t.travel.rect) : "");
        break;
    case TokenKind::Error:
        name = "error";
        v = num(t.error.code) + " at " + num(static_cast<int32_t>(t.error.at));
        break;
    }
    return std::string(name) + "(" + v + ")@" + num(static_cast<int32_t>(t.pos)) + "+" +
           num(static_cast<int32_t>(t.length));
}

// Every token of a text, space separated; also checks that the tokens
// follow each other without gaps and that nothing follows an error.
std::string tokens(const char* text) {
    const size_t length = std::strlen(text);
    Tokenizer tokenizer(text, length);
    std::string out;
    size_t at = 0;
    bool failed = false;
    for (Token t; tokenizer.next(t);) {
        EXPECT_FALSE(failed) << "a token after an error in " << text;
        EXPECT_EQ(t.pos, at) << text;
        at = t.pos + t.length;
        failed = t.kind == TokenKind::Error;
        out += (out.empty() ? "" : " ") + describe(text, t);
    }
    if (!failed) {
        EXPECT_EQ(at, length) << text;
    }
    Token t;
    EXPECT_FALSE(tokenizer.next(t)) << "next() after the end of " << text;
    return out;
}

struct Case {
    const char* text;
    const char* expected;
};

void check(const Case* cases, size_t count) {
    for (size_t i = 0; i < count; ++i) EXPECT_EQ(tokens(cases[i].text), cases[i].expected) << cases[i].text;
}

TEST(MultiTokenizer, EveryTagWithEachValueForm) {
    const Case cases[] = {
        {"[cb]", "cb(def)@0+4"},
        {"[cb3]", "cb(i3)@0+5"},
        {"[cb1,2,3]", "cb(1,2,3)@0+9"},
        {"[cf]", "cf(def)@0+4"},
        {"[cf9]", "cf(i9)@0+5"},
        {"[cf255,128,0]", "cf(255,128,0)@0+13"},
        {"[cr1,2,30,40,3]", "cr(1,2,30,40 i3)@0+15"},
        {"[cr1,2,0,0,255,0,7]", "cr(1,2,0,0 255,0,7)@0+19"},
        {"[f1]", "f(1,_)@0+4"},
        {"[f13,2]", "f(13,2)@0+7"},
        {"[fl]", "fl(t_o_)@0+4"},
        {"[flt5o5]", "fl(t5o5)@0+8"},
        {"[flt05o15]", "fl(t5o15)@0+10"},
        {"[flo3t7]", "fl(o3t7)@0+8"},
        {"[flt5]", "fl(t5o_)@0+6"},
        {"[flo4]", "fl(o4t_)@0+6"},
        {"[flto]", "fl(t_o_)@0+6"},
        {"[flot2]", "fl(o_t2)@0+7"},
        {"[/fl]", "/fl()@0+5"},
        {"[fo]", "fo(_)@0+4"},
        {"[fo2]", "fo(2)@0+5"},
        {"[fo20,d3a2]", "fo(20,d3a2)@0+11"},
        {"[g3]", "g(3,_,_)@0+4"},
        {"[g3,4,5]", "g(3,4,5)@0+8"},
        {"[g17,52,7,7E05]", "g(17,52,7,7e05)@0+15"},
        {"[hc41]", "hc(41)@0+6"},
        {"[hcA]", "hc(a)@0+5"},
        {"[hc20aC]", "hc(20ac)@0+8"},
        {"[jl]", "jl(_)@0+4"},
        {"[jl3]", "jl(3)@0+5"},
        {"[jp]", "jp(_)@0+4"},
        {"[jp4]", "jp(4)@0+5"},
        {"[ms12,ABC x]", "ms(12,ABC x)@0+12"},
        {"[ms]", "ms()@0+4"},
        {"[/ms12]", "/ms(12)@0+7"},
        {"[mvcl240,4,1,ABC]", "mv(c_ l 240,4,1 'ABC'@13)@0+17"},
        {"[mvlr10,2,5,X]", "mv(l_ r 10,2,5 'X'@12)@0+14"},
        {"[mvl3r100,2,5,AB]", "mv(l3 r 100,2,5 'AB'@14)@0+17"},
        {"[nl]", "nl(_)@0+4"},
        {"[nl0]", "nl(0)@0+5"},
        {"[nl5]", "nl(5)@0+5"},
        {"[np]", "np()@0+4"},
        {"[pb]", "pb(def)@0+4"},
        {"[pb7]", "pb(i7)@0+5"},
        {"[pb0,0,0]", "pb(0,0,0)@0+9"},
        {"[pt]", "pt(_o_)@0+4"},
        {"[pt30]", "pt(30o_)@0+6"},
        {"[pt30o]", "pt(30o_)@0+7"},
        {"[pt30o5]", "pt(30o5)@0+8"},
        {"[pto5]", "pt(_o5)@0+6"},
        {"[pto]", "pt(_o_)@0+5"},
        {"[sc0]", "sc(0)@0+5"},
        {"[sc12]", "sc(12)@0+6"},
        {"[/sc]", "/sc()@0+5"},
        {"[tr1,1,96,16]", "tr(1,1,96,16)@0+13"},
        {"[tdc3]", "tdc(3)@0+6"},
        {"[tdc3,4,4,40,8]", "tdc(3 4,4,40,8)@0+15"},
    };
    check(cases, sizeof cases / sizeof cases[0]);
}

TEST(MultiTokenizer, NamesAndLettersInEitherCase) {
    const Case cases[] = {
        {"[CF1,2,3][Fo2][FLT5O6][FlO1T2][NL][Np][PT3O4][/FL][/Sc][TDC1][MVCL1,2,3,x][mvLR1,2,3,y][Hc1F]",
         "cf(1,2,3)@0+9 fo(2)@9+5 fl(t5o6)@14+8 fl(o1t2)@22+8 nl(_)@30+4 np()@34+4 pt(3o4)@38+7 /fl()@45+5 "
         "/sc()@50+5 tdc(1)@55+6 mv(c_ l 1,2,3 'x'@72)@61+13 mv(l_ r 1,2,3 'y'@85)@74+13 hc(1f)@87+6"},
    };
    check(cases, sizeof cases / sizeof cases[0]);
}

TEST(MultiTokenizer, TextRunsPositionsAndEscapes) {
    const Case cases[] = {
        {"", ""},
        {"AB", "text(AB)@0+2"},
        {"[jp3][fo2]HELLO[np][pt20o5][g1,1,1]",
         "jp(3)@0+5 fo(2)@5+5 text(HELLO)@10+5 np()@15+4 pt(20o5)@19+8 g(1,1,1)@27+8"},
        {"A[[B]]C", "text(A[B]C)@0+7"},
        {"[[", "text([)@0+2"},
        {"]]", "text(])@0+2"},
        {"[[[nl]]]", "text([)@0+2 nl(_)@2+4 text(])@6+2"},
        {"X[[f2]]Y[f2]", "text(X[f2]Y)@0+8 f(2,_)@8+4"},
        {"SEE ]]X [[ ", "text(SEE ]X [ )@0+11"},
        {"[nl][nl]", "nl(_)@0+4 nl(_)@4+4"},
        {"TIME [f1] MIN", "text(TIME )@0+5 f(1,_)@5+4 text( MIN)@9+4"},
        // A moving text holds inner tags (brackets nest) and escaped brackets.
        {"[flt05o05][mvcl240,4,1,[fo2]ABC[/fl]]X",
         "fl(t5o5)@0+10 mv(c_ l 240,4,1 '[fo2]ABC[/fl]'@23)@10+27 text(X)@37+1"},
        {"[mvcr9,1,1,A]]B[[C][nl]", "mv(c_ r 9,1,1 'A]]B[[C'@11)@0+19 nl(_)@19+4"},
    };
    check(cases, sizeof cases / sizeof cases[0]);
}

TEST(MultiTokenizer, UnescapedTextIsReadWithoutCopyingAndCopiedWithinItsRoom) {
    const char* text = "x[[AB]]]]C";  // stands for x[AB]]C
    Tokenizer tokenizer(text, std::strlen(text));
    Token t;
    ASSERT_TRUE(tokenizer.next(t));
    ASSERT_EQ(t.kind, TokenKind::Text);
    EXPECT_EQ(t.span.pos, 0u);
    EXPECT_EQ(t.span.length, 10u);
    Unescaped chars(text, t.span);
    EXPECT_EQ(chars.size(), 7u);
    char out[16];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(chars.copy(out, sizeof out), 7u);
    EXPECT_EQ(std::string(out, 8), "x[AB]]C#");
    // Room for 3: exactly 3 are written, nothing after them.
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(chars.copy(out, 3), 3u);
    EXPECT_EQ(std::string(out, 4), "x[A#");
    EXPECT_EQ(chars.copy(out, 0), 0u);
    EXPECT_EQ(out[0], 'x');
}

struct ErrorCase {
    const char* text;
    int32_t code;
    size_t pos;  // where the error token starts (its tag, or the stray bracket)
    size_t at;   // the byte refused
};

TEST(MultiTokenizer, SyntaxErrorsByClassWithTheirNumberAndPosition) {
    const int32_t tag = NTCIP_MULTI_UNSUPPORTED_TAG, value = NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, other = NTCIP_MULTI_OTHER;
    const ErrorCase cases[] = {
        // Unknown names, and known names with letters after them.
        {"AB[xy]", tag, 2, 2},
        {"[]", tag, 0, 0},
        {"[ nl]", tag, 0, 0},
        {"[x", tag, 0, 0},
        {"[fox]", tag, 0, 0},
        {"[nlx]", tag, 0, 0},
        {"[cfa]", tag, 0, 0},
        {"[tdx1]", tag, 0, 0},
        {"[f,1]", value, 0, 2},
        {"[/xx]", tag, 0, 0},
        // Values: a refused byte, a missing or superfluous value, trailing commas, white space.
        {"[np1]", value, 0, 3},
        {"[/fl2]", value, 0, 4},
        {"[f]", value, 0, 2},
        {"[g]", value, 0, 2},
        {"[sc]", value, 0, 3},
        {"[tr]", value, 0, 3},
        {"[tdc]", value, 0, 4},
        {"[hc]", value, 0, 3},
        {"[hcx]", value, 0, 3},
        {"[cf1,]", value, 0, 5},
        {"[cf1,2]", value, 0, 6},
        {"[cf1,2,3,]", value, 0, 8},
        {"[g1,]", value, 0, 4},
        {"[g1,2]", value, 0, 5},
        {"[g1,2,3,]", value, 0, 8},
        {"[fo1,]", value, 0, 5},
        {"[f1,]", value, 0, 4},
        {"[tr1,1,1,1,]", value, 0, 10},
        {"[cr1,1,1,1]", value, 0, 10},
        {"[cr1,1,1,1,]", value, 0, 11},
        {"[cf255, 0, 0]", value, 0, 7},
        {"[nl 5]", value, 0, 3},
        {"[flx]", value, 0, 3},
        {"[flt5t5]", value, 0, 5},
        {"[pt5x]", value, 0, 4},
        {"[mvxl1,1,1,A]", value, 0, 3},
        {"[mvcx1,1,1,A]", value, 0, 4},
        {"[mvcl1,1,1,]", value, 0, 11},
        {"[mvcl1,1,A]", value, 0, 9},
        {"AB[cf-1]", value, 2, 5},
        // The text ends inside a tag, and stray brackets: "other".
        {"[", other, 0, 1},
        {"AB[", other, 2, 3},
        {"[cf255", other, 0, 6},
        {"[cf255,", other, 0, 7},
        {"[nl", other, 0, 3},
        {"[ms12", other, 0, 5},
        {"[mvcl1,1,1,AB", other, 0, 13},
        {"[mvcl1,1,1,[fo1]AB", other, 0, 18},
        {"]", other, 0, 0},
        {"AB]C", other, 2, 2},
        {"AB]]]", other, 4, 4},
        {"[nl]]", other, 4, 4},
    };
    for (const ErrorCase& c : cases) {
        Tokenizer tokenizer(c.text, std::strlen(c.text));
        Token t;
        size_t at = 0;
        while (tokenizer.next(t) && t.kind != TokenKind::Error) at = t.pos + t.length;
        ASSERT_EQ(t.kind, TokenKind::Error) << c.text;
        EXPECT_EQ(t.error.code, c.code) << c.text;
        EXPECT_EQ(t.pos, c.pos) << c.text;
        EXPECT_EQ(t.pos, at) << c.text;  // right behind the last good token
        EXPECT_EQ(t.length, std::strlen(c.text) - c.pos) << c.text;
        EXPECT_EQ(t.error.at, c.at) << c.text;
        EXPECT_FALSE(tokenizer.next(t)) << c.text;  // the tokenizer stops at the first error
    }
}

// Each limit at the limit itself and one past it.
TEST(MultiTokenizer, ValueLimits) {
    const Case cases[] = {
        // Five digits at most, leading zeros included.
        {"[cf00255]", "cf(i255)@0+9"},
        {"[cf000255]", "error(4 at 3)@0+10"},
        {"[tr1,1,65535,1]", "tr(1,1,65535,1)@0+15"},
        {"[tr1,1,65536,1]", "error(4 at 7)@0+15"},
        {"[tr1,1,123456,1]", "error(4 at 7)@0+16"},
        {"[tr0,1,1,1]", "error(4 at 3)@0+11"},
        {"[tr1,0,1,1]", "error(4 at 5)@0+11"},
        {"[tr1,1,0,0]", "tr(1,1,0,0)@0+11"},
        // Colour components and indexes: 255, not 256.
        {"[cf255,255,255]", "cf(255,255,255)@0+15"},
        {"[cf256,0,0]", "error(4 at 3)@0+11"},
        {"[cf0,256,0]", "error(4 at 5)@0+11"},
        {"[cf0,0,256]", "error(4 at 7)@0+11"},
        {"[pb256]", "error(4 at 3)@0+7"},
        {"[cr1,1,1,1,256]", "error(4 at 11)@0+15"},
        // Fonts and graphics 1..255, version IDs exactly four hex digits.
        {"[fo1][fo255]", "fo(1)@0+5 fo(255)@5+7"},
        {"[fo0]", "error(4 at 3)@0+5"},
        {"[fo256]", "error(4 at 3)@0+7"},
        {"[fo1,ffff]", "fo(1,ffff)@0+10"},
        {"[fo1,fff]", "error(4 at 8)@0+9"},
        {"[fo1,fffff]", "error(4 at 5)@0+11"},
        {"[fo1,fffg]", "error(4 at 8)@0+10"},
        {"[g255,65535,65535]", "g(255,65535,65535)@0+18"},
        {"[g0]", "error(4 at 2)@0+4"},
        {"[g256]", "error(4 at 2)@0+6"},
        {"[g1,1,65536]", "error(4 at 6)@0+12"},
        // Hex characters: one to four digits.
        {"[hcffff]", "hc(ffff)@0+8"},
        {"[hc1ffff]", "error(4 at 3)@0+9"},
        // Flash times 0..99, page times 0..255.
        {"[flt99o0]", "fl(t99o0)@0+9"},
        {"[flt100o0]", "error(4 at 4)@0+10"},
        {"[flo99t100]", "error(4 at 7)@0+11"},
        {"[pt255o255]", "pt(255o255)@0+11"},
        {"[pt256]", "error(4 at 3)@0+7"},
        {"[pt1o256]", "error(4 at 5)@0+9"},
        // Justification codes: line 1..5, page 1..4.
        {"[jl1][jl5][jp1][jp4]", "jl(1)@0+5 jl(5)@5+5 jp(1)@10+5 jp(4)@15+5"},
        {"[jl0]", "error(4 at 3)@0+5"},
        {"[jl6]", "error(4 at 3)@0+5"},
        {"[jp5]", "error(4 at 3)@0+5"},
        // Fields 1..99 with a width 0..99; line and character spacing 0..99.
        {"[f99,99]", "f(99,99)@0+8"},
        {"[f0]", "error(4 at 2)@0+4"},
        {"[f100]", "error(4 at 2)@0+6"},
        {"[f1,100]", "error(4 at 4)@0+8"},
        {"[nl99][sc99]", "nl(99)@0+6 sc(99)@6+6"},
        {"[nl100]", "error(4 at 3)@0+7"},
        {"[sc100]", "error(4 at 3)@0+7"},
        // Moving text: width to 65535, step and rate to 255, delay to 65535.
        {"[mvl65535r65535,255,255,A]", "mv(l65535 r 65535,255,255 'A'@24)@0+26"},
        {"[mvcl1,256,1,A]", "error(4 at 7)@0+15"},
        {"[mvcl1,1,256,A]", "error(4 at 9)@0+15"},
        {"[mvl65536r1,1,1,A]", "error(4 at 4)@0+18"},
        // Travel-time fields 1..255.
        {"[tdc255,1,1,1,1]", "tdc(255 1,1,1,1)@0+16"},
        {"[tdc256]", "error(4 at 4)@0+8"},
    };
    check(cases, sizeof cases / sizeof cases[0]);
}

// Text is scanned several bytes at a time: a bracket is found at every
// offset, among bytes close to the brackets' own ("Y", "\\", "_", "Z", 0xDB,
// 0xDD), and never past the end.
TEST(MultiTokenizer, BracketsAreFoundAtEveryOffset) {
    const std::string fillers[] = {"A", "Y", "\\", "_", "Z", "\xDB", "\xDD", "\x01", "\x80"};
    for (const std::string& fill : fillers) {
        for (size_t k = 0; k < 20; ++k) {
            std::string before, after;
            for (size_t i = 0; i < k; ++i) before += fill;
            for (size_t i = 0; i < 19 - k; ++i) after += fill;
            // An escaped bracket stays in the run; a lone one ends it with an error.
            const std::string escaped = before + "]]" + after + "[np]";
            Tokenizer a(escaped.data(), escaped.size());
            Token t;
            ASSERT_TRUE(a.next(t));
            EXPECT_EQ(t.length, 21u) << k;
            ASSERT_TRUE(a.next(t));
            EXPECT_EQ(t.kind, TokenKind::NewPage) << k;
            const std::string lone = before + "]" + after;
            Tokenizer b(lone.data(), lone.size());
            while (b.next(t) && t.kind != TokenKind::Error) {
            }
            EXPECT_EQ(t.kind, TokenKind::Error) << k;
            EXPECT_EQ(t.error.at, k) << k;
            // A tag right after the text; the text cut before the bracket.
            const std::string tagged = before + "[nl]";
            Tokenizer c(tagged.data(), tagged.size());
            if (k > 0) {
                ASSERT_TRUE(c.next(t));
                EXPECT_EQ(t.length, k);
            }
            ASSERT_TRUE(c.next(t));
            EXPECT_EQ(t.kind, TokenKind::NewLine) << k;
            Tokenizer d(lone.data(), k);
            if (k > 0) {
                ASSERT_TRUE(d.next(t));
                EXPECT_EQ(t.length, k);
            }
            EXPECT_FALSE(d.next(t)) << k;
        }
    }
}

TEST(MultiTokenizer, LengthBoundsTheTextNotItsTerminator) {
    // Only the given length is read: a tag cut by it is unclosed.
    const char* text = "[nl5]AB";
    Tokenizer cut(text, 4);
    Token t;
    ASSERT_TRUE(cut.next(t));
    EXPECT_EQ(describe(text, t), "error(1 at 4)@0+4");
    Tokenizer part(text, 6);
    ASSERT_TRUE(part.next(t));
    ASSERT_TRUE(part.next(t));
    EXPECT_EQ(describe(text, t), "text(A)@5+1");
    EXPECT_FALSE(part.next(t));
    // A NUL byte is text like any other.
    const char withNul[] = "A\0B[np]";
    Tokenizer all(withNul, sizeof withNul - 1);
    ASSERT_TRUE(all.next(t));
    EXPECT_EQ(t.kind, TokenKind::Text);
    EXPECT_EQ(t.length, 3u);
}

}  // namespace
