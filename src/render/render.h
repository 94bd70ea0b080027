// Renders a MULTI message page by page onto a sign of any matrix kind: each
// page as a raster, and as two (the flash's on and off frames) when it
// flashes. The placement rules and the problems reported are layoutPage's
// (render/layout.h). The page background fills the whole page, whichever
// [pb] or [cb] of the page set it last; colour rectangles, pictures and
// characters follow in the order of the text, flashing ones on the on frame
// only.
//
// Moving text: a call renders every page at one moment, options.movingTime
// tenths of a second after the page appeared (0: as it comes up). A page
// with moving text tells in movingTick how often its picture may change and
// in movingCycle (at most kMaxMovingCycle) when it repeats; a caller wanting
// the frames renders again at 0, movingTick, 2 x movingTick ... below
// movingCycle. No frames are kept, so memory stays that of one moment; a
// caller showing frames bounds how many it asks for.
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
    uint16_t movingTick = 0;   // tenths; 0: no moving text
    uint32_t movingCycle = 0;  // tenths
};

// Bytes the frames of one message may take together.
constexpr uint64_t kMaxRenderBytes = uint64_t{1} << 28;

struct RenderOptions {
    uint64_t budget = kMaxRenderBytes;  // bytes the frames may take
    uint32_t movingTime = 0;            // tenths of a second into each page
};

// Fills pages (replacing what it held) when the whole message renders;
// on a problem pages is left as it was. Beyond layoutPage's problems:
// - tooManyPages (12) at the [np] that opens a page past profile.maxPages,
//   or whose frames would take the message past the budget;
// - other (1) at 0 for a character-matrix sign without a cell width or
//   height, a line-matrix sign without a line height, for one page's frames
//   larger than the budget, and when memory runs out.
Problem renderMulti(const char* text, size_t length, const SignProfile& profile, const Sources& sources,
                    std::vector<PageImage>& pages, const RenderOptions& options);
inline Problem renderMulti(const char* text, size_t length, const SignProfile& profile, const Sources& sources,
                           std::vector<PageImage>& pages, uint64_t budget = kMaxRenderBytes) {
    RenderOptions options;
    options.budget = budget;
    return renderMulti(text, length, profile, sources, pages, options);
}

}  // namespace render
}  // namespace dms
