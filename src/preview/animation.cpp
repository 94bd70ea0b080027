#include "preview/animation.h"

#include "preview/file.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace dms {
namespace preview {
namespace {

uint16_t hundredths(unsigned tenths) { return static_cast<uint16_t>(std::min(tenths * 10u, 65535u)); }

void add(Sequence& s, const render::Raster* raster, unsigned tenths) {
    if (tenths == 0) return;
    if (!s.frames.empty() && s.frames.back().raster == raster) {
        s.frames.back().delay = hundredths(s.frames.back().delay / 10u + tenths);
        return;
    }
    if (s.frames.size() == kMaxFrames) {
        s.cut = true;
        return;
    }
    s.frames.push_back(Frame{raster, hundredths(tenths)});
}

// A page with moving text: its moments, each until the next.
void addMoments(Sequence& s, size_t index, const render::PageImage& page, const Moment& moment) {
    const unsigned tick = page.movingTick;
    const uint32_t total = page.pageOn != 0 ? page.pageOn : page.movingCycle;
    const render::Raster* shown = &page.on;
    bool rendering = true;
    for (uint32_t t = 0; t < total && !s.cut; t += tick) {
        if (t > 0 && rendering) {
            if (s.frames.size() == kMaxFrames) {
                s.cut = true;
                break;
            }
            render::Raster frame;
            rendering = moment(index, t, frame);
            if (rendering) {
                s.moments.push_back(std::move(frame));
                shown = &s.moments.back();
            }
        }
        add(s, shown, std::min<uint32_t>(tick, total - t));
    }
}

void addPage(Sequence& s, size_t index, const render::PageImage& page, const Moment& moment) {
    const bool flashes = page.flashes && page.flashOn + page.flashOff > 0;
    if (!flashes && moment && page.movingTick > 0 && (page.pageOn != 0 || page.movingCycle != 0)) {
        addMoments(s, index, page, moment);
    } else if (!flashes) {
        if (page.pageOn == 0) {
            if (s.frames.size() == kMaxFrames)
                s.cut = true;
            else
                s.frames.push_back(Frame{&page.on, kHoldTime});
        } else {
            add(s, &page.on, page.pageOn);
        }
    } else {
        // A page held without end flashes on: one whole cycle stands for it.
        const unsigned total = page.pageOn != 0 ? page.pageOn : unsigned{page.flashOn} + page.flashOff;
        bool on = !page.flashOffFirst;
        for (unsigned t = 0; t < total && !s.cut; on = !on) {
            const unsigned phase = on ? page.flashOn : page.flashOff;
            const unsigned d = std::min(phase, total - t);
            add(s, on ? &page.on : &page.off, d);
            t += d;
        }
    }
    add(s, &s.blank, page.pageOff);
}

uint32_t packed(render::Rgb c) { return uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue; }

int writeBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    try {
        out->insert(out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return length;
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        if (gif) EGifCloseFile(gif, &error);
    }
};
struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

std::string gifError(int code) {
    const char* text = GifErrorString(code);
    return std::string("giflib: ") + (text ? text : "failed");
}

}  // namespace

void sequenceOf(const std::vector<render::PageImage>& pages, Sequence& sequence, const Moment& moment) {
    sequence.frames.clear();
    sequence.moments.clear();
    sequence.cut = false;
    if (pages.empty()) return;
    sequence.blank = render::Raster(pages[0].on.width(), pages[0].on.height(), render::Rgb{});
    for (size_t i = 0; i < pages.size() && !sequence.cut; ++i) addPage(sequence, i, pages[i], moment);
}

void Palette::add(render::Rgb color) {
    if (!exact_) return;
    const uint32_t k = key(color);
    if (index_.count(k)) return;
    if (colors_.size() == 256) {
        exact_ = false;
        return;
    }
    index_.emplace(k, static_cast<uint8_t>(colors_.size()));
    colors_.push_back(color);
}

std::vector<render::Rgb> Palette::colors() const {
    std::vector<render::Rgb> out;
    if (!exact_) {
        for (unsigned i = 0; i < 256; ++i)
            out.push_back(render::Rgb{static_cast<uint8_t>((i >> 5) * 255 / 7),
                                      static_cast<uint8_t>(((i >> 2) & 7) * 255 / 7),
                                      static_cast<uint8_t>((i & 3) * 255 / 3)});
        return out;
    }
    out = colors_;
    size_t size = 2;
    while (size < out.size()) size *= 2;
    out.resize(size);
    return out;
}

uint8_t Palette::indexOf(render::Rgb c) const {
    if (!exact_) return static_cast<uint8_t>((c.red >> 5) << 5 | (c.green >> 5) << 2 | (c.blue >> 6));
    auto it = index_.find(key(c));
    return it == index_.end() ? 0 : it->second;
}

bool encodeGif(const Sequence& sequence, unsigned scale, bool flat, std::vector<uint8_t>& out, std::string& error) {
    if (sequence.frames.empty()) {
        error = "no frames to write";
        return false;
    }
    // First pass: the colours; the faces are drawn again as they are written.
    Palette palette;
    Image face;
    uint32_t width = 0, height = 0;
    for (const Frame& f : sequence.frames) {
        if (!drawFace(*f.raster, scale, flat, face) || face.width == 0) {
            error = "the sign's face is too large or empty at this scale";
            return false;
        }
        if (width == 0) width = face.width, height = face.height;
        if (face.width != width || face.height != height) {
            error = "the frames differ in size";
            return false;
        }
        uint32_t last = 0xFFFFFFFF;
        for (size_t i = 0; i < face.rgb.size() && palette.exact(); i += 3) {
            const render::Rgb c{face.rgb[i], face.rgb[i + 1], face.rgb[i + 2]};
            if (packed(c) == last) continue;
            last = packed(c);
            palette.add(c);
        }
    }
    const std::vector<render::Rgb> colors = palette.colors();
    std::vector<GifColorType> entries;
    for (const render::Rgb& c : colors) entries.push_back(GifColorType{c.red, c.green, c.blue});
    std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(static_cast<int>(entries.size()), entries.data()));
    if (!map) throw std::bad_alloc();

