// libFuzzer target: the MULTI renderer on arbitrary text and a random sign.
// The first bytes choose the sign (size, matrix kind and cell, colour
// scheme, defaults, page limit), the moment for moving text and a picture
// decoded from the sign's graphic form; the rest is the MULTI text. Fonts
// 1 to 3 and pictures 1 to 3 are small synthetic ones built here.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fonts/font_file.h"
#include "render/graphic.h"
#include "render/render.h"

namespace {

using namespace dms::render;

constexpr size_t kHeader = 10;

// Glyphs of `width(code)` pixels with a pattern from the code.
dms::SignFont makeFont(uint32_t height, uint8_t charSpacing, uint8_t lineSpacing, int (*width)(int)) {
    dms::SignFont f;
    f.height = height, f.charSpacing = charSpacing, f.lineSpacing = lineSpacing;
    for (int code = 0; code < 256; ++code) {
        int w = width(code);
        f.widths[code] = static_cast<uint8_t>(w);
        std::vector<uint8_t>& bits = f.packed[code];
        bits.assign((static_cast<size_t>(w) * height + 7) / 8, 0);
        for (size_t i = 0; i < bits.size(); ++i) bits[i] = static_cast<uint8_t>(code * 37 + i * 11);
    }
    return f;
}

struct World {
    dms::SignFont small = makeFont(5, 1, 1, [](int c) { return c >= 32 && c < 127 ? c % 5 + 1 : 0; });
    dms::SignFont tall = makeFont(9, 2, 3, [](int c) { return c >= 48 && c < 91 ? c % 8 + 1 : 0; });
    // Wide glyphs on one row, and a blank code 0.
    dms::SignFont wide = makeFont(1, 0, 0, [](int c) { return c % 64 == 1 ? 200 : c == 0 ? 0 : 3; });
    FontView views[3] = {FontView(small), FontView(tall), FontView(wide)};
    FontEntry fonts[3] = {{1, &views[0]}, {2, &views[1]}, {3, &views[2]}};
    Rgb dots[6] = {{255, 0, 0}, {0, 0, 0}, {0, 255, 0}, {0, 0, 0}, {255, 255, 255}, {0, 0, 255}};
    std::vector<Rgb> square = std::vector<Rgb>(40 * 40, Rgb{9, 9, 9});
    Picture pictures[4] = {{3, 2, dots, true, Rgb{0, 0, 0}},
                           {40, 40, square.data(), false, Rgb{}},
                           {5, 5, nullptr, false, Rgb{}},
                           {}};
};

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World world;
    if (size < kHeader) return 0;
    SignProfile p;
    p.width = static_cast<uint16_t>(data[0] % 64 + 1);
    p.height = static_cast<uint16_t>(data[1] % 32 + 1);
    p.matrix = static_cast<Matrix>(data[2] % 3);
    p.scheme = static_cast<ColorScheme>(data[2] / 3 % 4 + 1);
    p.lineJustify = static_cast<LineJustify>(data[2] / 12 % 4 + 2);
    p.characterWidth = static_cast<uint8_t>(data[3] % 8);
    p.characterHeight = static_cast<uint8_t>(data[3] / 8 % 16);
    p.pageJustify = static_cast<PageJustify>(data[4] % 3 + 2);
    p.font = static_cast<uint8_t>(data[4] / 3 % 5);  // 0 and 4: no such font
    p.maxPages = static_cast<uint8_t>(data[4] / 15 % 8);
    const uint32_t time = uint32_t{data[5]} * 7;

    // Picture 4 from the sign's form: the bytes after the text's header.
    World& w = world;
    const uint8_t transparent[3] = {data[9], data[8], data[7]};
    GraphicForm form{static_cast<uint16_t>(data[6] % 16), static_cast<uint16_t>(data[7] % 16),
                     static_cast<uint8_t>(data[8] % 6), (data[9] & 1) != 0, transparent,
                     static_cast<size_t>(data[9] >> 1 & 3)};
    std::vector<Rgb> pixels;
    w.pictures[3] = Picture{};
    if (decodeGraphic(form, data + kHeader, size - kHeader, p, pixels, w.pictures[3]) == GraphicError::None)
        check(pixels.size() == size_t{form.width} * form.height && w.pictures[3].pixels == pixels.data());
    PictureEntry pictureEntries[4] = {{1, &w.pictures[0]}, {2, &w.pictures[1]}, {3, &w.pictures[2]}, {4, &w.pictures[3]}};

    Sources sources;
    sources.fonts = FontSet{w.fonts, 3};
    sources.pictures = PictureSet{pictureEntries, 4};
    if (data[5] & 1) sources.samples.fields[0] = "ABC DEF";
    const char* text = reinterpret_cast<const char*>(data + kHeader);
    const size_t length = size - kHeader;

    std::vector<PageImage> pages(1);
    RenderOptions options;
    options.movingTime = time;
    Problem r = renderMulti(text, length, p, sources, pages, options);
    if (!r.ok()) {
        check(r.at <= length && pages.size() == 1 && pages[0].on.width() == 0);
        return 0;
    }
    check(!pages.empty() && (p.maxPages == 0 || pages.size() <= p.maxPages));
    for (const PageImage& page : pages) {
        check(page.on.width() == p.width && page.on.height() == p.height);
        check(page.off.width() == (page.flashes ? p.width : 0));
        check(page.movingCycle <= kMaxMovingCycle && (page.movingTick == 0) == (page.movingCycle == 0));
        if (page.movingTick) {
            // The same message a tick later renders too, to the same pages.
            std::vector<PageImage> later;
            options.movingTime = time + page.movingTick;
            check(renderMulti(text, length, p, sources, later, options).ok() && later.size() == pages.size());
            break;
        }
    }
    return 0;
}
