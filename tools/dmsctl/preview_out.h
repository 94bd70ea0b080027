// What dmsctl preview, fonts show and pictures show share: the face options
// (--scale, --flat), when to draw on the terminal (--terminal), and writing
// a raster's face as a PNG file.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "render/raster.h"

namespace dmsctl {

struct FaceOptions {
    unsigned scale = 4;
    bool flat = false;
    std::string terminal = "auto";  // auto: when standard output is a terminal and --json is not given
};

void addFaceOptions(CLI::App* cmd, FaceOptions& options);
void addTerminalOption(CLI::App* cmd, FaceOptions& options);
bool drawOnTerminal(const FaceOptions& options);
// Throws Failure (exit 1) when the face cannot be drawn or written.
void writeFacePng(const dms::render::Raster& raster, const FaceOptions& options, const std::string& path);
// "OUT.png" with a suffix before its extension: OUT-2.png.
std::string withSuffix(const std::string& path, const std::string& suffix);

}  // namespace dmsctl
