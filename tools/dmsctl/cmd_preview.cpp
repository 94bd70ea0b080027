// dmsctl preview MULTI | --message TYPE:N | --document FILE: how the sign of
// --sign shows a message, rendered with its profile, fonts and pictures.
// Pages are drawn on the terminal (see --terminal), written as PNG files
// (--png OUT.png: OUT.png for one page, OUT-1.png, OUT-2.png ... for more;
// a flashing page's file shows its on frame, a page with moving text the
// moment it comes up) and as one animated GIF
// (--gif; moving text moves in it, but not while its page flashes). With
// --document, each message's files carry its memory type and
// number: OUT-changeable-3.png, OUT-changeable-3-2.png ...
// Exit 0 when every message renders, 1 when one does not (its problem and
// position are printed) or a file cannot be written, 2 for bad arguments.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "dmscontent/dmscontent.h"
#include "dmsctl_api.h"
#include "message_text.h"
#include "preview/animation.h"
#include "preview/terminal.h"
#include "preview_out.h"
#include "schedule_text.h"
#include "sign_render/sign_render.h"

namespace dmsctl {
namespace {

struct Options {
    std::string multi, message, document, png, gif;
    FaceOptions face;
};

struct Item {
    std::string type;  // with --message and --document
    int number = 0;
    std::string multi;
};

std::string seconds(unsigned tenths) { return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s"; }

// The text on one line with the caret under `position`; control characters
// are shown as "." so that the caret stays in its column.
void printCaret(const std::string& multi, size_t position) {
    std::string shown = multi;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '.';
    std::cout << shown << "\n" << std::string(position, ' ') << "^\n";
}

// The row --message names ("changeable:3"), read from the sign.
Item rowOfSign(const std::string& typeAndNumber) {
    uint8_t type = 0;
    uint16_t number = 0;
    try {
        messageOf(typeAndNumber, type, number);
    } catch (const ScheduleError& e) {
        throw Failure{std::string("--message: ") + e.what(), 2};
    }
    MessageTableEntry e;
    std::memset(&e, 0, sizeof e);
    check(tqGetSingleMessage(type, number, &e), "tqGetSingleMessage");
    return Item{memoryTypeName(type), number, e.multi};
}

std::vector<Item> documentItems(const std::string& file) {
    const dms::tool::MessageCheck result = dms::tool::checkMessageDocument(file);
    if (result.failed == dms::tool::MessageCheck::Step::kMemory) check(result.result, "message check");
    if (result.failed == dms::tool::MessageCheck::Step::kDocument) check(result.result, "reading " + file);
    std::vector<Item> items;
    for (const dms::tool::CheckedMessage& m : result.messages) {
        if (result.failed == dms::tool::MessageCheck::Step::kMessage && &m == &result.messages.back())
            check(result.result, "message " + std::to_string(m.number) + " (" + m.type + ")");
        items.push_back(Item{m.type, m.number, m.multi});
    }
    return items;
}

nlohmann::json pageJson(size_t index, const dms::render::PageImage& p) {
    nlohmann::json j = {{"page", index + 1}, {"onTime", p.pageOn}, {"offTime", p.pageOff}, {"flashes", p.flashes}};
    if (p.flashes) {
        j["flashOn"] = p.flashOn;
        j["flashOff"] = p.flashOff;
        j["flashOffFirst"] = p.flashOffFirst;
    }
    if (p.movingTick > 0) {
        j["movingTick"] = p.movingTick;
        j["movingCycle"] = p.movingCycle;
    }
    return j;
}

void printPage(size_t index, size_t count, const dms::render::PageImage& p, bool draw) {
    std::cout << "page " << index + 1 << " of " << count << ": on " << seconds(p.pageOn) << ", off "
              << seconds(p.pageOff);
    if (p.flashes)
        std::cout << ", flashing " << seconds(p.flashOn) << " on / " << seconds(p.flashOff) << " off"
                  << (p.flashOffFirst ? " (off first)" : "");
    if (p.movingTick > 0)
        std::cout << ", moving text every " << seconds(p.movingTick) << " (drawn as it comes up)";
    std::cout << "\n";
    if (!draw) return;
    if (p.flashes) std::cout << "on frame:\n";
    std::cout << dms::preview::terminalDrawing(p.on);
    if (p.flashes) std::cout << "off frame:\n" << dms::preview::terminalDrawing(p.off);
}

// Renders one message and writes its files; its JSON. False when it does
// not render.
bool preview(const Item& item, const Options& o, nlohmann::json& out) {
    dms::SignRendering sign;
    std::vector<dms::render::PageImage> pages;
    dms::render::Problem problem;
    check(dms::renderOnSign(item.multi, sign, pages, problem), "reading how the sign renders");
    const bool json = context().json;
    out = {{"multi", item.multi}, {"rendered", problem.ok()}};
    if (!item.type.empty()) {
        out["type"] = item.type;
        out["number"] = item.number;
        if (!json) std::cout << item.type << " " << item.number << ": " << item.multi << "\n";
    }
    if (!problem.ok()) {
        const std::string name = multiSyntaxName(static_cast<unsigned>(problem.code));
        out["problem"] = {{"code", problem.code}, {"name", name}, {"position", problem.at}};
        if (!json) {
            std::cout << name << " (" << problem.code << ") at " << problem.at << "\n";
            printCaret(item.multi, problem.at);
        }
        return false;
    }
    const std::string suffix = item.type.empty() ? "" : "-" + item.type + "-" + std::to_string(item.number);
    nlohmann::json files = nlohmann::json::array(), pageList = nlohmann::json::array();
    const uint16_t width = pages.empty() ? 0 : pages[0].on.width(), height = pages.empty() ? 0 : pages[0].on.height();
    if (!json)
        std::cout << width << "x" << height << ", " << pages.size() << (pages.size() == 1 ? " page\n" : " pages\n");
    const bool draw = drawOnTerminal(o.face);
    for (size_t i = 0; i < pages.size(); ++i) {
        pageList.push_back(pageJson(i, pages[i]));
        if (!json) printPage(i, pages.size(), pages[i], draw);
        if (o.png.empty()) continue;
        const std::string path = withSuffix(o.png, pages.size() == 1 ? suffix : suffix + "-" + std::to_string(i + 1));
        writeFacePng(pages[i].on, o.face, path);
        files.push_back(path);
    }
    if (!o.gif.empty() && !pages.empty()) {
        // Moving text: the message rendered again at each moment asked.
        const dms::preview::Moment moment = [&](size_t page, uint32_t tenths, dms::render::Raster& frame) {
            dms::render::PageImage at;
            if (!dms::renderPageAt(item.multi, sign, page, tenths, at)) return false;
            frame = std::move(at.on);
            return true;
        };
        dms::preview::Sequence sequence;
        dms::preview::sequenceOf(pages, sequence, moment);
        const std::string path = withSuffix(o.gif, suffix);
        std::string error;
        if (!dms::preview::writeGif(sequence, o.face.scale, o.face.flat, path, error)) throw Failure{error, 1};
        files.push_back(path);
        out["gifFrames"] = sequence.frames.size();
        out["gifCut"] = sequence.cut;
        if (sequence.cut && !json)
            std::cout << "the GIF holds the first " << dms::preview::kMaxFrames << " frames only\n";
    }
    if (!json)
        for (const auto& f : files) std::cout << "wrote " << f.get<std::string>() << "\n";
    out["width"] = width;
    out["height"] = height;
    out["pages"] = pageList;
    out["files"] = files;
    return true;
}

Register reg("preview", "How the sign shows a message: on the terminal, as PNG files and as an animated GIF",
             [](CLI::App& cmd) {
                 static Options o;
                 cmd.require_subcommand(0);
                 CLI::Option* multi = cmd.add_option("multi", o.multi, "The MULTI text ('' is a blank page)");
                 cmd.add_option("--message", o.message, "A message row of the sign, TYPE:NUMBER (changeable:3)");
                 cmd.add_option("--document", o.document, "Every message of a message document (XML)");
                 cmd.add_option("--png", o.png, "Write each page as OUT.png (more pages: OUT-1.png, OUT-2.png ...)");
                 cmd.add_option("--gif", o.gif, "Write the message as an animated GIF, looping forever");
                 addFaceOptions(&cmd, o.face);
                 addTerminalOption(&cmd, o.face);
                 cmd.callback([multi] {
                     const int given = (multi->count() > 0) + !o.message.empty() + !o.document.empty();
                     if (given != 1) throw Failure{"preview wants one of MULTI, --message or --document", 2};
                     OpenSign open;
                     std::vector<Item> items;
                     if (!o.message.empty())
                         items.push_back(rowOfSign(o.message));
                     else if (!o.document.empty())
                         items = documentItems(o.document);
                     else
                         items.push_back(Item{"", 0, o.multi});
                     nlohmann::json list = nlohmann::json::array();
                     bool all = true;
                     for (size_t i = 0; i < items.size(); ++i) {
                         if (i > 0 && !context().json) std::cout << "\n";
                         nlohmann::json j;
                         all = preview(items[i], o, j) && all;
                         list.push_back(std::move(j));
                     }
                     if (context().json) printJson(o.document.empty() ? list[0] : nlohmann::json{{"messages", list}});
                     if (!all) context().exitCode = 1;
                 });
             });

}  // namespace
}  // namespace dmsctl
