// Fuzz target: arbitrary bytes as a message document, read the way a
// message upload reads one, every message's MULTI built, and the set written
// back out as a document.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/message.h"
#include "tqdms/tqsim.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A simulated sign with its default fonts, bound to this thread, with
    // the journal off so runs stay cheap.
    tqsimOpenMemory(nullptr);
    DeviceInitParameters params;
    std::memset(&params, 0, sizeof params);
    std::strcpy(params.address, "127.0.0.1");
    tqDMSInitNotVerify(&params);
    tqsimSetJournal(0);
    return 0;
}

namespace {

// One set for all runs (512 records are costly to build each time); every
// run leaves it as a fresh one would be: no pages, no text, unset events.
dms::MessageSet& reusedSet() {
    static dms::MessageSet set;
    return set;
}

void resetTouched(dms::MessageSet& set) {
    // The read touches the records it counted and the one it failed on.
    int touched = set.count < set.capacity ? set.count + 1 : set.capacity;
    for (int i = 0; i < touched; ++i) {
        set.messages[i].FreePages();
        set.messages[i].multiString[0] = '\0';
    }
    *set.event = dms::MessageEvent();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tqsimClearFaults();
    dms::MessageSet& set = reusedSet();
    if (!set.ok()) return 0;
    set.ReadDocumentText(reinterpret_cast<const char*>(data), size);
    for (int i = 0; i < set.count; ++i) set.messages[i].BuildMulti();
    set.WriteDocument("/dev/null");
    resetTouched(set);
    return 0;
}
