// The extra functions of our device library (tqsim.h): choosing the sign and
// the test facilities. Not needed by the content library.
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "connection.h"
#include "dispatch.h"
#include "sim/sign.h"
#include "tqdms/tqsim.h"

namespace {

// Signs kept in files are saved when the process ends normally.
void saveAtExit() {
    std::lock_guard<std::mutex> lock(tqdms::deviceMutex());
    if (tqsim::SimSign* s = tqdms::currentSim()) s->saveIfDirty();
}

int copyOut(const std::string& text, char* buf, int len) {
    if (buf && len > 0) {
        size_t n = text.size() < static_cast<size_t>(len - 1) ? text.size() : static_cast<size_t>(len - 1);
        std::memcpy(buf, text.data(), n);
        buf[n] = '\0';
    }
    return static_cast<int>(text.size() + 1);
}

}  // namespace

TQ_API uint32_t TQ_CALL tqsimOpen(const char* stateFile) {
    if (!stateFile || !*stateFile) return TQDMS_E_BAD_VALUE;
    std::shared_ptr<tqsim::SimSign> sign;
    uint32_t rc = tqsim::SimSign::openFile(stateFile, sign);
    if (rc != TQDMS_OK) return rc;
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(saveAtExit); });
    std::lock_guard<std::mutex> lock(tqdms::deviceMutex());
    tqdms::setCurrentSign(std::move(sign));
    return TQDMS_OK;
}

TQ_API uint32_t TQ_CALL tqsimOpenMemory(const char* json) {
    std::shared_ptr<tqsim::SimSign> sign;
    uint32_t rc = tqsim::SimSign::openMemory(json, sign);
    if (rc != TQDMS_OK) return rc;
    std::lock_guard<std::mutex> lock(tqdms::deviceMutex());
    tqdms::setCurrentSign(std::move(sign));
    return TQDMS_OK;
}

TQ_API uint32_t TQ_CALL tqsimSave(const char* path) {
    std::lock_guard<std::mutex> lock(tqdms::deviceMutex());
    tqsim::SimSign* s = tqdms::currentSim();
    if (!s) return TQDMS_E_EXCHANGE;
    return s->save(path ? path : "");
}

TQ_API void TQ_CALL tqsimClose(void) {
    std::lock_guard<std::mutex> lock(tqdms::deviceMutex());
    tqdms::setCurrentSign(nullptr);
}

TQ_API int TQ_CALL tqsimGetState(char* buf, int len) {
    std::lock_guard<std::mutex> lock(tqdms::deviceMutex());
    tqsim::SimSign* s = tqdms::currentSim();
    if (!s) return 0;
    return copyOut(s->state().dump(), buf, len);
}

TQ_API uint32_t TQ_CALL tqsimPatchState(const char* json) {
    if (!json) return TQDMS_E_BAD_VALUE;
    std::lock_guard<std::mutex> lock(tqdms::deviceMutex());
    tqsim::SimSign* s = tqdms::currentSim();
    if (!s) return TQDMS_E_EXCHANGE;
    return s->patch(json);
}

TQ_API uint32_t TQ_CALL tqsimAddFault(const char* json) {
    if (!json) return TQDMS_E_BAD_VALUE;
    return tqdms::addFault(json);
}

TQ_API void TQ_CALL tqsimClearFaults(void) { tqdms::clearFaults(); }

TQ_API int TQ_CALL tqsimGetJournal(char* buf, int len) { return copyOut(tqdms::journalJson(), buf, len); }

TQ_API void TQ_CALL tqsimClearJournal(void) { tqdms::clearJournal(); }

TQ_API void TQ_CALL tqsimSetJournal(int on) { tqdms::setJournal(on != 0); }

TQ_API int TQ_CALL tqsimJournalCount(void) { return tqdms::journalCount(); }
