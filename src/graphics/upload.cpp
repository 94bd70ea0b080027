// One BMP file into one graphic row: uploadGraphic and tqSendSinglePicture.
#include <cstring>
#include <vector>

#include "dmscontent/graphics.h"
#include "frame/device.h"
#include "frame/export.h"
#include "graphics/bmp.h"
#include "graphics/graphic_rows.h"
#include "graphics/pictures.h"

namespace dms {
namespace {

bool hasCallback(const DeviceInterface* di) { return di && di->params.progress; }

// Columns in the order the sign expects them: height, number, name, width,
// type, transparency, transparent colour.
uint32_t writeColumns(int index, const dmsGraphic& p) {
    uint32_t rc;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_HEIGHT, &p.height, 2)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_NUMBER, &p.index, 1)) != 0) return rc;
    // The name goes out as its 64-byte field, cut to stay NUL-terminated.
    char name[sizeof p.name];
    std::memcpy(name, p.name, sizeof name);
    name[sizeof name - 1] = '\0';
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_NAME, name, sizeof name)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_WIDTH, &p.width, 2)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_TYPE, &p.type, 1)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_TRANSPARENT_ENABLED, &p.transparent, 1)) != 0) return rc;
    return tqSetGraphicTable(index, NTCIP_GRAPHIC_TRANSPARENT_COLOR, &p.transparentColor, 4);
}

}  // namespace

uint32_t readGraphicLimits(uint32_t& rows, uint32_t& blockSize) {
    rows = 0;
    blockSize = 0;
    uint32_t rc = tqGetGraphicDefinition(NTCIP_MAX_GRAPHICS, &rows, 4);
    if (rc != 0) return rc;
    return tqGetGraphicDefinition(NTCIP_GRAPHIC_BLOCK_SIZE, &blockSize, 4);
}

uint32_t uploadGraphic(const char* path, dmsGraphic& picture, uint32_t rows, uint32_t blockSize,
                       DeviceInterface* di, double progress, double step) {
    BmpFileHeader fh;
    BmpInfoHeader ih;
    std::vector<uint8_t> stream;
    uint32_t rc = readBmpFile(path, fh, ih, stream);
    if (rc != 0) return rc;
    picture.height = static_cast<uint16_t>(ih.height);
    picture.width = static_cast<uint16_t>(ih.width);
    const uint64_t bits = uint64_t{ih.bitCount} * picture.width * picture.height;
    picture.length = static_cast<uint32_t>(bits / 8);

    const int index = picture.index;
    if (index < 1 || static_cast<uint32_t>(index) > rows) return DMS_E_PICTURE_NUMBER;
    if (blockSize == 0 || blockSize > 65535) return DMS_E_INVALID;
    uint32_t status = 0;
    if ((rc = readGraphicStatus(index, status)) != 0) return rc;
    if (status == NTCIP_GRAPHIC_IN_USE || status == NTCIP_GRAPHIC_PERMANENT) return DMS_E_IN_USE;
    if (status == kGraphicRefusedStatus) return DMS_E_GRAPHIC_STATUS;
    if ((rc = enterGraphicModifying(index)) != 0) return rc;
    if ((rc = writeColumns(index, picture)) != 0) return rc;

    // The blocks cover the whole packed stream, so the last bits of a picture
    // whose bit count is not a multiple of 8 reach the sign too. Every block,
    // the last as well, is blockSize bytes; the buffer is zero past the stream.
    const size_t streamBytes = static_cast<size_t>((bits + 7) / 8);
    const size_t blocks = (streamBytes + blockSize - 1) / blockSize;
    if (stream.size() < blocks * blockSize) stream.resize(blocks * blockSize, 0);
    for (size_t b = 1; b <= blocks; ++b) {
        rc = tqSetGraphicBitmapTable(index, static_cast<int>(b), stream.data() + (b - 1) * blockSize,
                                     static_cast<int>(blockSize));
        if (rc != 0) return rc;
        if (hasCallback(di)) {
            progress += step / static_cast<double>(blocks);
            reportProgress(di, 0, static_cast<int>(progress));
        }
    }
    if ((rc = changeGraphicStatus(index, NTCIP_GRAPHIC_READY_FOR_USE_REQ, NTCIP_GRAPHIC_READY_FOR_USE)) != 0)
        return rc;
    if (hasCallback(di)) reportProgress(di, 0, static_cast<int>(progress));
    return 0;
}

}  // namespace dms

DMS_API uint32_t DMS_CALL tqSendSinglePicture(const char* path, dmsGraphic* picture) {
    if (!path || !picture) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        uint32_t rows = 0, blockSize = 0;
        uint32_t rc = dms::readGraphicLimits(rows, blockSize);
        if (rc != 0) return rc;
        return dms::uploadGraphic(path, *picture, rows, blockSize, nullptr, 0.0, 100.0);
    });
}
