// Listing the sign's pictures, optionally into BMP files: downloadGraphics
// and tqGetPictures.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "dmscontent/graphics.h"
#include "frame/device.h"
#include "frame/export.h"
#include "frame/platform.h"
#include "graphics/bmp.h"
#include "graphics/pictures.h"

namespace dms {
namespace {

bool hasCallback(const DeviceInterface* di) { return di && di->params.progress; }

void report(DeviceInterface* di, double value) {
    if (hasCallback(di)) reportProgress(di, 0, static_cast<int>(value));
}

bool fileExists(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

// Pass 1: rows whose status says they may hold a picture and whose height is
// not 0 are listed with their index and height.
uint32_t findPictures(DeviceInterface* di, uint32_t rows, dmsGraphic* pictures, int capacity, int& listed) {
    int previous = 0;
    for (uint32_t r = 1; r <= rows; ++r) {
        uint32_t status = 0;
        uint32_t rc = tqGetGraphicTable(static_cast<int>(r), NTCIP_GRAPHIC_STATUS, &status, 4);
        if (rc != 0) return rc;
        int p = static_cast<int>(30.0 * r / rows);
        if (p != previous && p % 3 == 0) report(di, p);
        previous = p;
        if (status == NTCIP_GRAPHIC_NOT_USED || status == NTCIP_GRAPHIC_MODIFYING ||
            status == NTCIP_GRAPHIC_CALCULATING_ID)
            continue;
        uint16_t height = 0;
        if ((rc = tqGetGraphicTable(static_cast<int>(r), NTCIP_GRAPHIC_HEIGHT, &height, 2)) != 0) return rc;
        if (height == 0) continue;
        if (listed >= capacity) return DMS_E_FULL;
        pictures[listed].index = static_cast<uint8_t>(r);
        pictures[listed].height = height;
        ++listed;
    }
    return 0;
}

uint32_t readColumns(dmsGraphic& p) {
    const int row = p.index;
    uint32_t rc;
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_NAME, p.name, sizeof p.name)) != 0) return rc;
    p.name[sizeof p.name - 1] = '\0';
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_WIDTH, &p.width, 2)) != 0) return rc;
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_TYPE, &p.type, 1)) != 0) return rc;
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_ID, &p.id, 2)) != 0) return rc;
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_TRANSPARENT_ENABLED, &p.transparent, 1)) != 0) return rc;
    if ((rc = tqGetGraphicTable(row, NTCIP_GRAPHIC_TRANSPARENT_COLOR, &p.transparentColor, 4)) != 0) return rc;
    return tqGetGraphicTable(row, NTCIP_GRAPHIC_STATUS, &p.status, 1);
}

// Bits per pixel and stream length of a graphic type: 1 monochrome1bit,
// 2 monochrome8bit and 3 colorClassic 8 bits, anything else 24 bits.
void typeLayout(const dmsGraphic& p, uint32_t& bits, uint32_t& length) {
    const uint32_t pixels = uint32_t{p.width} * p.height;
    switch (p.type) {
    case NTCIP_MONOCHROME_1BIT: bits = 1; length = (pixels + 7) / 8; break;
    case NTCIP_MONOCHROME_8BIT:
    case NTCIP_COLOR_CLASSIC: bits = 8; length = pixels; break;
    default: bits = 24; length = pixels * 3; break;
    }
}

