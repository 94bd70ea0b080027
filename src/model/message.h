// One message record (a row of the sign's message table with its pages),
// the event header of a message document, and the set of records one
// document holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/section.h"
#include "model/sign_facts.h"

namespace dms {

// The values the sign keeps beside a message's MULTI text.
struct MessageAttributes {
    uint8_t MessageBeacon = 0;
    uint8_t PixelService = 0;
    uint8_t RunTimePriority = 0;
    uint16_t crc = 0;
    uint8_t status = 0;
    char MessageOwner[64] = {};
    uint16_t duration = 0;
};

constexpr int kMultiStringSize = 1256;

class CMessage {
public:
    char multiString[kMultiStringSize] = {};
    PageMessage* pages = nullptr;  // owned chain
    dms::MessageAttributes MessageAttributes;
    // Every path that fills a record sets both; they start as "none".
    int32_t m_MemoryNum = -1;
    int32_t memoryType = -1;

    CMessage() = default;
    CMessage(const CMessage&) = delete;
    CMessage& operator=(const CMessage&) = delete;
    virtual ~CMessage();

    // Pages to MULTI text: 0; 32527 longer than maxLength, the sign's
    // maximum MULTI length (text left empty); 32518 when the pages give an
    // empty text.
    uint32_t BuildMulti(int32_t maxLength);
    // MULTI text to a fresh page chain: 2 without text, 32516 without memory.
    uint32_t ParseMulti();
    // Appends a page with this number; null without memory.
    PageMessage* AddPage(int32_t pageNum);
    void FreePages();

    uint32_t ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent);
    uint32_t FromXml(tinyxml2::XMLElement* element);
};

struct MessageRef {
    int32_t number = -1;
    int32_t memoryType = -1;
};

struct MessageEvent {
    uint32_t sourceAddr = 0;  // IPv4, first octet in the top byte
    MessageRef activate;
    MessageRef communicationsLoss;
    MessageRef shortPowerLoss;
    MessageRef longPowerLoss;
};

class MessageSet {
public:
    static constexpr int kCapacity = 512;

    std::unique_ptr<CMessage[]> messages;  // kCapacity records
    int count = 0;
    std::unique_ptr<MessageEvent> event;
    int capacity = kCapacity;
    // The sign's facts the reader and writer consult (font names); null:
    // fonts are given by number only. Not owned.
    const SignFacts* facts = nullptr;

    // Allocates the records and the event; check ok() after construction.
    MessageSet();
    bool ok() const { return messages != nullptr && event != nullptr; }

    // Loads a "DmsMessage" document: event header and up to 512 messages.
    uint32_t ReadDocument(const char* path);
    // The same for a document held in memory (fuzzing, tests).
    uint32_t ReadDocumentText(const char* xml, size_t length);
    // Writes the event header and the first `count` records.
    uint32_t WriteDocument(const char* path);
};

}  // namespace dms