    std::vector<uint8_t> bytes;
    int code = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&bytes, writeBytes, &code));
    if (!gif) {
        error = gifError(code);
        return false;
    }
    EGifSetGifVersion(gif.get(), true);
    static const GifByteType kLoop[] = {1, 0, 0};  // loop forever
    const bool head =
        EGifPutScreenDesc(gif.get(), static_cast<int>(width), static_cast<int>(height), 8, 0, map.get()) == GIF_OK &&
        EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
        EGifPutExtensionBlock(gif.get(), 11, "NETSCAPE2.0") == GIF_OK &&
        EGifPutExtensionBlock(gif.get(), 3, kLoop) == GIF_OK && EGifPutExtensionTrailer(gif.get()) == GIF_OK;
    if (!head) {
        error = gifError(gif->Error);
        return false;
    }
    std::vector<GifPixelType> line(width);
    for (const Frame& f : sequence.frames) {
        drawFace(*f.raster, scale, flat, face);
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.DelayTime = f.delay;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        bool ok = EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK &&
                  EGifPutImageDesc(gif.get(), 0, 0, static_cast<int>(width), static_cast<int>(height), false,
                                   nullptr) == GIF_OK;
        for (uint32_t y = 0; ok && y < face.height; ++y) {
            const uint8_t* p = &face.rgb[size_t{y} * face.width * 3];
            for (uint32_t x = 0; x < face.width; ++x, p += 3) line[x] = palette.indexOf(render::Rgb{p[0], p[1], p[2]});
            ok = EGifPutLine(gif.get(), line.data(), static_cast<int>(width)) == GIF_OK;
        }
        if (!ok) {
            error = gifError(gif->Error);
            return false;
        }
    }
    GifFileType* done = gif.release();
    if (EGifCloseFile(done, &code) != GIF_OK) {
        error = gifError(code);
        return false;
    }
    out = std::move(bytes);
    return true;
}

bool writeGif(const Sequence& sequence, unsigned scale, bool flat, const std::string& path, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!encodeGif(sequence, scale, flat, bytes, error)) return false;
    return writeFile(bytes, path, error);
}

}  // namespace preview
}  // namespace dms
