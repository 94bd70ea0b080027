// The sign's graphic table and graphic bitmap table: uploading a BMP file
// into a row, emptying a row, listing the rows (optionally into BMP files).
// The quick display of pictures uses uploadGraphic and downloadGraphics.
#pragma once

#include <cstdint>
#include <string>

#include "dmscontent/records.h"
#include "tqdms/tqdms.h"

namespace dms {

// A status value some signs report for a row they will not take a picture
// into; the upload answers it with the same number.
constexpr uint32_t kGraphicRefusedStatus = 32526;

// Graphic rows are addressed by one byte in the host's records.
constexpr uint32_t kMaxGraphicRows = 255;

// The sign's number of graphic rows G (maxGraphics) and block size S
// (dmsGraphicBlockSize). The device's code when a read fails.
uint32_t readGraphicLimits(uint32_t& rows, uint32_t& blockSize);

// Uploads the BMP file at path into row picture.index (1..rows): height,
// width and length are filled from the file; index, type, transparency,
// transparent colour and name come from the record. Blocks of blockSize
// bytes. When di has a progress callback, it gets progress + step / blocks
// after each block and the final progress at the end. Result codes:
// readBmpFile's, 32521 for an index outside 1..rows, 32525 for a row in use
// or permanent, 32526 for the refused status, 259 / 32523 when the row does
// not reach modifying / readyForUse, 32520 for a block size outside
// 1..65535, the device's code otherwise.
uint32_t uploadGraphic(const char* path, dmsGraphic& picture, uint32_t rows, uint32_t blockSize,
                       DeviceInterface* di, double progress, double step);

// Empties graphic row index: 32525 in use or permanent, 259 not modifying,
// 32523 not reaching notUsed, the device's code.
uint32_t deleteGraphic(int index);

// Lists the rows that hold a picture into pictures (capacity count on entry,
// the number listed on return, whatever the result). With folder naming an
// existing directory, each picture is written as pictureFileName(folder,
// index) unless that file exists and overwrite is 0. 32517 when the sign has
// more pictures than the capacity.
uint32_t downloadGraphics(dmsGraphic* pictures, int32_t& count, const char* folder, int32_t overwrite);

// folder, the separator, the index in decimal, ".bmp". The separator is "\"
// on Windows and "/" elsewhere.
std::string pictureFileName(const char* folder, int index);

}  // namespace dms
