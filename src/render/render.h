// Renders a MULTI message page by page onto a full-matrix sign: each page
// as a raster, and as two (the flash's on and off frames) when it flashes.
// The placement rules and the problems reported are layoutPage's
// (render/layout.h). The page background fills the whole page, whichever
// [pb] or [cb] of the page set it last; colour rectangles, pictures and
// characters follow in the order of the text, flashing ones on the on frame
// only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/layout.h"
#include "render/profile.h"
#include "render/raster.h"

namespace dms {
namespace render {

struct PageImage {
    Raster on;             // the page; with a flash, its on frame
    Raster off;            // the flash's off frame; empty without one
    bool flashes = false;
    uint8_t flashOn = 0, flashOff = 0;  // tenths of a second
    bool flashOffFirst = false;
    uint8_t pageOn = 0, pageOff = 0;    // tenths of a second
};

// Bytes the frames of one message may take together.
constexpr uint64_t kMaxRenderBytes = uint64_t{1} << 28;

// Fills pages (replacing what it held) when the whole message renders;
// on a problem pages is left as it was. Beyond layoutPage's problems:
// - tooManyPages (12) at the [np] that opens a page past profile.maxPages,
//   or whose frames would take the message past `budget` bytes;
// - other (1) at 0 for a character- or line-matrix sign (not rendered yet),
//   for one page's frames larger than the budget, and when memory runs out.
Problem renderMulti(const char* text, size_t length, const SignProfile& profile, const Sources& sources,
                    std::vector<PageImage>& pages, uint64_t budget = kMaxRenderBytes);

}  // namespace render
}  // namespace dms
