// Previews: the sign's face at a scale, PNG and GIF files read back with
// libpng and giflib, and the terminal drawing.
#include <gtest/gtest.h>

#include <gif_lib.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>
#include <unistd.h>

#include "preview/animation.h"
#include "preview/image.h"
#include "preview/png_write.h"
#include "preview/terminal.h"

namespace {

using namespace dms::preview;
using dms::render::PageImage;
using dms::render::Raster;
using dms::render::Rgb;

const Rgb kRed{255, 0, 0}, kAmber{255, 180, 0}, kBlack{}, kWhite{255, 255, 255};

Raster raster(uint16_t width, uint16_t height, const std::vector<Rgb>& pixels) {
    Raster r(width, height, Rgb{});
    for (size_t i = 0; i < pixels.size(); ++i)
        r.set(static_cast<int>(i % width), static_cast<int>(i / width), pixels[i]);
    return r;
}

// A raster of distinct colours, for exact comparisons.
Raster varied(uint16_t width, uint16_t height) {
    Raster r(width, height, Rgb{});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            r.set(x, y,
                  Rgb{static_cast<uint8_t>(x * 37 + y), static_cast<uint8_t>(y * 51 + 7), static_cast<uint8_t>(x ^ y)});
    return r;
}

TEST(PreviewFace, LedCellsAreDiscsOnTheFace) {
    // Scale 4: the corners of each cell are face, the rest is the LED.
    const std::vector<std::string> cell = {".##.", "####", "####", ".##."};
    Image face;
    ASSERT_TRUE(drawFace(raster(2, 1, {kRed, kBlack}), 4, false, face));
    ASSERT_EQ(face.width, 8u);
    ASSERT_EQ(face.height, 4u);
    for (unsigned y = 0; y < 4; ++y)
        for (unsigned x = 0; x < 8; ++x) {
            const bool led = cell[y][x % 4] == '#';
            const Rgb want = !led ? kFaceColor : x < 4 ? kRed : kDarkLedColor;
            EXPECT_EQ(face.at(x, y), want) << x << "," << y;
        }
}

TEST(PreviewFace, FlatCellsAreThePixelWhole) {
    Image face;
    ASSERT_TRUE(drawFace(raster(2, 2, {kRed, kBlack, kAmber, kWhite}), 3, true, face));
    ASSERT_EQ(face.width, 6u);
    ASSERT_EQ(face.height, 6u);
    const Rgb want[2][2] = {{kRed, kBlack}, {kAmber, kWhite}};
    for (unsigned y = 0; y < 6; ++y)
        for (unsigned x = 0; x < 6; ++x) EXPECT_EQ(face.at(x, y), want[y / 3][x / 3]) << x << "," << y;
}

TEST(PreviewFace, ScaleAndSizeLimits) {
    struct Case {
        uint16_t width, height;
        unsigned scale;
        bool ok;
    } cases[] = {
        {4, 4, 0, false},   {4, 4, 1, true},     {4, 4, kMaxScale, true}, {4, 4, kMaxScale + 1, false},
        {512, 1, 32, true}, {513, 1, 32, false}, {1, 512, 32, true},      {1, 513, 32, false},
    };
    for (const Case& c : cases) {
        Image face;
        face.width = 99;
        EXPECT_EQ(drawFace(Raster(c.width, c.height, kRed), c.scale, false, face), c.ok)
            << c.width << "x" << c.height << " at " << c.scale;
        if (c.ok)
            EXPECT_EQ(face.width, c.width * c.scale);
        else
            EXPECT_TRUE(face.width == 0 && face.rgb.empty());
    }
    // At every scale the LED is a disc about the cell's centre: it covers
    // the centre, is symmetric, and from scale 3 on leaves the corners to
    // the face; scales 1 and 2 fill the cell.
    for (unsigned s = 1; s <= kMaxScale; ++s) {
        EXPECT_TRUE(ledCovers(s, s / 2, s / 2)) << s;
        EXPECT_EQ(ledCovers(s, 0, 0), s < 3) << s;
        EXPECT_EQ(ledCovers(s, s - 1, s - 1), s < 3) << s;
        for (unsigned y = 0; y < s; ++y)
            for (unsigned x = 0; x < s; ++x) {
                EXPECT_EQ(ledCovers(s, x, y), ledCovers(s, s - 1 - x, y)) << s << ": " << x << "," << y;
                EXPECT_EQ(ledCovers(s, x, y), ledCovers(s, y, x)) << s << ": " << x << "," << y;
            }
    }
}

// A PNG read back as 8-bit RGB with libpng's simplified reader.
Image readPng(const std::vector<uint8_t>& bytes) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    Image out;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
    image.format = PNG_FORMAT_RGB;
    out.width = image.width;
    out.height = image.height;
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) out = Image{};
    png_image_free(&image);
    return out;
}

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return bytes;
}

