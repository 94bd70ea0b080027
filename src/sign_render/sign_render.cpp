#include "sign_render/sign_render.h"

namespace dms {

render::Sources SignRendering::sources() const {
    render::Sources s;
    s.fonts.entries = fontEntries.data();
    s.fonts.count = fontEntries.size();
    s.pictures.entries = pictureEntries.data();
    s.pictures.count = pictureEntries.size();
    return s;
}

// Placeholder until the sign's profile, fonts and pictures are read: the
// renderer's default profile and nothing else.
uint32_t readSignRendering(SignRendering& out) {
    out.profile = render::SignProfile{};
    out.fonts.clear();
    out.fontViews.clear();
    out.fontEntries.clear();
    out.pixels.clear();
    out.pictures.clear();
    out.pictureEntries.clear();
    return 0;
}

uint32_t renderOnSign(const std::string& multi, SignRendering& sign, std::vector<render::PageImage>& pages,
                      render::Problem& problem) {
    uint32_t rc = readSignRendering(sign);
    if (rc != 0) return rc;
    problem = render::renderMulti(multi.data(), multi.size(), sign.profile, sign.sources(), pages);
    return 0;
}

}  // namespace dms
