#include "layout_fit.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <vector>

#include "fonts.h"
#include "fonts/font_file.h"
#include "graphics.h"
#include "profile.h"
#include "render/layout.h"
#include "tqdms/ntcip.h"

namespace tqsim {
namespace {

namespace render = dms::render;

// Character- and line-matrix signs: the renderer does not place their cells
// yet (renderMulti refuses them), so their text is not measured. Set to true
// once it does.
constexpr bool kLayOutMatrixSigns = false;

uint16_t clamp16(int v) { return static_cast<uint16_t>(std::min(std::max(v, 0), 0xFFFF)); }

render::SignProfile renderProfile(const SignProfile& p) {
    render::SignProfile r;
    r.width = clamp16(p.signWidthPixels);
    r.height = clamp16(p.signHeightPixels);
    r.matrix = p.characterWidthPixels > 0    ? render::Matrix::Character
               : p.characterHeightPixels > 0 ? render::Matrix::Line
                                             : render::Matrix::Full;
    r.characterWidth = static_cast<uint8_t>(p.characterWidthPixels);
    r.characterHeight = static_cast<uint8_t>(p.characterHeightPixels);
    r.scheme = static_cast<render::ColorScheme>(p.colorScheme);
    r.monochromeOn = {p.monochromeColor[0], p.monochromeColor[1], p.monochromeColor[2]};
    r.monochromeOff = {p.monochromeColor[3], p.monochromeColor[4], p.monochromeColor[5]};
    r.font = static_cast<uint8_t>(p.defaultFont);
    // "other" (1) names no placement: the renderer's defaults stand for it.
    if (p.defaultJustificationLine >= NTCIP_JUSTIFICATION_LINE_LEFT)
        r.lineJustify = static_cast<render::LineJustify>(p.defaultJustificationLine);
    if (p.defaultJustificationPage >= NTCIP_JUSTIFICATION_PAGE_TOP)
        r.pageJustify = static_cast<render::PageJustify>(p.defaultJustificationPage);
    r.foreground = {p.defaultForegroundRgb[0], p.defaultForegroundRgb[1], p.defaultForegroundRgb[2]};
    r.background = {p.defaultBackgroundRgb[0], p.defaultBackgroundRgb[1], p.defaultBackgroundRgb[2]};
    r.pageOnTime = static_cast<uint8_t>(p.defaultPageOnTime);
    r.pageOffTime = static_cast<uint8_t>(p.defaultPageOffTime);
    r.flashOnTime = static_cast<uint8_t>(p.defaultFlashOn);
    r.flashOffTime = static_cast<uint8_t>(p.defaultFlashOff);
    r.maxPages = static_cast<uint8_t>(p.maxNumberPages);
    return r;
}

// A built-in font (no character table) shows printable ASCII in cells as
// wide as its name says ("5x7": 5 pixels), or as its height when the name
// gives no width.
int builtInWidth(const FontRow& f) {
    int width = 0;
    size_t i = 0;
    for (; i < f.name.size() && i < 3 && f.name[i] >= '0' && f.name[i] <= '9'; ++i)
        width = width * 10 + (f.name[i] - '0');
    bool named = i > 0 && i < f.name.size() && (f.name[i] == 'x' || f.name[i] == 'X');
    return std::min(named && width > 0 ? width : f.height, 255);
}

// The sign's fonts as the renderer sees them: per number, the row the MULTI
// check reads (the first row of that number not out of use, when the sign
// has a usable font of that number), widths only: nothing is painted.
class SignFonts {
public:
    explicit SignFonts(const FontStore& store) {
        for (const auto& kv : store.rows) {
            const FontRow& f = kv.second;
            if (f.status == NTCIP_FONT_NOT_USED || known(f.number)) continue;
            numbers_.push_back(f.number);
            if (!store.hasFont(f.number)) continue;
            dms::SignFont font;
            font.height = static_cast<uint32_t>(f.height);
            font.charSpacing = static_cast<uint8_t>(f.charSpacing);
            font.lineSpacing = static_cast<uint8_t>(f.lineSpacing);
            if (f.characters.empty()) {
                std::fill(font.widths.begin() + 32, font.widths.begin() + 127, static_cast<uint8_t>(builtInWidth(f)));
            } else {
                for (const auto& c : f.characters)
                    if (c.first >= 0 && c.first <= 255)
                        font.widths[static_cast<size_t>(c.first)] = static_cast<uint8_t>(c.second.width);
            }
            fonts_.push_back(std::move(font));
            views_.emplace_back(fonts_.back());
            entries_.push_back({f.number, &views_.back()});
        }
    }
    render::FontSet set() const { return {entries_.data(), entries_.size()}; }

private:
    bool known(int number) const { return std::find(numbers_.begin(), numbers_.end(), number) != numbers_.end(); }

    std::vector<int> numbers_;
    std::deque<dms::SignFont> fonts_;  // deques: the views and entries point into them
    std::deque<render::FontView> views_;
    std::vector<render::FontEntry> entries_;
};

// The sign's graphics by number: their sizes, no pixels (nothing is drawn).
class SignPictures {
public:
    explicit SignPictures(const GraphicStore& store) {
        for (const auto& kv : store.rows) {
            const GraphicRow& g = kv.second;
            if (!graphicUsable(g.status) || known(g.number)) continue;
            render::Picture p;
            p.width = clamp16(g.width);
            p.height = clamp16(g.height);
            pictures_.push_back(p);
            entries_.push_back({g.number, &pictures_.back()});
        }
    }
    render::PictureSet set() const { return {entries_.data(), entries_.size()}; }

private:
    bool known(int number) const {
        return std::any_of(entries_.begin(), entries_.end(),
                           [number](const render::PictureEntry& e) { return e.number == number; });
    }

    std::deque<render::Picture> pictures_;
    std::vector<render::PictureEntry> entries_;
};

}  // namespace

int layoutFit(const std::string& multi, const SignProfile& profile, const FontStore& fonts,
              const GraphicStore& graphics, size_t& position) {
    const render::SignProfile sign = renderProfile(profile);
    if (sign.matrix != render::Matrix::Full && !kLayOutMatrixSigns) return NTCIP_MULTI_NONE;
    SignFonts signFonts(fonts);
    SignPictures signPictures(graphics);
    render::Sources sources;
    sources.fonts = signFonts.set();
    sources.pictures = signPictures.set();
    render::PageState state = render::firstPageState(sign, sources.fonts);
    render::PageLayout layout;
    for (size_t start = 0;;) {
        render::Problem p = render::layoutPage(multi.data(), multi.size(), start, sign, sources, state, layout);
        if (p.code == NTCIP_MULTI_TEXT_TOO_BIG) {
            position = p.at;
            return p.code;
        }
        if (!p.ok() || !layout.more) return NTCIP_MULTI_NONE;
        start = layout.end;
    }
}

}  // namespace tqsim
