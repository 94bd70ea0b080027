#include "preview/terminal.h"

namespace dms {
namespace preview {
namespace {

void color(std::string& out, const char* layer, render::Rgb c) {
    out += "\x1b[";
    out += layer;
    out += ";2;";
    out += std::to_string(c.red) + ";" + std::to_string(c.green) + ";" + std::to_string(c.blue) + "m";
}

}  // namespace

std::string terminalDrawing(const render::Raster& raster) {
    std::string out;
    for (int y = 0; y < raster.height(); y += 2) {
        const bool pair = y + 1 < raster.height();
        render::Rgb fg, bg;
        for (int x = 0; x < raster.width(); ++x) {
            const render::Rgb top = raster.at(x, y), bottom = raster.at(x, y + 1);
            if (x == 0 || top != fg) color(out, "38", top);
            if (pair && (x == 0 || bottom != bg)) color(out, "48", bottom);
            fg = top;
            bg = bottom;
            out += "\xe2\x96\x80";
        }
        out += "\x1b[0m\n";
    }
    return out;
}

}  // namespace preview
}  // namespace dms
