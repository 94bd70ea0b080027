// dmsRenderSize and dmsRenderMessage: a page of a MULTI text as the sign
// would show it, into the host's buffer.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "dmscontent/render.h"
#include "frame/export.h"
#include "sign_render/sign_render.h"

namespace dms {
namespace {

uint32_t renderPage(const char* multi, int32_t page, int32_t frame, uint8_t* rgb, uint32_t size, dmsRenderInfo& info) {
    std::memset(&info, 0, sizeof info);
    info.multiError = 2;
    SignRendering sign;
    std::vector<render::PageImage> pages;
    render::Problem problem;
    const uint32_t rc = renderOnSign(multi, sign, pages, problem);
    if (rc != 0) return rc;
    info.width = sign.profile.width;
    info.height = sign.profile.height;
    if (!problem.ok()) {
        info.multiError = problem.code;
        info.multiErrorPosition = static_cast<int32_t>(problem.at);
        return DMS_E_FORMAT;
    }
    info.pages = static_cast<int32_t>(pages.size());
    if (page < 1 || page > info.pages) return DMS_E_INVALID;
    const render::PageImage& shown = pages[static_cast<size_t>(page) - 1];
    // Moving text: the flash frames of each step, a step every movingTick.
    const int32_t flashFrames = shown.flashes ? 2 : 1;
    const uint32_t steps = shown.movingTick ? std::max<uint32_t>(1, shown.movingCycle / shown.movingTick) : 1;
    info.frames = static_cast<int32_t>(std::min<uint64_t>(uint64_t{steps} * flashFrames, INT32_MAX));
    info.movingTime = shown.movingTick;
    info.pageOnTime = shown.pageOn;
    info.pageOffTime = shown.pageOff;
    if (shown.flashes) {
        info.flashOnTime = shown.flashOn;
        info.flashOffTime = shown.flashOff;
    }
    if (frame == 0) return 0;  // the size query
    if (!rgb) return DMS_E_ARGUMENT;
    if (frame < 1 || frame > info.frames) return DMS_E_INVALID;
    const uint64_t needed = uint64_t{sign.profile.width} * sign.profile.height * 3;
    if (size < needed) return DMS_E_FULL;
    const uint32_t step = static_cast<uint32_t>(frame - 1) / static_cast<uint32_t>(flashFrames);
    const bool offFrame = (frame - 1) % flashFrames == 1;
    render::PageImage later;
    // It rendered as it came up, so it renders later too.
    if (step > 0 && !renderPageAt(multi, sign, static_cast<size_t>(page) - 1, step * shown.movingTick, later))
        return DMS_E_FAILED;
    const render::PageImage& at = step > 0 ? later : shown;
    (offFrame ? at.off : at.on).copyRgb(rgb);
    return 0;
}

}  // namespace
}  // namespace dms

DMS_API uint32_t DMS_CALL dmsRenderSize(const char* multi, int32_t page, dmsRenderInfo* info) {
    if (!multi || !info) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) { return dms::renderPage(multi, page, 0, nullptr, 0, *info); });
}

DMS_API uint32_t DMS_CALL dmsRenderMessage(const char* multi, int32_t page, int32_t frame, uint8_t* rgb, uint32_t size,
                                           dmsRenderInfo* info) {
    if (!multi || !info || !rgb) return DMS_E_ARGUMENT;
    // Frame 0 is the size query's own; the host's frames start at 1.
    if (frame == 0) frame = -1;
    return dms::runWithInterface(
        [&](DeviceInterface*) { return dms::renderPage(multi, page, frame, rgb, size, *info); });
}