TEST(PreviewPng, ReadsBackAsTheRasterExactly) {
    for (auto size : {std::pair<uint16_t, uint16_t>{1, 1}, {5, 3}, {144, 48}}) {
        const Raster r = varied(size.first, size.second);
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(encodePng(imageOf(r), bytes, error)) << error;
        const Image back = readPng(bytes);
        ASSERT_EQ(back.width, r.width());
        ASSERT_EQ(back.height, r.height());
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x) ASSERT_EQ(back.at(x, y), r.at(x, y)) << x << "," << y;
    }
}

TEST(PreviewPng, FileHoldsTheFaceAndFailuresLeaveNothing) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("dms_preview_png_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    Image face;
    ASSERT_TRUE(drawFace(varied(6, 4), 3, false, face));
    std::string error;
    const std::string path = (dir / "face.png").string();
    ASSERT_TRUE(writePng(face, path, error)) << error;
    const Image back = readPng(fileBytes(path));
    EXPECT_EQ(back.width, face.width);
    EXPECT_EQ(back.rgb, face.rgb);

    EXPECT_FALSE(writePng(Image{}, (dir / "empty.png").string(), error));
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.png"));
    Image wrong = face;
    wrong.rgb.pop_back();
    EXPECT_FALSE(writePng(wrong, (dir / "short.png").string(), error));
    EXPECT_FALSE(std::filesystem::exists(dir / "short.png"));
    EXPECT_FALSE(writePng(face, (dir / "no" / "such.png").string(), error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
    // A file that cannot take the place of a folder: the folder stays, and
    // the bytes written on the way are removed.
    std::filesystem::create_directories(dir / "folder.png" / "inside");
    EXPECT_FALSE(writePng(face, (dir / "folder.png").string(), error));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.png" / "inside"));
    EXPECT_FALSE(std::filesystem::exists(dir / "folder.png.part"));
    // Writing again replaces the file whole.
    ASSERT_TRUE(writePng(imageOf(varied(2, 2)), path, error)) << error;
    EXPECT_EQ(readPng(fileBytes(path)).width, 2u);
    std::filesystem::remove_all(dir);
}

PageImage page(const Raster& on, uint8_t pageOn, uint8_t pageOff) {
    PageImage p;
    p.on = on;
    p.pageOn = pageOn;
    p.pageOff = pageOff;
    return p;
}

PageImage flashing(const Raster& on, const Raster& off, uint8_t pageOn, uint8_t flashOn, uint8_t flashOff,
                   bool offFirst) {
    PageImage p = page(on, pageOn, 0);
    p.off = off;
    p.flashes = true;
    p.flashOn = flashOn;
    p.flashOff = flashOff;
    p.flashOffFirst = offFirst;
    return p;
}

struct ReadGif {
    std::vector<uint8_t> bytes;
    size_t at = 0;
};

int readBytes(GifFileType* gif, GifByteType* data, int length) {
    auto* in = static_cast<ReadGif*>(gif->UserData);
    const size_t n = std::min(static_cast<size_t>(length), in->bytes.size() - in->at);
    std::memcpy(data, in->bytes.data() + in->at, n);
    in->at += n;
    return static_cast<int>(n);
}

struct GifRead {
    int width = 0, height = 0;
    bool loops = false;
    std::vector<int> delays;
    std::vector<Image> frames;
};

GifRead readGif(const std::vector<uint8_t>& bytes) {
    GifRead out;
    ReadGif in{bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&in, readBytes, &error);
    if (!gif) return out;
    if (DGifSlurp(gif) == GIF_OK) {
        out.width = gif->SWidth;
        out.height = gif->SHeight;
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& s = gif->SavedImages[i];
            for (int e = 0; e < s.ExtensionBlockCount; ++e)
                if (s.ExtensionBlocks[e].Function == APPLICATION_EXT_FUNC_CODE &&
                    s.ExtensionBlocks[e].ByteCount == 11 &&
                    std::memcmp(s.ExtensionBlocks[e].Bytes, "NETSCAPE2.0", 11) == 0 && e + 1 < s.ExtensionBlockCount &&
                    s.ExtensionBlocks[e + 1].Bytes[0] == 1 && s.ExtensionBlocks[e + 1].Bytes[1] == 0 &&
                    s.ExtensionBlocks[e + 1].Bytes[2] == 0)
                    out.loops = true;
            GraphicsControlBlock control{};
            DGifSavedExtensionToGCB(gif, i, &control);
            out.delays.push_back(control.DelayTime);
            const ColorMapObject* map = s.ImageDesc.ColorMap ? s.ImageDesc.ColorMap : gif->SColorMap;
            Image f;
            f.width = static_cast<uint32_t>(s.ImageDesc.Width);
            f.height = static_cast<uint32_t>(s.ImageDesc.Height);
            for (size_t p = 0; p < size_t{f.width} * f.height; ++p) {
                const GifColorType& c = map->Colors[s.RasterBits[p]];
                f.rgb.insert(f.rgb.end(), {c.Red, c.Green, c.Blue});
            }
            out.frames.push_back(std::move(f));
        }
    }
    DGifCloseFile(gif, &error);
    return out;
}

Image faceOf(const Raster& r, unsigned scale, bool flat) {
    Image face;
    drawFace(r, scale, flat, face);
    return face;
}

TEST(PreviewGif, FramesDelaysAndPixels) {
    const Raster one = raster(3, 2, {kRed, kBlack, kAmber, kWhite, kRed, kBlack});
    const Raster two = raster(3, 2, {kAmber, kAmber, kAmber, kBlack, kBlack, kBlack});
    const Raster twoOff = raster(3, 2, {});
    const Raster blank(3, 2, Rgb{});
    // Page 1 for 2 s, then 0.5 s blank; page 2 flashes 0.3 s on, 0.2 s off
    // for 1 s; page 3 starts off and its last phase is cut short.
    std::vector<PageImage> pages = {page(one, 20, 5), flashing(two, twoOff, 10, 3, 2, false),
                                    flashing(one, two, 7, 3, 2, true)};
    Sequence seq;
    sequenceOf(pages, seq);
    struct Want {
        const Raster* r;
        int delay;
    } want[] = {{&one, 200},   {&blank, 50}, {&two, 30}, {&twoOff, 20}, {&two, 30},
                {&twoOff, 20}, {&two, 20},   {&one, 30}, {&two, 20}};
    // Page 3: off 0.2, on 0.3, off 0.2 (cut to end at 0.7 s).
    for (bool flat : {false, true}) {
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(encodeGif(seq, 2, flat, bytes, error)) << error;
        const GifRead gif = readGif(bytes);
        EXPECT_TRUE(gif.loops);
        EXPECT_EQ(gif.width, 6);
        EXPECT_EQ(gif.height, 4);
        ASSERT_EQ(gif.frames.size(), std::size(want));
        for (size_t i = 0; i < std::size(want); ++i) {
            EXPECT_EQ(gif.delays[i], want[i].delay) << i;
            EXPECT_EQ(gif.frames[i].rgb, faceOf(*want[i].r, 2, flat).rgb) << i;
        }
    }
}

TEST(PreviewGif, HeldPagesAndTheFrameLimit) {
    const Raster r = raster(1, 1, {kRed});
    Sequence seq;
    // A page on time of 0 holds; a held flashing page flashes one cycle.
    std::vector<PageImage> pages = {page(r, 0, 0), flashing(r, Raster(1, 1, kBlack), 0, 4, 6, false)};
    sequenceOf(pages, seq);
    ASSERT_EQ(seq.frames.size(), 3u);
    EXPECT_EQ(seq.frames[0].delay, kHoldTime);
    EXPECT_EQ(seq.frames[1].delay, 40);
    EXPECT_EQ(seq.frames[2].delay, 60);

    // Pages with a blank after each: two frames a page.
    for (size_t count : {kMaxFrames / 2, kMaxFrames / 2 + 1}) {
        std::vector<PageImage> many(count, page(r, 10, 10));
        sequenceOf(many, seq);
        EXPECT_EQ(seq.frames.size(), kMaxFrames) << count;
        EXPECT_EQ(seq.cut, count > kMaxFrames / 2) << count;
    }
    sequenceOf({}, seq);
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(encodeGif(seq, 1, true, bytes, error));
    // Frames of different sizes make no GIF.
    std::vector<PageImage> sizes = {page(r, 10, 0), page(raster(2, 1, {kRed, kRed}), 10, 0)};
    sequenceOf(sizes, seq);
    EXPECT_FALSE(encodeGif(seq, 1, true, bytes, error));
    EXPECT_EQ(error, "the frames differ in size");
}

TEST(PreviewGif, MovingTextMoments) {
    PageImage moving = page(raster(1, 1, {kBlack}), 10, 0);
    moving.movingTick = 3;
    moving.movingCycle = 8;
    PageImage held = moving;
    held.pageOn = 0;
    held.movingCycle = 12;
    PageImage flashingMoving = flashing(raster(1, 1, {kRed}), Raster(1, 1, kBlack), 4, 2, 2, false);
    flashingMoving.movingTick = 3;
    flashingMoving.movingCycle = 8;
    std::vector<PageImage> pages = {moving, held, flashingMoving};
    // Each moment drawn in a red of its time; the moment at 6 of page 1 fails.
    std::vector<std::pair<size_t, uint32_t>> asked;
    const Moment moment = [&asked](size_t index, uint32_t tenths, Raster& frame) {
        asked.emplace_back(index, tenths);
        if (index == 1 && tenths == 6) return false;
        frame = Raster(1, 1, Rgb{static_cast<uint8_t>(tenths), 0, 0});
        return true;
    };
    Sequence seq;
    sequenceOf(pages, seq, moment);
    // Page 0: 0, 3, 6, 9 within its 1 s; page 1 (held): one cycle of 1.2 s,
    // staying at 3 once 6 fails, 9 not asked; page 2 flashes, its moments
    // are not drawn.
    const std::vector<std::pair<size_t, uint32_t>> wantAsked = {{0, 3}, {0, 6}, {0, 9}, {1, 3}, {1, 6}};
    EXPECT_EQ(asked, wantAsked);
    const std::vector<int> wantDelays = {30, 30, 30, 10, 30, 90, 20, 20};
    const std::vector<int> wantRed = {0, 3, 6, 9, 0, 3, 255, 0};
    ASSERT_EQ(seq.frames.size(), wantDelays.size());
    for (size_t i = 0; i < wantDelays.size(); ++i) {
        EXPECT_EQ(seq.frames[i].delay, wantDelays[i]) << i;
        EXPECT_EQ(seq.frames[i].raster->at(0, 0).red, wantRed[i]) << i;
    }
    // Without a way to render moments, a page is its first moment.
    sequenceOf(pages, seq);
    ASSERT_EQ(seq.frames.size(), 4u);
    EXPECT_EQ(seq.frames[0].delay, 100);
    EXPECT_EQ(seq.frames[1].delay, kHoldTime);

    // Moments stop with the frame limit: none is rendered past it.
    std::vector<PageImage> many(kMaxFrames - 1, page(raster(1, 1, {kRed}), 10, 0));
    many.push_back(moving);
    asked.clear();
    sequenceOf(many, seq, moment);
    EXPECT_EQ(seq.frames.size(), kMaxFrames);
    EXPECT_TRUE(seq.cut);
    EXPECT_TRUE(asked.empty());
}

TEST(PreviewGif, PaletteIsExactUpTo256Colours) {
    for (int colours : {256, 257}) {
        Raster r(16, 17, kBlack);
        // Colour 0 is the black fill.
        for (int i = 0; i < 256; ++i)
            r.set(i % 16, i / 16, Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(i * 7), 0});
        if (colours == 257) r.set(0, 16, Rgb{1, 2, 3});
        std::vector<PageImage> pages = {page(r, 10, 0)};
        Sequence seq;
        sequenceOf(pages, seq);
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(encodeGif(seq, 1, true, bytes, error)) << error;
        const GifRead gif = readGif(bytes);
        ASSERT_EQ(gif.frames.size(), 1u);
        const Image face = faceOf(r, 1, true);
        if (colours == 256) {
            EXPECT_EQ(gif.frames[0].rgb, face.rgb);
        } else {
            // Beyond 256: 3 bits red, 3 green, 2 blue.
            const Rgb c = gif.frames[0].at(200 % 16, 200 / 16), src = face.at(200 % 16, 200 / 16);
            EXPECT_EQ(c, (Rgb{static_cast<uint8_t>((src.red >> 5) * 255 / 7),
                              static_cast<uint8_t>((src.green >> 5) * 255 / 7),
                              static_cast<uint8_t>((src.blue >> 6) * 255 / 3)}));
        }
    }
}

TEST(PreviewTerminal, HalfBlocksTwoRowsALine) {
    const std::string block = "\xe2\x96\x80";
    EXPECT_EQ(terminalDrawing(raster(2, 2, {kRed, kRed, kBlack, kAmber})),
              "\x1b[38;2;255;0;0m\x1b[48;2;0;0;0m" + block + "\x1b[48;2;255;180;0m" + block + "\x1b[0m\n");
    // Colours are given again where they change along the line.
    EXPECT_EQ(terminalDrawing(raster(3, 2, {kRed, kAmber, kAmber, kBlack, kBlack, kWhite})),
              "\x1b[38;2;255;0;0m\x1b[48;2;0;0;0m" + block + "\x1b[38;2;255;180;0m" + block + "\x1b[48;2;255;255;255m" +
                  block + "\x1b[0m\n");
    // An odd last row keeps the terminal's background.
    EXPECT_EQ(
        terminalDrawing(raster(1, 3, {kRed, kWhite, kAmber})),
        "\x1b[38;2;255;0;0m\x1b[48;2;255;255;255m" + block + "\x1b[0m\n\x1b[38;2;255;180;0m" + block + "\x1b[0m\n");
    EXPECT_EQ(terminalDrawing(Raster()), "");
}

}  // namespace
