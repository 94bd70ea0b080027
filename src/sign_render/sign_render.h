// Rendering on the sign the calling thread talks to. readSignRendering reads,
// through the device boundary, what the renderer needs: the sign's matrix,
// colour scheme and MULTI defaults as a render profile, its usable fonts and
// its pictures. Everything is read afresh for each call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/font_file.h"
#include "render/layout.h"
#include "render/profile.h"
#include "render/raster.h"
#include "render/render.h"

namespace dms {

class SignRendering {
public:
    SignRendering() = default;
    SignRendering(const SignRendering&) = delete;
    SignRendering& operator=(const SignRendering&) = delete;

    render::SignProfile profile;
    // The fonts and pictures read, for renderMulti; valid while this object
    // lives and is not read into again.
    render::Sources sources() const;

    // Filled by readSignRendering; views and entries point into fonts and
    // pixels.
    std::vector<SignFont> fonts;
    std::vector<render::FontView> fontViews;
    std::vector<render::FontEntry> fontEntries;
    std::vector<std::vector<render::Rgb>> pixels;
    std::vector<render::Picture> pictures;
    std::vector<render::PictureEntry> pictureEntries;
};

// Reads the profile, then the fonts and pictures, replacing what `out`
// held. The device's code when a read of the profile fails; a font or
// picture that cannot be read is left out (a message naming it then gets
// fontNotDefined or graphicNotDefined).
uint32_t readSignRendering(SignRendering& out);

// Renders multi on the sign: readSignRendering, then render::renderMulti.
// The device's code when the profile cannot be read, else 0 with `problem`
// telling whether the message rendered.
uint32_t renderOnSign(const std::string& multi, SignRendering& sign, std::vector<render::PageImage>& pages,
                      render::Problem& problem);

}  // namespace dms
