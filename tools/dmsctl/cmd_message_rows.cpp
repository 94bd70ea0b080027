// dmsctl message list|show|put|delete|error, and events clear: message rows
// one by one, as the host records carry them.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

#include "cli.h"
#include "dmscontent/dmscontent.h"
#include "message_text.h"
#include "tqdms/tqdms.h"
#include "tqdms/ntcip.h"

namespace dmsctl {
namespace {

nlohmann::json rowJson(const MessageTableEntry& e) {
    return {{"type", memoryTypeName(e.memoryType)}, {"number", e.number}, {"owner", e.owner},
            {"status", messageStatusName(e.status)}, {"beacon", e.beacon}, {"pixelService", e.pixelService},
            {"priority", e.priority}, {"event", eventName(e.eventCode)}, {"multi", e.multi}};
}

std::string flags(const MessageTableEntry& e) {
    std::string f;
    f += e.beacon ? 'B' : '-';
    f += e.pixelService ? 'P' : '-';
    return f;
}

void addList(CLI::App& group) {
    auto* cmd = group.add_subcommand("list", "List the used message rows with their event messages");
    cmd->callback([] {
        OpenSign open;
        std::vector<MessageTableEntry> rows(2048);
        std::memset(rows.data(), 0, rows.size() * sizeof rows[0]);
        int32_t count = static_cast<int32_t>(rows.size());
        uint32_t rc = tqGetMessages(rows.data(), &count);
        if (context().json) {
            nlohmann::json arr = nlohmann::json::array();
            for (int32_t i = 0; i < count; ++i) arr.push_back(rowJson(rows[i]));
            printJson(arr);
        } else {
            std::printf("%-14s %6s %-16s %-10s %-5s %3s %-20s %s\n", "type", "number", "owner", "status", "flags",
                        "pri", "event", "MULTI");
            for (int32_t i = 0; i < count; ++i) {
                const MessageTableEntry& e = rows[i];
                std::printf("%-14s %6u %-16.16s %-10s %-5s %3u %-20s %s\n", memoryTypeName(e.memoryType).c_str(),
                            e.number, e.owner, messageStatusName(e.status).c_str(), flags(e).c_str(), e.priority,
                            eventName(e.eventCode).c_str(), e.multi);
            }
        }
        check(rc, "tqGetMessages");
    });
}

void addShow(CLI::App& group) {
    auto* cmd = group.add_subcommand("show", "Show one message row");
    static std::string type;
    static int number = 0;
    cmd->add_option("type", type, "Memory type: changeable, volatile, permanent, ... or 2..7")->required();
    cmd->add_option("number", number, "Message number")->required()->check(CLI::Range(1, 65535));
    cmd->callback([] {
        int t = memoryTypeOf(type);
        OpenSign open;
        MessageTableEntry e;
        std::memset(&e, 0, sizeof e);
        check(tqGetSingleMessage(t, number, &e), "tqGetSingleMessage");
        if (context().json) {
            printJson(rowJson(e));
            return;
        }
        std::cout << memoryTypeName(t) << " " << number << ": " << messageStatusName(e.status) << ", owner '"
                  << e.owner << "', priority " << int(e.priority) << ", beacon " << int(e.beacon)
                  << ", pixel service " << int(e.pixelService) << "\n"
                  << e.multi << "\n";
    });
}

void addPut(CLI::App& group) {
    auto* cmd = group.add_subcommand("put", "Write one message row from a MULTI string");
    static std::string type, multi, owner = "dmsctl";
    static int number = 0, priority = 50;
    static bool activate = false, beacon = false, pixelService = false;
    cmd->add_option("type", type, "Memory type: changeable or volatile")->required();
    cmd->add_option("number", number, "Message number")->required()->check(CLI::Range(1, 65535));
    cmd->add_option("multi", multi, "The MULTI string")->required();
    cmd->add_option("--owner", owner, "Owner text")->capture_default_str();
    cmd->add_option("--priority", priority, "Run-time priority")->check(CLI::Range(1, 255))->capture_default_str();
    cmd->add_flag("--beacon", beacon, "Beacon on");
    cmd->add_flag("--pixel-service", pixelService, "Pixel service on");
    cmd->add_flag("--activate", activate, "Activate the message once written");
    cmd->callback([] {
        int t = memoryTypeOf(type);
        if (multi.size() >= sizeof(MessageTableEntry::multi)) throw Failure{"MULTI string too long for a row", 2};
        if (owner.size() >= sizeof(MessageTableEntry::owner)) throw Failure{"owner too long", 2};
        OpenSign open;
        MessageTableEntry e;
        std::memset(&e, 0, sizeof e);
        e.memoryType = static_cast<uint8_t>(t);
        e.number = static_cast<uint16_t>(number);
        e.priority = static_cast<uint8_t>(priority);
        e.beacon = beacon;
        e.pixelService = pixelService;
        std::strcpy(e.owner, owner.c_str());
        std::strcpy(e.multi, multi.c_str());
        uint32_t v = 0, s = 0;
        check(tqSendSingleMessage(&e, &v, &s), "tqSendSingleMessage");
        if (v != 2) {
            if (context().json) printJson({{"result", 0}, {"validateError", v}, {"syntaxError", s}});
            throw Failure{"the sign refused the message: " + validationText(v, s), 1};
        }
        if (activate) {
            // A host record carries the CRC the sign computed for the row.
            uint16_t crc = 0;
            check(tqGetMsgTable(t, number, NTCIP_MSG_CRC, &crc, 2), "reading the message CRC");
            e.crc = crc;
            e.eventCode = 1;
            check(tqSendSingleMessage(&e, &v, &s), "activation");
        }
        if (context().json)
            printJson({{"result", 0}, {"validateError", v}});
        else
            std::cout << memoryTypeName(t) << " " << number << " written" << (activate ? " and activated" : "") << "\n";
    });
}

void addDelete(CLI::App& group) {
    auto* cmd = group.add_subcommand("delete", "Erase one changeable or volatile message row");
    static std::string type;
    static int number = 0;
    cmd->add_option("type", type, "Memory type: changeable or volatile")->required();
    cmd->add_option("number", number, "Message number")->required()->check(CLI::Range(1, 65535));
    cmd->callback([] {
        int t = memoryTypeOf(type);
        OpenSign open;
        check(tqDeleteMessage(t, number), "tqDeleteMessage");
        if (!context().json) std::cout << memoryTypeName(t) << " " << number << " erased\n";
    });
}

void addError(CLI::App& group) {
    auto* cmd = group.add_subcommand("error", "Show the sign's last validation error");
    cmd->callback([] {
        OpenSign open;
        uint32_t v = 0, s = 0;
        check(tqGetMessageErrorDefine(&v, &s), "tqGetMessageErrorDefine");
        if (context().json)
            printJson({{"validateError", v}, {"syntaxError", v == 5 ? nlohmann::json(s) : nlohmann::json()}});
        else
            std::cout << validationText(v, s) << "\n";
    });
}

Register messages("message", "Messages on the sign: rows and message documents", [](CLI::App& group) {
    addList(group);
    addShow(group);
    addPut(group);
    addDelete(group);
    addError(group);
});

Register events("events", "The sign's event messages", [](CLI::App& group) {
    auto* cmd = group.add_subcommand("clear", "Blank the sign and set every event message to blank");
    cmd->callback([] {
        OpenSign open;
        check(tqClearMessageEvent(), "tqClearMessageEvent");
        if (!context().json) std::cout << "sign blanked, event messages cleared\n";
    });
});

}  // namespace
}  // namespace dmsctl
