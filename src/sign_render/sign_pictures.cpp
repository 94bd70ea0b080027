// readSignPictures: the sign's pictures as the renderer draws them.
#include "frame/device.h"
#include "sign_render/sign_render.h"

namespace dms {

// Pictures come in with the graphic decoder; until then none is read.
uint32_t readSignPictures(const std::vector<int32_t>* numbers, SignRendering& out) {
    (void)numbers;
    (void)out;
    return 0;
}

}  // namespace dms
