// The extra functions of our device library (tqsim.h): choosing the sign and
// the test facilities. Not needed by the content library.
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "connection.h"
#include "dispatch.h"
#include "sim/sign.h"
#include "tqdms/tqnet.h"
#include "tqdms/tqsim.h"

namespace {

// Signs kept in files are saved when the process ends normally.
void saveAtExit() { tqdms::saveAllSigns(); }

void saveAtExitOnce() {
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(saveAtExit); });
}

int copyOut(const std::string& text, char* buf, int len) {
    if (buf && len > 0) {
        size_t n = text.size() < static_cast<size_t>(len - 1) ? text.size() : static_cast<size_t>(len - 1);
        std::memcpy(buf, text.data(), n);
        buf[n] = '\0';
    }
    return static_cast<int>(text.size() + 1);
}

uint32_t openFile(const char* stateFile, bool thisThread) {
    if (!stateFile || !*stateFile) return TQDMS_E_BAD_VALUE;
    std::shared_ptr<tqsim::SimSign> sign;
    uint32_t rc = tqsim::SimSign::openFile(stateFile, sign);
    if (rc != TQDMS_OK) return rc;
    saveAtExitOnce();
    thisThread ? tqdms::setThreadSign(std::move(sign)) : tqdms::setProcessSign(std::move(sign));
    return TQDMS_OK;
}

uint32_t openMemory(const char* json, bool thisThread) {
    std::shared_ptr<tqsim::SimSign> sign;
    uint32_t rc = tqsim::SimSign::openMemory(json, sign);
    if (rc != TQDMS_OK) return rc;
    thisThread ? tqdms::setThreadSign(std::move(sign)) : tqdms::setProcessSign(std::move(sign));
    return TQDMS_OK;
}

}  // namespace

TQ_API uint32_t TQ_CALL tqsimOpen(const char* stateFile) { return openFile(stateFile, false); }

TQ_API uint32_t TQ_CALL tqsimOpenMemory(const char* json) { return openMemory(json, false); }

TQ_API uint32_t TQ_CALL tqsimOpenThread(const char* stateFile) { return openFile(stateFile, true); }

TQ_API uint32_t TQ_CALL tqsimOpenMemoryThread(const char* json) { return openMemory(json, true); }

TQ_API uint32_t TQ_CALL tqsimSave(const char* path) {
    tqdms::SignRef s = tqdms::currentSign();
    if (!s) return TQDMS_E_EXCHANGE;
    std::lock_guard<std::mutex> lock(s->lock);
    if (!s->sim) return TQDMS_E_NOT_SUPPORTED;
    return s->sim->save(path ? path : "");
}

TQ_API void TQ_CALL tqsimClose(void) { tqdms::closeCurrentSign(); }

TQ_API int TQ_CALL tqsimGetState(char* buf, int len) {
    tqdms::SignRef s = tqdms::currentSign();
    if (!s) return 0;
    std::string text;
    {
        std::lock_guard<std::mutex> lock(s->lock);
        if (!s->sim) return 0;
        text = s->sim->state().dump();
    }
    return copyOut(text, buf, len);
}

TQ_API uint32_t TQ_CALL tqsimPatchState(const char* json) {
    if (!json) return TQDMS_E_BAD_VALUE;
    tqdms::SignRef s = tqdms::currentSign();
    if (!s) return TQDMS_E_EXCHANGE;
    std::lock_guard<std::mutex> lock(s->lock);
    if (!s->sim) return TQDMS_E_NOT_SUPPORTED;
    return s->sim->patch(json);
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

TQ_API uint32_t TQ_CALL tqnetOpen(const char* uri) {
    if (!uri || !*uri) return TQDMS_E_BAD_VALUE;
    saveAtExitOnce();
    return tqdms::openProcessSign(uri);
}

TQ_API uint32_t TQ_CALL tqnetOpenThread(const char* uri) {
    if (!uri || !*uri) return TQDMS_E_BAD_VALUE;
    saveAtExitOnce();
    return tqdms::openThreadSign(uri);
}

TQ_API int TQ_CALL tqnetLastError(char* buf, int len) { return copyOut(tqdms::lastOpenError(), buf, len); }
