#include "render/render.h"

#include <new>
#include <utility>

#include "tqdms/ntcip.h"

namespace dms {
namespace render {
namespace {

// Draws into one frame: the on frame shows the flashing parts, the off
// frame leaves them out.
class RasterPainter : public Painter {
public:
    RasterPainter(Raster& raster, bool flashShown) : raster_(raster), flashShown_(flashShown) {}
    void glyph(int x, int y, const Glyph& g, uint16_t height, Rgb color, bool flashing) override {
        if (flashing && !flashShown_) return;
        for (unsigned r = 0; r < height; ++r)
            for (unsigned c = 0; c < g.width; ++c) {
                const int px = x + static_cast<int>(c), py = y + static_cast<int>(r);
                if (g.lit(c, r) && inClip(px, py)) raster_.set(px, py, color);
            }
    }
    void clip(int x, int y, int width, int height) override {
        clipped_ = width >= 0;
        clipX_ = x, clipY_ = y, clipW_ = width, clipH_ = height;
    }
    void rect(int x, int y, int width, int height, Rgb color, bool flashing) override {
        if (flashing && !flashShown_) return;
        raster_.fill(x, y, width, height, color);
    }

    void picture(int x, int y, const Picture& p, bool flashing) override {
        if ((flashing && !flashShown_) || !p.pixels) return;
        for (int r = 0; r < p.height; ++r)
            for (int c = 0; c < p.width; ++c) {
                Rgb pixel = p.pixels[static_cast<size_t>(r) * p.width + static_cast<size_t>(c)];
                if (!p.transparent || pixel != p.transparentColor) raster_.set(x + c, y + r, pixel);
            }
    }

private:
    bool inClip(int x, int y) const {
        return !clipped_ || (x >= clipX_ && y >= clipY_ && x - clipX_ < clipW_ && y - clipY_ < clipH_);
    }

    Raster& raster_;
    bool flashShown_;
    bool clipped_ = false;
    int clipX_ = 0, clipY_ = 0, clipW_ = 0, clipH_ = 0;
};

PageImage paint(const char* text, size_t length, size_t start, const SignProfile& profile, const Sources& sources,
                const PageState& pageStart, const PageLayout& layout, uint32_t time) {
    PageImage image;
    image.flashes = layout.flashes;
    image.flashOn = layout.flashOn;
    image.flashOff = layout.flashOff;
    image.flashOffFirst = layout.flashOffFirst;
    image.pageOn = layout.pageOn;
    image.pageOff = layout.pageOff;
    image.movingTick = layout.movingTick;
    image.movingCycle = layout.movingCycle;
    image.on = Raster(profile.width, profile.height, layout.background);
    RasterPainter onPainter(image.on, true);
    paintPage(text, length, start, profile, sources, pageStart, layout, onPainter, time);
    if (layout.flashes) {
        image.off = Raster(profile.width, profile.height, layout.background);
        RasterPainter offPainter(image.off, false);
        paintPage(text, length, start, profile, sources, pageStart, layout, offPainter, time);
    }
    return image;
}

}  // namespace

Problem renderMulti(const char* text, size_t length, const SignProfile& profile, const Sources& sources,
                    std::vector<PageImage>& pages, const RenderOptions& options) {
    const bool cells = profile.matrix == Matrix::Character && profile.characterWidth == 0;
    if (cells || (profile.matrix != Matrix::Full && profile.characterHeight == 0)) return Problem{NTCIP_MULTI_OTHER, 0};
    const uint64_t budget = options.budget;
    if (!text) length = 0;
    const uint64_t frameBytes = uint64_t{profile.width} * profile.height * sizeof(Rgb);
    try {
        std::vector<PageImage> out;
        PageLayout layout;  // reused page after page
        PageState state = firstPageState(profile, sources.fonts);
        size_t start = 0;
        uint64_t used = 0;
        // Each page ends at an [np] past its start, or at the end of the text.
        for (bool more = true; more;) {
            const size_t opener = layout.newPageAt;  // the [np] before this page
            if (profile.maxPages > 0 && out.size() >= profile.maxPages)
                return Problem{NTCIP_MULTI_TOO_MANY_PAGES, opener};
            PageState pageStart = state;
            Problem p = layoutPage(text ? text : "", length, start, profile, sources, state, layout);
            if (!p.ok()) return p;
            uint64_t bytes = frameBytes * (layout.flashes ? 2 : 1);
            if (bytes > budget - used)
                return out.empty() ? Problem{NTCIP_MULTI_OTHER, 0} : Problem{NTCIP_MULTI_TOO_MANY_PAGES, opener};
            used += bytes;
            out.push_back(paint(text ? text : "", length, start, profile, sources, pageStart, layout, options.movingTime));
            more = layout.more;
            start = layout.end;
        }
        pages = std::move(out);
        return Problem{};
    } catch (const std::bad_alloc&) {
        return Problem{NTCIP_MULTI_OTHER, 0};
    }
}

}  // namespace render
}  // namespace dms
