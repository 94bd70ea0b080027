// dmsctl's message document check: read as an upload would, each message's
// MULTI text built against the open sign's facts, nothing sent.
#include <memory>

#include "messages/sign_facts.h"
#include "model/enums.h"
#include "model/message.h"
#include "tool/dmsctl_api.h"

namespace dms::tool {
namespace {

constexpr uint32_t kOutOfMemory = 32516;

std::string typeText(int32_t code) {
    char text[kEnumTextSize] = {};
    MemoryTypeToString(code, text);
    return text[0] != '\0' ? text : std::to_string(code);
}

}  // namespace

MessageCheck checkMessageDocument(const std::string& path) {
    MessageCheck check;
    auto set = std::make_unique<MessageSet>();
    if (!set->ok()) {
        check.failed = MessageCheck::Step::kMemory;
        check.result = kOutOfMemory;
        return check;
    }
    SignFacts facts;
    readSignFacts(facts);
    set->facts = &facts;
    check.result = set->ReadDocument(path.c_str());
    if (check.result != 0) {
        check.failed = MessageCheck::Step::kDocument;
        return check;
    }
    for (int i = 0; i < set->count; ++i) {
        CMessage& m = set->messages[i];
        CheckedMessage checked;
        checked.number = m.m_MemoryNum;
        checked.type = typeText(m.memoryType);
        check.result = m.BuildMulti(facts.maxMultiLength);
        if (check.result == 0) checked.multi = m.multiString;
        check.messages.push_back(std::move(checked));
        if (check.result != 0) {
            check.failed = MessageCheck::Step::kMessage;
            break;
        }
    }
    return check;
}

}  // namespace dms::tool
