// The message set and the "DmsMessage" document it is read from and
// written to.
#include <tinyxml2.h>

#include <cstring>
#include <memory>
#include <new>

#include "dmscontent/common.h"
#include "frame/xml.h"
#include "model/message.h"
#include "model/message_backup.h"
#include "model/message_event.h"

namespace dms {
namespace {

std::unique_ptr<tinyxml2::XMLDocument> newDocument() {
    return std::unique_ptr<tinyxml2::XMLDocument>(new (std::nothrow)
                                                      tinyxml2::XMLDocument(true, tinyxml2::PRESERVE_WHITESPACE));
}

}  // namespace

MessageSet::MessageSet()
    : messages(new (std::nothrow) CMessage[kCapacity]), event(new (std::nothrow) MessageEvent()) {}

namespace {

// Reads a loaded document into the set.
uint32_t readLoaded(MessageSet& set, tinyxml2::XMLDocument& doc) {
    tinyxml2::XMLElement* root = doc.FirstChildElement("DmsMessage");
    if (root == nullptr) return DMS_E_MISSING;
    SignFactsInUse fonts(set.facts);
    uint32_t rc = readEventHeader(root, *set.event);
    if (rc != DMS_OK) return rc;
    int capacity = set.capacity < MessageSet::kCapacity ? set.capacity : MessageSet::kCapacity;
    // "Message" elements, and the "CMessage" elements of a document saved
    // from a sign, in document order.
    for (tinyxml2::XMLElement* e = root->FirstChildElement(); e != nullptr && set.count < capacity;
         e = e->NextSiblingElement()) {
        bool saved = std::strcmp(e->Name(), "CMessage") == 0;
        if (!saved && std::strcmp(e->Name(), "Message") != 0) continue;
        CMessage& m = set.messages[set.count];
        bool skip = false;
        rc = saved ? readBackupMessage(m, e, skip) : m.FromXml(e);
        if (rc != DMS_OK) return rc;
        if (!skip) ++set.count;
    }
    return DMS_OK;
}

}  // namespace

uint32_t MessageSet::ReadDocument(const char* path) {
    count = 0;
    if (!ok()) return DMS_E_NO_MEMORY;
    std::unique_ptr<tinyxml2::XMLDocument> doc = newDocument();
    if (!doc) return DMS_E_NO_MEMORY;
    if (path == nullptr || doc->LoadFile(path) != tinyxml2::XML_SUCCESS) return DMS_E_OPEN_INPUT;
    return readLoaded(*this, *doc);
}

uint32_t MessageSet::ReadDocumentText(const char* xml, size_t length) {
    count = 0;
    if (!ok()) return DMS_E_NO_MEMORY;
    std::unique_ptr<tinyxml2::XMLDocument> doc = newDocument();
    if (!doc) return DMS_E_NO_MEMORY;
    if (xml == nullptr || doc->Parse(xml, length) != tinyxml2::XML_SUCCESS) return DMS_E_OPEN_INPUT;
    return readLoaded(*this, *doc);
}

uint32_t MessageSet::WriteDocument(const char* path) {
    if (!ok()) return DMS_E_NO_MEMORY;
    std::unique_ptr<tinyxml2::XMLDocument> doc = newDocument();
    if (!doc) return DMS_E_NO_MEMORY;
    tinyxml2::XMLElement* root = childElement(doc.get(), doc.get(), "DmsMessage");
    SignFactsInUse fonts(facts);
    writeEventHeader(doc.get(), root, *event);
    int n = count < 0 ? 0 : (count > capacity ? capacity : count);
    if (n > kCapacity) n = kCapacity;
    for (int i = 0; i < n; ++i) messages[i].ToXml(doc.get(), root);
    if (path == nullptr || doc->SaveFile(path, false) != tinyxml2::XML_SUCCESS) return DMS_E_OPEN_OUTPUT;
    return DMS_OK;
}

}  // namespace dms
