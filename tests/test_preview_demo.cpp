// The demo's previews: scripts/demo-previews.sh run with dmsctl, and the
// first page of the first
// example message that renders read back with libpng, pixel for pixel
// against the same message rendered here on the same sign and drawn at the
// same scale.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

#include "preview/image.h"
#include "sign_render/sign_render.h"
#include "tqdms/tqdms.h"
#include "tqdms/tqsim.h"

namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& s) { return "'" + s + "'"; }

// Standard output of a command, and its exit code.
std::string run(const std::string& command, int& code) {
    std::string out;
    std::FILE* p = ::popen(command.c_str(), "r");
    if (!p) {
        code = -1;
        return out;
    }
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int status = ::pclose(p);
    code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

dms::preview::Image readPng(const std::string& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    dms::preview::Image out;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
    image.format = PNG_FORMAT_RGB;
    out.width = image.width;
    out.height = image.height;
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) out = dms::preview::Image{};
    png_image_free(&image);
    return out;
}

TEST(PreviewDemo, WrittenPngIsTheRenderedFace) {
    const fs::path dir = fs::temp_directory_path() / ("dms_preview_demo_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string root = DMS_SOURCE_DIR, dmsctl = quoted(DMSCTL_PATH);
    const std::string previews = (dir / "previews").string(), sign = previews + "/preview-sign.json";
    const std::string on = dmsctl + " -q --sign " + quoted(sign) + " ";
    int code = 0;
    run(root + "/scripts/demo-previews.sh " + dmsctl + " " + quoted(previews), code);
    ASSERT_EQ(code, 0);

    // The first message of the example documents that renders, with the
    // MULTI text dmsctl built for it.
    nlohmann::json first;
    std::string name;
    std::vector<fs::path> documents;
    for (const auto& entry : fs::directory_iterator(root + "/examples/messages"))
        if (entry.path().extension() == ".xml") documents.push_back(entry.path());
    std::sort(documents.begin(), documents.end());
    for (const fs::path& document : documents) {
        const nlohmann::json listing = nlohmann::json::parse(
            run(on + "--json preview --terminal never --document " + quoted(document.string()), code));
        for (const nlohmann::json& m : listing.at("messages"))
            if (first.is_null() && m.at("rendered").get<bool>()) {
                first = m;
                name = document.stem().string();
            }
    }
    ASSERT_FALSE(first.is_null()) << "no example message renders";
    const size_t pageCount = first.at("pages").size();
    ASSERT_GE(pageCount, 1u);
    const std::string file = previews + "/" + name + "-" + first.at("type").get<std::string>() + "-" +
                             std::to_string(first.at("number").get<int>()) + (pageCount > 1 ? "-1" : "") + ".png";

    // The same message rendered here, on the sign the script made.
    ASSERT_EQ(tqsimOpenThread(sign.c_str()), 0u);
    DeviceInitParameters params;
    std::memset(&params, 0, sizeof params);
    std::strcpy(params.address, "127.0.0.1");
    ASSERT_EQ(tqDMSInitNotVerify(&params), 0u);
    dms::SignRendering rendering;
    std::vector<dms::render::PageImage> pages;
    dms::render::Problem problem;
    const uint32_t rc = dms::renderOnSign(first.at("multi").get<std::string>(), rendering, pages, problem);
    tqsimClose();
    ASSERT_EQ(rc, 0u);
    ASSERT_TRUE(problem.ok()) << problem.code << " at " << problem.at;
    ASSERT_EQ(pages.size(), pageCount);
    dms::preview::Image face;
    ASSERT_TRUE(dms::preview::drawFace(pages[0].on, 4, false, face));

    const dms::preview::Image written = readPng(file);
    EXPECT_EQ(written.width, face.width);
    EXPECT_EQ(written.height, face.height);
    EXPECT_TRUE(written.rgb == face.rgb) << file << " differs from the rendered face";
    fs::remove_all(dir);
}

}  // namespace
