#include "sign_render/sign_render.h"

#include <algorithm>
#include <memory>

#include "fonts/font_list.h"
#include "frame/device.h"
#include "multi/tokenizer.h"

namespace dms {

uint32_t readSignProfile(render::SignProfile& profile);
uint32_t readSignPictures(const std::vector<int32_t>* numbers, SignRendering& out);

namespace {

// Font rows are one byte: no sign has more fonts than this.
constexpr uint32_t kFontCapacity = 255;

// The font and picture numbers a text names; `all` when it has moving text,
// whose own text may name fonts too.
struct Named {
    std::vector<int32_t> fonts, pictures;
    bool allFonts = false;
};

void add(std::vector<int32_t>& list, int32_t n) {
    if (std::find(list.begin(), list.end(), n) == list.end()) list.push_back(n);
}

Named namedIn(const std::string& text, int32_t defaultFont) {
    Named named;
    add(named.fonts, defaultFont);
    multi::Tokenizer tokens(text.data(), text.size());
    for (multi::Token t; tokens.next(t);) {
        if (t.kind == multi::TokenKind::Font && t.font.number >= 0) add(named.fonts, t.font.number);
        if (t.kind == multi::TokenKind::Graphic) add(named.pictures, t.graphic.number);
        if (t.kind == multi::TokenKind::MovingText) named.allFonts = true;
    }
    return named;
}

void clearSources(SignRendering& out) {
    out.fonts.clear();
    out.fontViews.clear();
    out.fontEntries.clear();
    out.pixels.clear();
    out.pictures.clear();
    out.pictureEntries.clear();
}

// The usable fonts, or those of `numbers` among them. The views and entries
// are made once every font is read, so that they point at their final place.
uint32_t readFonts(const std::vector<int32_t>* numbers, SignRendering& out) {
    std::unique_ptr<dmsFont[]> list(new dmsFont[kFontCapacity]());
    uint32_t filled = 0;
    uint32_t rc = listFonts(list.get(), kFontCapacity, filled);
    if (rc != 0) return rc;
    std::vector<int32_t> read;
    for (uint32_t i = 0; i < filled; ++i) {
        const dmsFont& f = list[i];
        const bool wanted = !numbers || std::find(numbers->begin(), numbers->end(), f.number) != numbers->end();
        if (!wanted || std::find(read.begin(), read.end(), f.number) != read.end()) continue;
        out.fonts.emplace_back();
        if ((rc = readSignFont(f.row, f, out.fonts.back())) != 0) return rc;
        read.push_back(f.number);
    }
    out.fontViews.reserve(out.fonts.size());
    for (size_t i = 0; i < out.fonts.size(); ++i) {
        out.fontViews.emplace_back(out.fonts[i]);
        out.fontEntries.push_back(render::FontEntry{read[i], nullptr});
    }
    for (size_t i = 0; i < out.fontViews.size(); ++i) out.fontEntries[i].item = &out.fontViews[i];
    return 0;
}

}  // namespace

render::Sources SignRendering::sources() const {
    render::Sources s;
    s.fonts.entries = fontEntries.data();
    s.fonts.count = fontEntries.size();
    s.pictures.entries = pictureEntries.data();
    s.pictures.count = pictureEntries.size();
    return s;
}

uint32_t readSignRendering(SignRendering& out) {
    clearSources(out);
    uint32_t rc = readSignProfile(out.profile);
    if (rc == 0) rc = readFonts(nullptr, out);
    if (rc == 0) rc = readSignPictures(nullptr, out);
    return rc;
}

uint32_t readSignRenderingFor(const std::string& multi, SignRendering& out) {
    clearSources(out);
    uint32_t rc = readSignProfile(out.profile);
    if (rc != 0) return rc;
    const Named named = namedIn(multi, out.profile.font);
    if ((rc = readFonts(named.allFonts ? nullptr : &named.fonts, out)) != 0) return rc;
    if (named.pictures.empty()) return 0;
    return readSignPictures(&named.pictures, out);
}

uint32_t renderOnSign(const std::string& multi, SignRendering& sign, std::vector<render::PageImage>& pages,
                      render::Problem& problem) {
    uint32_t rc = readSignRenderingFor(multi, sign);
    if (rc != 0) return rc;
    problem = render::renderMulti(multi.data(), multi.size(), sign.profile, sign.sources(), pages);
    return 0;
}

bool renderPageAt(const std::string& multi, const SignRendering& sign, size_t page, uint32_t tenths,
                  render::PageImage& out) {
    std::vector<render::PageImage> pages;
    render::RenderOptions options;
    options.movingTime = tenths;
    if (!render::renderMulti(multi.data(), multi.size(), sign.profile, sign.sources(), pages, options).ok() ||
        page >= pages.size())
        return false;
    out = std::move(pages[page]);
    return true;
}

}  // namespace dms