// Reads the picture's blocks and writes them as a BMP file. Progress moves
// from base to base + span over the blocks.
uint32_t savePicture(DeviceInterface* di, dmsGraphic& p, const std::string& path, uint32_t blockSize, double base,
                     double span) {
    uint32_t bits = 0, length = 0;
    typeLayout(p, bits, length);
    p.fileLength = length;
    BmpFileHeader fh;
    BmpInfoHeader ih;
    const uint64_t imageSize = bmpStride(bits, p.width) * p.height;
    fh.type = kBmpType;
    fh.size = static_cast<uint32_t>(kBmpHeadersSize + imageSize);
    fh.offset = kBmpHeadersSize;
    ih.size = 40;
    ih.width = p.width;
    ih.height = p.height;
    ih.planes = 1;
    ih.bitCount = static_cast<uint16_t>(bits);
    ih.imageSize = static_cast<uint32_t>(imageSize);
    if (imageSize > kMaxImageBytes) return DMS_E_NO_MEMORY;
    std::vector<uint8_t> buffer;
    try {
        buffer.assign(static_cast<size_t>(imageSize) + blockSize, 0);
    } catch (const std::bad_alloc&) {
        return DMS_E_NO_MEMORY;
    }
    // The block results are not checked: a block the sign cannot give stays
    // zero in the picture.
    const uint32_t blocks = (length + blockSize - 1) / blockSize;
    for (uint32_t b = 1; b <= blocks; ++b) {
        tqGetGraphicBitmapTable(p.index, static_cast<int>(b), buffer.data() + size_t{b - 1} * blockSize,
                                static_cast<int>(blockSize));
        report(di, base + span * b / blocks);
    }
    return writeBmpFile(path.c_str(), fh, ih, buffer.data(), buffer.size());
}

uint32_t listPictures(dmsGraphic* pictures, int capacity, int& listed, const char* folder, bool overwrite) {
    DeviceInterface* di = currentInterface();
    uint32_t rows = 0, maxSize = 0, blockSize = 0;
    uint32_t rc = tqGetGraphicDefinition(NTCIP_MAX_GRAPHICS, &rows, 4);
    if (rc != 0) return rc;
    if ((rc = tqGetGraphicDefinition(NTCIP_MAX_GRAPHIC_SIZE, &maxSize, 4)) != 0) return rc;
    if ((rc = tqGetGraphicDefinition(NTCIP_GRAPHIC_BLOCK_SIZE, &blockSize, 4)) != 0) return rc;
    const bool files = folder && *folder && platform::isDirectory(folder);
    if (files && (blockSize == 0 || blockSize > 65535)) return DMS_E_INVALID;
    std::memset(pictures, 0, sizeof(dmsGraphic) * static_cast<size_t>(capacity));
    // Rows past 255 cannot be told apart by the records' one-byte index.
    if ((rc = findPictures(di, std::min(rows, kMaxGraphicRows), pictures, capacity, listed)) != 0) return rc;
    report(di, 30);
    for (int i = 0; i < listed; ++i) {
        dmsGraphic& p = pictures[i];
        if ((rc = readColumns(p)) != 0) return rc;
        const double base = 30.0 + 70.0 / listed * i;
        if (!files) {
            report(di, base);
            continue;
        }
        const std::string path = pictureFileName(folder, p.index);
        if (!overwrite && fileExists(path)) {
            report(di, base);
            continue;
        }
        if ((rc = savePicture(di, p, path, blockSize, base, 70.0 / listed)) != 0) return rc;
    }
    report(di, 100);
    return 0;
}

}  // namespace

std::string pictureFileName(const char* folder, int index) {
#ifdef _WIN32
    const char* separator = "\\";
#else
    const char* separator = "/";
#endif
    return std::string(folder ? folder : "") + separator + std::to_string(index) + ".bmp";
}

uint32_t downloadGraphics(dmsGraphic* pictures, int32_t& count, const char* folder, int32_t overwrite) {
    int listed = 0;
    uint32_t rc = listPictures(pictures, std::max(count, 0), listed, folder, overwrite != 0);
    count = listed;
    return rc;
}

}  // namespace dms

DMS_API uint32_t DMS_CALL tqGetPictures(dmsGraphic* pictures, int32_t* count, const char* folder,
                                        int32_t overwrite) {
    if (!pictures || !count) return DMS_E_ARGUMENT;
    return dms::runWithInterface(
        [&](DeviceInterface*) { return dms::downloadGraphics(pictures, *count, folder, overwrite); });
}
