// Fuzz target: arbitrary bytes as a message document, read the way a
// message upload reads one, every message's MULTI built, and the set written
// back out as a document.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/message.h"

namespace {

// The facts the default simulated sign gives: its two fonts and its MULTI limit. No
// device is needed to read or write documents.
const dms::SignFacts& facts() {
    static const dms::SignFacts f{{{1, "5x7"}, {2, "8x14"}}, 1024};
    return f;
}

}  // namespace

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
    dms::MessageSet& set = reusedSet();
    if (!set.ok()) return 0;
    set.facts = &facts();
    set.ReadDocumentText(reinterpret_cast<const char*>(data), size);
    for (int i = 0; i < set.count; ++i) set.messages[i].BuildMulti(facts().maxMultiLength);
    set.WriteDocument("/dev/null");
    resetTouched(set);
    return 0;
}
