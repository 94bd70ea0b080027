// dmsctl pictures send|send-all|list|get|show|delete: BMP pictures in the
// sign's graphic table; show draws one as the sign's renderer reads it.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>
#include <unistd.h>

#include "cli.h"
#include "dmscontent/dmscontent.h"
#include "preview/terminal.h"
#include "preview_out.h"
#include "sign_render/sign_render.h"
#include "tqdms/ntcip.h"

namespace dmsctl {
namespace {

namespace fs = std::filesystem;

const char* const kTypeNames[] = {"", "monochrome1bit", "monochrome8bit", "colorClassic", "color24bit"};

std::string typeName(int type) {
    return type >= NTCIP_MONOCHROME_1BIT && type <= NTCIP_COLOR_24BIT ? kTypeNames[type] : std::to_string(type);
}

std::string statusName(int status) {
    static const char* const names[] = {"",          "notUsed",   "modifying",    "calculatingID",  "readyForUse",
                                        "inUse",     "permanent", "modifyReq",    "readyForUseReq", "notUsedReq"};
    const bool known = status >= NTCIP_GRAPHIC_NOT_USED && status <= NTCIP_GRAPHIC_NOT_USED_REQ;
    return known ? names[status] : std::to_string(status);
}

// A type given by name or number; "auto" (empty) takes it from the file's
// bits per pixel: 1 monochrome1bit, 8 monochrome8bit, else color24bit.
int typeOf(const std::string& text, const std::string& file) {
    for (int t = 1; t <= 4; ++t)
        if (text == kTypeNames[t] || text == std::to_string(t)) return t;
    if (!text.empty() && text != "auto") throw Failure{"unknown graphic type '" + text + "'", 2};
    std::ifstream in(file, std::ios::binary);
    unsigned char head[30] = {0};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    int bits = head[28] | (head[29] << 8);
    return bits == 1 ? 1 : bits == 8 ? 2 : 4;
}

dmsGraphic record(int index, int type, const std::string& name, long transparent) {
    dmsGraphic p;
    std::memset(&p, 0, sizeof p);
    p.index = static_cast<uint8_t>(index);
    p.type = static_cast<uint8_t>(type);
    if (name.size() >= sizeof p.name) throw Failure{"picture name longer than 63 characters", 2};
    std::strcpy(p.name, name.c_str());
    if (transparent >= 0) {
        p.transparent = 1;
        p.transparentColor = static_cast<uint32_t>(transparent);
    }
    return p;
}

// Picture names default to the file name without its folder and extension.
std::string defaultName(const std::string& file) { return fs::path(file).stem().string(); }

long colourOf(const std::string& text) {
    if (text.empty()) return -1;
    try {
        size_t used = 0;
        long v = std::stol(text, &used, 0);
        if (used == text.size() && v >= 0 && v <= 0xFFFFFF) return v;
    } catch (const std::exception&) {
    }
    throw Failure{"transparent colour must be 0xRRGGBB", 2};
}

nlohmann::json pictureJson(const dmsGraphic& p, const std::string& file) {
    nlohmann::json j = {{"row", p.index},   {"name", p.name},          {"type", typeName(p.type)},
                        {"width", p.width}, {"height", p.height},      {"status", statusName(p.status)},
                        {"id", p.id},       {"transparent", p.transparent != 0}};
    if (p.transparent) j["transparentColor"] = p.transparentColor;
    if (!file.empty()) j["file"] = file;
    return j;
}

void addSend(CLI::App& group) {
    auto* cmd = group.add_subcommand("send", "Upload one BMP file into a graphic row");
    static int index = 0;
    static std::string file, type, name, transparent;
    cmd->add_option("row", index, "Graphic row (and number), 1..255")->required()->check(CLI::Range(1, 255));
    cmd->add_option("file", file, "BMP file (1, 8, 24 or 32 bits per pixel)")->required();
    cmd->add_option("--type", type, "monochrome1bit, monochrome8bit, colorClassic, color24bit (default: by the file)");
    cmd->add_option("--name", name, "Picture name (default: the file name)");
    cmd->add_option("--transparent", transparent, "Transparent colour, 0xRRGGBB");
    cmd->callback([] {
        dmsGraphic p = record(index, typeOf(type, file), name.empty() ? defaultName(file) : name, colourOf(transparent));
        OpenSign open;
        check(tqSendSinglePicture(file.c_str(), &p), "tqSendSinglePicture");
        if (context().json)
            printJson(pictureJson(p, file));
        else
            std::printf("row %d: %s, %ux%u %s, %u bytes\n", index, p.name, p.width, p.height, typeName(p.type).c_str(),
                        p.length);
    });
}

void addSendAll(CLI::App& group) {
    auto* cmd = group.add_subcommand("send-all",
                                     "Make the graphic table hold exactly these pictures (rows not named are emptied)");
    static std::vector<std::string> items;
    cmd->add_option("pictures", items, "FILE (rows 1, 2, ... in order) or ROW:FILE")->required();
    cmd->callback([] {
        std::vector<std::string> files;
        std::vector<dmsGraphic> pictures;
        for (size_t i = 0; i < items.size(); ++i) {
            std::string file = items[i];
            int row = static_cast<int>(i + 1);
            size_t colon = file.find(':');
            if (colon != std::string::npos && colon > 0 && file.find_first_not_of("0123456789") == colon) {
                row = std::stoi(file.substr(0, colon));
                file = file.substr(colon + 1);
            }
            if (row < 1 || row > 255) throw Failure{"picture rows are 1..255: " + items[i], 2};
            if (file.size() >= 255) throw Failure{"file path longer than 254 characters: " + file, 2};
            files.push_back(file);
            pictures.push_back(record(row, typeOf("", file), defaultName(file), -1));
        }
        std::string paths(255 * files.size(), '\0');
        for (size_t i = 0; i < files.size(); ++i) paths.replace(255 * i, files[i].size(), files[i]);
        int32_t count = static_cast<int32_t>(files.size());
        std::vector<int32_t> results(files.size(), 0);
        OpenSign open;
        uint32_t rc = tqSendAllPicture(paths.c_str(), &count, pictures.data(), results.data());
        if (context().json) {
            nlohmann::json arr = nlohmann::json::array();
            for (size_t i = 0; i < files.size(); ++i)
                arr.push_back({{"row", pictures[i].index}, {"file", files[i]}, {"result", results[i]}});
            printJson({{"result", rc}, {"pictures", arr}});
        } else {
            for (size_t i = 0; i < files.size(); ++i) {
                int32_t r = results[i];
                std::printf("row %-3u %-40s %s\n", pictures[i].index, files[i].c_str(),
                            r == 0    ? "sent"
                            : r == -1 ? "not sent (row taken by an earlier picture, or outside the sign's rows)"
                                      : (std::to_string(r) + " " + dmsResultText(static_cast<uint32_t>(r))).c_str());
            }
        }
        if (rc == 0xFFFFFFFFu) throw Failure{"tqSendAllPicture: a picture was not sent", 1};
        check(rc, "tqSendAllPicture");
    });
}

// Lists the sign's pictures, into files when folder is not empty.
std::vector<dmsGraphic> listPictures(const std::string& folder, bool overwrite, uint32_t& rc) {
    std::vector<dmsGraphic> list(255);
    int32_t count = static_cast<int32_t>(list.size());
    rc = tqGetPictures(list.data(), &count, folder.empty() ? nullptr : folder.c_str(), overwrite ? 1 : 0);
    list.resize(static_cast<size_t>(count));
    return list;
}

std::string savedFile(const std::string& folder, int index) {
    return folder.empty() ? std::string() : (fs::path(folder) / (std::to_string(index) + ".bmp")).string();
}

void addList(CLI::App& group) {
    auto* cmd = group.add_subcommand("list", "List the pictures on the sign");
    static std::string folder;
    static bool keep = false;
    cmd->add_option("--save", folder, "Also write each picture as DIR/<row>.bmp (DIR is created)");
    cmd->add_flag("--keep", keep, "With --save: keep files that already exist");
    cmd->callback([] {
        if (!folder.empty()) {
            std::error_code ec;
            fs::create_directories(folder, ec);
            if (!fs::is_directory(folder)) throw Failure{"cannot create folder " + folder, 1};
        }
        OpenSign open;
        uint32_t rc = 0;
        std::vector<dmsGraphic> list = listPictures(folder, !keep, rc);
        if (context().json) {
            nlohmann::json arr = nlohmann::json::array();
            for (const dmsGraphic& p : list) arr.push_back(pictureJson(p, savedFile(folder, p.index)));
            printJson(arr);
        } else {
            std::printf("%-4s %-15s %-11s %-12s %-6s %s\n", "row", "type", "size", "status", "id", "name");
            for (const dmsGraphic& p : list) {
                std::string size = std::to_string(p.width) + "x" + std::to_string(p.height);
                std::printf("%-4u %-15s %-11s %-12s 0x%04X %s\n", p.index, typeName(p.type).c_str(), size.c_str(),
                            statusName(p.status).c_str(), p.id, p.name);
            }
            if (!folder.empty() && rc == 0) std::printf("saved in %s\n", folder.c_str());
        }
        check(rc, "tqGetPictures");
    });
}

void addGet(CLI::App& group) {
    auto* cmd = group.add_subcommand("get", "Write one picture of the sign into a BMP file");
    static int index = 0;
    static std::string out;
    cmd->add_option("row", index, "Graphic row")->required()->check(CLI::Range(1, 255));
    cmd->add_option("file", out, "BMP file to write (default: <row>.bmp)");
    cmd->callback([] {
        if (out.empty()) out = std::to_string(index) + ".bmp";
        // The listing writes every picture: do it in a scratch folder and
        // keep the one asked for.
        fs::path scratch = fs::temp_directory_path() / ("dmsctl-pictures-" + std::to_string(::getpid()));
        std::error_code ec;
        fs::remove_all(scratch, ec);
        fs::create_directories(scratch);
        struct Cleanup {
            fs::path p;
            ~Cleanup() {
                std::error_code e;
                fs::remove_all(p, e);
            }
        } cleanup{scratch};
        OpenSign open;
        uint32_t rc = 0;
        std::vector<dmsGraphic> list = listPictures(scratch.string(), true, rc);
        check(rc, "tqGetPictures");
        for (const dmsGraphic& p : list) {
            if (p.index != index) continue;
            fs::copy_file(scratch / (std::to_string(index) + ".bmp"), out, fs::copy_options::overwrite_existing);
            if (context().json)
                printJson(pictureJson(p, out));
            else
                std::printf("row %d: %s, %ux%u %s -> %s\n", index, p.name, p.width, p.height, typeName(p.type).c_str(),
                            out.c_str());
            return;
        }
        throw Failure{"no picture in row " + std::to_string(index), 1};
    });
}

// Transparent pixels are drawn as LEDs that are off.
dms::render::Raster rasterOf(const dms::render::Picture& p) {
    dms::render::Raster r(p.width, p.height, dms::render::Rgb{});
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const dms::render::Rgb c = p.pixels[static_cast<size_t>(y) * p.width + x];
            if (!p.transparent || c != p.transparentColor) r.set(x, y, c);
        }
    return r;
}

void addShowPicture(CLI::App& group) {
    auto* cmd = group.add_subcommand("show", "Draw a picture of the sign, as its messages show it, on the terminal "
                                             "or into a PNG file");
    static int number = 0;
    static std::string png;
    static FaceOptions face;
    cmd->add_option("number", number, "Graphic number")->required()->check(CLI::Range(1, 255));
    cmd->add_option("--png", png, "Write the picture on a sign's face as a PNG file");
    addFaceOptions(cmd, face);
    addTerminalOption(cmd, face);
    cmd->callback([] {
        OpenSign open;
        dms::SignRendering sign;
        // Read what a message showing the picture needs, not every font.
        check(dms::readSignRenderingFor("[g" + std::to_string(number) + "]", sign), "reading the sign's pictures");
        const dms::render::Picture* p = sign.sources().pictures.find(number);
        if (!p || !p->pixels) throw Failure{"no picture " + std::to_string(number) + " on the sign", 1};
        const dms::render::Raster r = rasterOf(*p);
        if (!png.empty()) writeFacePng(r, face, png);
        if (context().json) {
            nlohmann::json j = {{"number", number}, {"width", p->width}, {"height", p->height},
                                {"transparent", p->transparent}};
            if (!png.empty()) j["file"] = png;
            printJson(j);
            return;
        }
        std::printf("picture %d: %ux%u%s\n", number, p->width, p->height, p->transparent ? ", transparent" : "");
        if (drawOnTerminal(face)) std::fputs(dms::preview::terminalDrawing(r).c_str(), stdout);
        if (!png.empty()) std::printf("wrote %s\n", png.c_str());
    });
}

void addDelete(CLI::App& group) {
    auto* cmd = group.add_subcommand("delete", "Empty one graphic row");
    static int index = 0;
    cmd->add_option("row", index, "Graphic row")->required()->check(CLI::Range(1, 255));
    cmd->callback([] {
        OpenSign open;
        check(tqDeletePicture(index), "tqDeletePicture");
        if (!context().json) std::printf("row %d emptied\n", index);
    });
}

Register reg("pictures", "Pictures (BMP files) in the sign's graphic table", [](CLI::App& group) {
    addSend(group);
    addSendAll(group);
    addList(group);
    addGet(group);
    addShowPicture(group);
    addDelete(group);
});

}  // namespace
}  // namespace dmsctl
