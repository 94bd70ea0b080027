// readSignPictures: the sign's pictures as the renderer draws them, from
// the graphic table (form and transparency) and the graphic bitmap table.
#include <algorithm>
#include <cstring>

#include "dmscontent/common.h"
#include "frame/device.h"
#include "graphics/pictures.h"
#include "render/graphic.h"
#include "sign_render/sign_render.h"

namespace dms {
namespace {

bool holdsPicture(int32_t status) {
    return status == NTCIP_GRAPHIC_READY_FOR_USE || status == NTCIP_GRAPHIC_IN_USE ||
           status == NTCIP_GRAPHIC_PERMANENT;
}

struct Row {
    int32_t number = 0, height = 0, width = 0, type = 0, transparent = 0;
    uint8_t transparentColor[4] = {};
};

uint32_t readRow(int row, Row& r) {
    uint32_t rc;
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_HEIGHT, &r.height, 4)) != 0) return rc;
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_WIDTH, &r.width, 4)) != 0) return rc;
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_TYPE, &r.type, 4)) != 0) return rc;
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_TRANSPARENT_ENABLED, &r.transparent, 4)) != 0) return rc;
    return tqGetGraphicTable(row, NTCIP_GRAPHIC_TRANSPARENT_COLOR, r.transparentColor, 4);
}

// The row's bitmap blocks and the picture decoded from them. A row whose
// form the renderer cannot take is left out (false): a message naming it
// gets graphicNotDefined, as from a sign without it.
uint32_t readPicture(int row, const Row& r, uint32_t blockSize, const render::SignProfile& profile,
                     std::vector<render::Rgb>& pixels, render::Picture& picture, bool& usable) {
    usable = false;
    if (r.width <= 0 || r.height <= 0 || r.width > 65535 || r.height > 65535 || r.type < 1 || r.type > 4) return 0;
    const uint64_t length =
        render::graphicStreamBytes(static_cast<uint8_t>(r.type), static_cast<uint16_t>(r.width), static_cast<uint16_t>(r.height));
    if (length == 0 || static_cast<uint64_t>(r.width) * static_cast<uint64_t>(r.height) > render::kMaxGraphicPixels) return 0;
    const uint64_t blocks = (length + blockSize - 1) / blockSize;
    std::vector<uint8_t> stream(static_cast<size_t>(blocks * blockSize), 0);
    for (uint64_t b = 1; b <= blocks; ++b) {
        uint32_t rc = tqGetGraphicBitmapTable(row, static_cast<int>(b), stream.data() + (b - 1) * blockSize,
                                              static_cast<int>(blockSize));
        if (rc != 0) return rc;
    }
    render::GraphicForm form;
    form.width = static_cast<uint16_t>(r.width);
    form.height = static_cast<uint16_t>(r.height);
    form.type = static_cast<uint8_t>(r.type);
    form.transparentEnabled = r.transparent != 0;
    form.transparentColor = r.transparentColor;
    form.transparentLength = sizeof r.transparentColor;
    usable = render::decodeGraphic(form, stream.data(), static_cast<size_t>(length), profile, pixels, picture) ==
             render::GraphicError::None;
    return 0;
}

}  // namespace

// Every row holding a picture, or those of `numbers`; rows past 255 are
// not read (graphic numbers are one byte).
uint32_t readSignPictures(const std::vector<int32_t>* numbers, SignRendering& out) {
    uint32_t rows = 0, blockSize = 0, rc;
    if ((rc = tqGetGraphicDefinition(NTCIP_MAX_GRAPHICS, &rows, 4)) != 0) return rc;
    if ((rc = tqGetGraphicDefinition(NTCIP_GRAPHIC_BLOCK_SIZE, &blockSize, 4)) != 0) return rc;
    if (blockSize == 0 || blockSize > 65535) return DMS_E_INVALID;
    std::vector<int32_t> found;
    for (uint32_t row = 1; row <= std::min(rows, kMaxGraphicRows); ++row) {
        if (numbers && found.size() == numbers->size()) break;
        int32_t status = 0;
        if ((rc = tqGetGraphicTable(static_cast<int>(row), NTCIP_GRAPHIC_STATUS, &status, 4)) != 0) return rc;
        if (!holdsPicture(status)) continue;
        Row r;
        if ((rc = tqGetGraphicTable(static_cast<int>(row), NTCIP_GRAPHIC_NUMBER, &r.number, 4)) != 0) return rc;
        const bool wanted = !numbers || std::find(numbers->begin(), numbers->end(), r.number) != numbers->end();
        if (!wanted || std::find(found.begin(), found.end(), r.number) != found.end()) continue;
        found.push_back(r.number);
        if ((rc = readRow(static_cast<int>(row), r)) != 0) return rc;
        std::vector<render::Rgb> pixels;
        render::Picture picture;
        bool usable = false;
        if ((rc = readPicture(static_cast<int>(row), r, blockSize, out.profile, pixels, picture, usable)) != 0)
            return rc;
        if (!usable) continue;
        out.pixels.push_back(std::move(pixels));
        out.pictures.push_back(picture);
        out.pictureEntries.push_back(render::PictureEntry{r.number, nullptr});
    }
    // The vectors' buffers moved into `pixels` keep their place; the entries
    // point at the pictures once all are in.
    for (size_t i = 0; i < out.pictures.size(); ++i) {
        out.pictures[i].pixels = out.pixels[i].data();
        out.pictureEntries[i].item = &out.pictures[i];
    }
    return 0;
}

}  // namespace dms
