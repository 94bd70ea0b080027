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

// Reads the profile, then every usable font and every picture, replacing
// what `out` held. The device's code of the first read that fails;
// DMS_E_UNSUPPORTED when the device library cannot read the pixel matrix,
// DMS_E_INVALID for a matrix or colour scheme the renderer cannot take.
// Fonts are read whole: over a network this takes a request per character.
uint32_t readSignRendering(SignRendering& out);
// The same, reading only the fonts and pictures `multi` can need: the
// default font and those its tags name (every font when it has moving text).
uint32_t readSignRenderingFor(const std::string& multi, SignRendering& out);

// Renders multi on the sign: readSignRenderingFor, then render::renderMulti.
// The device's code when the profile cannot be read, else 0 with `problem`
// telling whether the message rendered.
uint32_t renderOnSign(const std::string& multi, SignRendering& sign, std::vector<render::PageImage>& pages,
                      render::Problem& problem);

// Page `page` (from 0) of multi as it stands `tenths` of a second after it
// came up (its moving text moved on), with the profile, fonts and pictures
// `sign` holds; false when the text does not render or has no such page.
bool renderPageAt(const std::string& multi, const SignRendering& sign, size_t page, uint32_t tenths,
                  render::PageImage& out);

}  // namespace dms
