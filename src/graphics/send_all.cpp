// Making the graphic table match a list of pictures: tqSendAllPicture.
#include <algorithm>
#include <cstring>

#include "dmscontent/graphics.h"
#include "frame/device.h"
#include "frame/export.h"
#include "frame/platform.h"
#include "graphics/pictures.h"

namespace dms {
namespace {

constexpr size_t kPathField = 255;

bool hasCallback(const DeviceInterface* di) { return di && di->params.progress; }

// The interface object in the calling thread's slot of the device library.
DeviceInterface* threadInterface() { return static_cast<DeviceInterface*>(platform::tlsValue(GetTlsIndex())); }

int firstWithIndex(const dmsGraphic* pictures, int count, uint32_t row) {
    for (int i = 0; i < count; ++i)
        if (pictures[i].index == row) return i;
    return -1;
}

// Rows 1..G-1: each gets the first picture naming it, or is emptied.
uint32_t sendRows(DeviceInterface* di, const char* paths, int count, dmsGraphic* pictures, int32_t* results) {
    uint32_t rows = 0, blockSize = 0;
    uint32_t rc = readGraphicLimits(rows, blockSize);
    if (rc != 0) return rc;
    // Rows past 255 cannot be named by a picture's one-byte index.
    const uint32_t bound = std::min(rows, kMaxGraphicRows + 1);
    const double step = bound ? 100.0 / bound : 0.0;
    double progress = 0;
    uint32_t result = 0;
    for (uint32_t row = 1; row < bound; ++row, progress += step) {
        int i = firstWithIndex(pictures, count, row);
        if (i >= 0) {
            // Path fields need not hold their NUL.
            char path[kPathField + 1];
            std::memcpy(path, paths + kPathField * static_cast<size_t>(i), kPathField);
            path[kPathField] = '\0';
            result = uploadGraphic(path, pictures[i], rows, blockSize, di, progress, step);
            if (results) results[i] = static_cast<int32_t>(result);
            if (result == DMS_E_FAILED) return result;
            continue;
        }
        rc = deleteGraphic(static_cast<int>(row));
        // A failed exchange stops the send; it is not reported as success.
        if (rc == DMS_E_FAILED) return rc;
        if (hasCallback(di)) reportProgress(di, static_cast<int>(rc), static_cast<int>(progress + step));
    }
    if (hasCallback(di)) reportProgress(di, 0, 100);
    return result;
}

uint32_t sendAllPictures(const char* paths, int count, dmsGraphic* pictures, int32_t* results) {
    if (results) std::fill(results, results + count, -1);
    DeviceInterface* di = threadInterface();
    uint32_t result = di ? sendRows(di, paths, count, pictures, results) : DMS_E_NO_INTERFACE;
    if (!results) return result;
    if (result == DMS_E_FAILED || result == DMS_E_NO_INTERFACE)
        std::replace(results, results + count, -1, static_cast<int32_t>(result));
    // The overall result is the last picture's that is not 0, pictures never
    // sent (-1) included.
    if (result != DMS_E_FAILED)
        for (int i = 0; i < count; ++i)
            if (results[i] != 0) result = static_cast<uint32_t>(results[i]);
    return result;
}

}  // namespace
}  // namespace dms

DMS_API uint32_t DMS_CALL tqSendAllPicture(const char* paths, int32_t* count, dmsGraphic* pictures,
                                           int32_t* results) {
    if (!paths || !count || !pictures) return DMS_E_ARGUMENT;
    const int n = std::max(*count, 0);
    return dms::guarded([&] { return dms::sendAllPictures(paths, n, pictures, results); });
}
