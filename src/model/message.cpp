#include "model/message.h"

#include <cstring>
#include <new>
#include <string>

#include "dmscontent/common.h"
#include "multi/faithful.h"
#include "multi/reading.h"
#include "multi/writer.h"

namespace dms {
CMessage::~CMessage() { FreePages(); }

void CMessage::FreePages() {
    delete pages;
    pages = nullptr;
}

PageMessage* CMessage::AddPage(int32_t pageNum) {
    PageMessage* page = AppendNew(&pages);
    if (page != nullptr) page->pageNum = pageNum;
    return page;
}

// A text longer than the record's field is refused like one longer than the
// sign allows, whatever the sign reports: a cut MULTI text would be broken.
uint32_t CMessage::BuildMulti(int32_t maxLength) {
    multiString[0] = '\0';
    if (pages == nullptr) return DMS_OK;
    std::string text;  // written straight into a string, without a stream
    multi::writePages(text, *pages);
    const int64_t length = static_cast<int64_t>(text.size());
    if (length > maxLength || length >= kMultiStringSize) return DMS_E_MULTI_TOO_LONG;
    std::memcpy(multiString, text.c_str(), text.size() + 1);
    return text.empty() ? DMS_E_EMPTY : DMS_OK;
}

// The documented parser's own result is not acted on: what it could read
// stays. The faithful reading takes a text it cannot tokenize the
// documented way.
uint32_t CMessage::ParseMulti() {
    if (multiString[0] == '\0') return DMS_E_ARGUMENT;
    FreePages();
    pages = new (std::nothrow) PageMessage();
    if (pages == nullptr) return DMS_E_NO_MEMORY;
    multiString[kMultiStringSize - 1] = '\0';
    if (multi::currentReading() == multi::Reading::Faithful) {
        switch (multi::readFaithful(*pages, multiString, std::strlen(multiString))) {
            case multi::FaithfulResult::Done: return DMS_OK;
            case multi::FaithfulResult::NoMemory: return DMS_E_NO_MEMORY;
            case multi::FaithfulResult::NotTokenized: break;
        }
    }
    (void)pages->FromMulti(multiString);
    return DMS_OK;
}

}  // namespace dms
