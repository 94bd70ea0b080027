#include "preview_out.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "cli.h"
#include "preview/image.h"
#include "preview/png_write.h"

namespace dmsctl {

void addFaceOptions(CLI::App* cmd, FaceOptions& options) {
    cmd->add_option("--scale", options.scale, "Pixels of a file per pixel of the sign")
        ->check(CLI::Range(1u, dms::preview::kMaxScale))
        ->capture_default_str();
    cmd->add_flag("--flat", options.flat, "Square pixels instead of round LEDs on the sign's face");
}

void addTerminalOption(CLI::App* cmd, FaceOptions& options) {
    cmd->add_option("--terminal", options.terminal,
                    "Draw on the terminal (24-bit colour half blocks): auto (when standard output is a "
                    "terminal, without --json), always or never")
        ->check(CLI::IsMember({"auto", "always", "never"}))
        ->capture_default_str();
}

bool drawOnTerminal(const FaceOptions& options) {
    if (options.terminal == "always") return true;
    if (options.terminal == "never") return false;
    return !context().json && isatty(fileno(stdout));
}

void writeFacePng(const dms::render::Raster& raster, const FaceOptions& options, const std::string& path) {
    dms::preview::Image face;
    if (!dms::preview::drawFace(raster, options.scale, options.flat, face) || face.width == 0)
        throw Failure{path + ": no picture at this scale", 1};
    std::string error;
    if (!dms::preview::writePng(face, path, error)) throw Failure{error, 1};
}

std::string withSuffix(const std::string& path, const std::string& suffix) {
    std::filesystem::path p(path);
    const std::string name = p.stem().string() + suffix + p.extension().string();
    return p.replace_filename(name).string();
}

}  // namespace dmsctl
