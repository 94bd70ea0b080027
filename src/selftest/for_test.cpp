// tqForTest: the built-in test sequence a developer runs against a sign.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "fonts/font_self_test.h"
#include "frame/device.h"
#include "frame/dump.h"
#include "frame/log.h"
#include "messages/events.h"

namespace {

// The font the sequence sends, beside the program that loaded the library.
const char kTestFontFile[] = "tqForTest.fnt";

void messageSteps() {
    std::vector<MessageTableEntry> rows(64);
    int32_t count = static_cast<int32_t>(rows.size());
    dms::logLine(dms::kLogInfo, "tqForTest: tqGetMessages %u, %d rows",
                 static_cast<unsigned>(tqGetMessages(rows.data(), &count)), static_cast<int>(count));
    // A volatile test message: written and shown, then the sign is blanked
    // (so the row may change) and the row erased.
    MessageTableEntry e;
    std::memset(&e, 0, sizeof e);
    e.memoryType = NTCIP_MEM_VOLATILE;
    e.number = 1;
    e.priority = 100;
    e.eventCode = 0;
    std::strcpy(e.owner, "tqForTest");
    std::strcpy(e.multi, "[jp3]TEST");
    uint32_t rc = tqSendSingleMessage(&e, nullptr, nullptr);
    if (rc == 0) rc = dms::activate(NTCIP_DURATION_INFINITE, 100, NTCIP_MEM_VOLATILE, 1, 0, dms::kLocalHost);
    if (rc == 0) rc = dms::blankSign(0);
    if (rc == 0) rc = tqDeleteMessage(NTCIP_MEM_VOLATILE, 1);
    dms::logLine(dms::kLogInfo, "tqForTest: test message %u", static_cast<unsigned>(rc));
}

// The font self-test rewrites font row 1, so it runs only when its font
// file is there to be sent.
void fontSteps() {
    char dir[1024];
    dms::dumpDirectory(dir, sizeof dir);
    std::string path = std::string(dir) + kTestFontFile;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        dms::logLine(dms::kLogInfo, "tqForTest: no %s, font test skipped", path.c_str());
        return;
    }
    std::fclose(f);
    dms::logLine(dms::kLogInfo, "tqForTest: font test %u", static_cast<unsigned>(dms::fontSelfTest(path.c_str())));
}

}  // namespace

DMS_API uint32_t DMS_CALL tqForTest(void) {
    tqTestInit();
    int32_t now[8];
    (void)tqGetTime(now);
    messageSteps();
    fontSteps();
    return 0;
}
