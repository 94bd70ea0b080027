// A message's pages as the sign shows them in time, and that sequence as an
// animated GIF (through giflib) that loops forever.
//
// Each page shows for its page on time: as one frame, or when it flashes as
// its on and off frames in turn (the off frame first when the flash starts
// off), each for its flash time, the last cut to end with the page on time.
// A page off time follows as a blank frame (every LED off). A page on time
// of 0 holds the page for kHoldTime. Delays are in hundredths of a second.
//
// A page with moving text (and no flash) changes every movingTick: given a
// way to render the message at a moment, its frames are its moments 0,
// tick, 2 x tick ... for its page on time (one moving cycle when it has
// none), each shown until the next. Without one, or once a moment does not
// render, the page stays as it was last drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "preview/image.h"
#include "render/render.h"

namespace dms {
namespace preview {

// Frames a GIF holds at most; a longer sequence is cut there.
constexpr size_t kMaxFrames = 256;
// Hundredths of a second a page on time of 0 is shown.
constexpr uint16_t kHoldTime = 300;

struct Frame {
    const render::Raster* raster = nullptr;  // a page's frame, or the blank
    uint16_t delay = 0;                      // hundredths of a second
};

struct Sequence {
    render::Raster blank;                // the sign with every LED off
    std::deque<render::Raster> moments;  // moving text's later frames
    std::vector<Frame> frames;
    bool cut = false;  // the pages needed more than kMaxFrames frames
};

// Renders page `page` of the message `tenths` of a second after it came up
// into frame; false when it cannot.
using Moment = std::function<bool(size_t page, uint32_t tenths, render::Raster& frame)>;

// The frames of the pages, pointing into them (the pages must outlive the
// sequence, and the sequence must not be copied). Empty for no pages.
// Moments are rendered only while the sequence has room for their frames.
void sequenceOf(const std::vector<render::PageImage>& pages, Sequence& sequence, const Moment& moment = nullptr);

// The colours of a GIF: every colour of the faces when they have at most
// 256, in the order met (frames in order, rows top first); else the 256
// colours of 3 bits red, 3 green and 2 blue, each colour mapped to its own.
class Palette {
public:
    // Adds a colour met; false once there are more than 256.
    void add(render::Rgb color);
    bool exact() const { return exact_; }
    // The colours to write: at least 2, a power of two in number.
    std::vector<render::Rgb> colors() const;
    uint8_t indexOf(render::Rgb color) const;

private:
    static uint32_t key(render::Rgb c) { return uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue; }
    std::vector<render::Rgb> colors_;
    std::unordered_map<uint32_t, uint8_t> index_;
    bool exact_ = true;
};

// The GIF of the sequence with each frame drawn as drawFace does. False
// with a reason for an empty sequence, a face drawFace refuses, frames of
// different sizes, or when
// giflib fails. Throws std::bad_alloc when memory runs out.
bool encodeGif(const Sequence& sequence, unsigned scale, bool flat, std::vector<uint8_t>& out, std::string& error);
// The same into a file, as writeFile (preview/file.h) writes it.
bool writeGif(const Sequence& sequence, unsigned scale, bool flat, const std::string& path, std::string& error);

}  // namespace preview
}  // namespace dms
