#include "support/result.h"

#include "dmscontent/common.h"
#include "support/fault_sweep.h"
#include "tqdms/tqdms.h"

namespace testing_support {
namespace {

struct Name {
    uint32_t code;
    const char* name;
};

// The text is the macro's own name.
#define RESULT_NAME(code) {code, #code}

const Name kNames[] = {
    RESULT_NAME(DMS_OK),
    RESULT_NAME(DMS_E_FAILED),
    RESULT_NAME(DMS_E_ARGUMENT),
    RESULT_NAME(DMS_E_NO_INTERFACE),
    RESULT_NAME(DMS_E_FONT_FILE),
    RESULT_NAME(DMS_E_NOT_MODIFYING),
    RESULT_NAME(DMS_E_OPEN_INPUT),
    RESULT_NAME(DMS_E_OPEN_OUTPUT),
    RESULT_NAME(DMS_E_FORMAT),
    RESULT_NAME(DMS_E_NO_MEMORY),
    RESULT_NAME(DMS_E_FULL),
    RESULT_NAME(DMS_E_EMPTY),
    RESULT_NAME(DMS_E_MISSING),
    RESULT_NAME(DMS_E_INVALID),
    RESULT_NAME(DMS_E_PICTURE_NUMBER),
    RESULT_NAME(DMS_E_NO_FREE),
    RESULT_NAME(DMS_E_STATE_TIMEOUT),
    RESULT_NAME(DMS_E_IN_USE),
    RESULT_NAME(DMS_E_GRAPHIC_STATUS),
    RESULT_NAME(DMS_E_MULTI_TOO_LONG),
    RESULT_NAME(DMS_E_MEMORY_TYPE),
    RESULT_NAME(DMS_E_UNSUPPORTED),
    RESULT_NAME(TQDMS_OK),
    RESULT_NAME(TQDMS_E_EXCHANGE),
    RESULT_NAME(TQDMS_E_NO_SUCH_NAME),
    RESULT_NAME(TQDMS_E_BAD_VALUE),
    RESULT_NAME(TQDMS_E_READ_ONLY),
    RESULT_NAME(TQDMS_E_GEN_ERR),
    RESULT_NAME(TQDMS_E_AUTH),
    RESULT_NAME(TQDMS_E_TOO_BIG),
    RESULT_NAME(TQDMS_E_BAD_ANSWER),
    RESULT_NAME(TQDMS_E_NOT_SUPPORTED),
    RESULT_NAME(kSweepCode),
};

}  // namespace

std::string resultName(uint32_t code) {
    std::string names;
    for (const Name& n : kNames)
        if (n.code == code) names += (names.empty() ? "" : "/") + std::string(n.name);
    const std::string number = std::to_string(code);
    return names.empty() ? number : names + " (" + number + ")";
}

void PrintTo(const Result& result, std::ostream* os) { *os << resultName(result.code); }

}  // namespace testing_support
