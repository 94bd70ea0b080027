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
            for (unsigned c = 0; c < g.width; ++c)
                if (g.lit(c, r)) raster_.set(x + static_cast<int>(c), y + static_cast<int>(r), color);
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
    Raster& raster_;
    bool flashShown_;
};

PageImage paint(const char* text, size_t length, size_t start, const SignProfile& profile, const Sources& sources,
                const PageState& pageStart, const PageLayout& layout) {
    PageImage image;
    image.flashes = layout.flashes;
    image.flashOn = layout.flashOn;
    image.flashOff = layout.flashOff;
    image.flashOffFirst = layout.flashOffFirst;
    image.pageOn = layout.pageOn;
    image.pageOff = layout.pageOff;
    image.on = Raster(profile.width, profile.height, layout.background);
    RasterPainter onPainter(image.on, true);
    paintPage(text, length, start, profile, sources, pageStart, layout, onPainter);
    if (layout.flashes) {
        image.off = Raster(profile.width, profile.height, layout.background);
        RasterPainter offPainter(image.off, false);
        paintPage(text, length, start, profile, sources, pageStart, layout, offPainter);
    }
    return image;
}

}  // namespace

Problem renderMulti(const char* text, size_t length, const SignProfile& profile, const Sources& sources,
                    std::vector<PageImage>& pages, uint64_t budget) {
    if (profile.matrix != Matrix::Full) return Problem{NTCIP_MULTI_OTHER, 0};
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
            out.push_back(paint(text ? text : "", length, start, profile, sources, pageStart, layout));
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
