// readSignProfile: the sign's pixel matrix, colour scheme and MULTI defaults
// as a render profile.
#include <cstring>

#include "dmscontent/common.h"
#include "frame/device.h"
#include "render/colors.h"
#include "sign_render/geometry.h"
#include "sign_render/sign_render.h"

namespace dms {
namespace {

uint32_t readInt(uint32_t (*read)(int, void*, int), int object, int32_t& value) {
    value = 0;
    return read(object, &value, 4);
}

uint32_t multiCfg(int object, void* buf, int len) { return tqGetMultiCfg(object, buf, len); }

uint32_t vmsCfg(int object, void* buf, int len) { return readVmsCfg(object, buf, len); }

// A value read from the sign within lo..hi, else the renderer's default.
template <typename T>
T within(int32_t value, int32_t lo, int32_t hi, T fallback) {
    return value >= lo && value <= hi ? static_cast<T>(value) : fallback;
}

render::Rgb classic(const render::SignProfile& p, int32_t index, render::Rgb fallback) {
    multi::ColorValue v{multi::ColorForm::Index, static_cast<uint8_t>(index), 0, 0, 0};
    render::Rgb out = fallback;
    if (index < 0 || index > 255 || !render::resolveColor(p, v, fallback, out)) return fallback;
    return out;
}

}  // namespace

// Every object is required except the RGB defaults, which signs of older
// NTCIP 1203 versions lack: the colour index defaults stand in for them.
uint32_t readSignProfile(render::SignProfile& p) {
    p = render::SignProfile{};
    int32_t v[10] = {};
    uint32_t rc;
    if ((rc = readInt(vmsCfg, NTCIP_VMS_SIGN_WIDTH_PIXELS, v[0])) != 0) return rc;
    if ((rc = readInt(vmsCfg, NTCIP_VMS_SIGN_HEIGHT_PIXELS, v[1])) != 0) return rc;
    if ((rc = readInt(vmsCfg, NTCIP_VMS_CHARACTER_WIDTH_PIXELS, v[2])) != 0) return rc;
    if ((rc = readInt(vmsCfg, NTCIP_VMS_CHARACTER_HEIGHT_PIXELS, v[3])) != 0) return rc;
    // A matrix beyond 65535 pixels or with cells beyond 255 is not one the
    // renderer can draw.
    if (v[0] <= 0 || v[1] <= 0 || v[0] > 65535 || v[1] > 65535 || v[2] < 0 || v[2] > 255 || v[3] < 0 || v[3] > 255)
        return DMS_E_INVALID;
    p.width = static_cast<uint16_t>(v[0]);
    p.height = static_cast<uint16_t>(v[1]);
    p.characterWidth = static_cast<uint8_t>(v[2]);
    p.characterHeight = static_cast<uint8_t>(v[3]);
    p.matrix = p.characterWidth ? render::Matrix::Character
                                : p.characterHeight ? render::Matrix::Line : render::Matrix::Full;
    uint8_t mono[6] = {};
    if ((rc = vmsCfg(NTCIP_MONOCHROME_COLOR, mono, sizeof mono)) != 0) return rc;
    p.monochromeOn = render::Rgb{mono[0], mono[1], mono[2]};
    p.monochromeOff = render::Rgb{mono[3], mono[4], mono[5]};

    if ((rc = readInt(multiCfg, NTCIP_DMS_COLOR_SCHEME, v[0])) != 0) return rc;
    if (v[0] < 1 || v[0] > 4) return DMS_E_INVALID;
    p.scheme = static_cast<render::ColorScheme>(v[0]);
    static const int kObjects[] = {NTCIP_DEFAULT_BACKGROUND_COLOR, NTCIP_DEFAULT_FOREGROUND_COLOR,
                                   NTCIP_DEFAULT_FLASH_ON,          NTCIP_DEFAULT_FLASH_OFF,
                                   NTCIP_DEFAULT_FONT,              NTCIP_DEFAULT_JUSTIFICATION_LINE,
                                   NTCIP_DEFAULT_JUSTIFICATION_PAGE, NTCIP_DEFAULT_PAGE_ON_TIME,
                                   NTCIP_DEFAULT_PAGE_OFF_TIME,     NTCIP_DMS_MAX_NUMBER_PAGES};
    for (int i = 0; i < 10; ++i)
        if ((rc = readInt(multiCfg, kObjects[i], v[i])) != 0) return rc;
    p.background = classic(p, v[0], p.background);
    p.foreground = classic(p, v[1], p.foreground);
    p.flashOnTime = within<uint8_t>(v[2], 0, 255, p.flashOnTime);
    p.flashOffTime = within<uint8_t>(v[3], 0, 255, p.flashOffTime);
    p.font = within<uint8_t>(v[4], 1, 255, p.font);
    p.lineJustify = within<render::LineJustify>(v[5], 2, 5, p.lineJustify);
    p.pageJustify = within<render::PageJustify>(v[6], 2, 4, p.pageJustify);
    p.pageOnTime = within<uint8_t>(v[7], 0, 255, p.pageOnTime);
    p.pageOffTime = within<uint8_t>(v[8], 0, 255, p.pageOffTime);
    p.maxPages = within<uint8_t>(v[9], 0, 255, 0);

    if (p.scheme == render::ColorScheme::Color24Bit) {
        uint8_t rgb[3] = {};
        if (tqGetMultiCfg(NTCIP_DEFAULT_BACKGROUND_RGB, rgb, 3) == 0) p.background = render::Rgb{rgb[0], rgb[1], rgb[2]};
        std::memset(rgb, 0, sizeof rgb);
        if (tqGetMultiCfg(NTCIP_DEFAULT_FOREGROUND_RGB, rgb, 3) == 0) p.foreground = render::Rgb{rgb[0], rgb[1], rgb[2]};
    }
    return 0;
}

}  // namespace dms
