// The diagnostic log line: tag, stamp, truncation, sink.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "dmscontent/session.h"
#include "frame/log.h"

namespace {

std::vector<std::string> g_lines;
void DMS_CALL capture(const char* line, void*) { g_lines.emplace_back(line); }

const std::regex kStamp(R"(\[\d\d-\d\d \d\d:\d\d:\d\d\] )");

TEST(LogLine, TagStampAndNewline) {
    char line[dms::kLogLineSize];
    dms::formatLogLine(line, 1, "Schedule Insert Count:%d", 3);
    EXPECT_TRUE(std::regex_match(line, std::regex(R"(\[INFO\]\[\d\d-\d\d \d\d:\d\d:\d\d\] Schedule Insert Count:3\n)"))) << line;
    dms::formatLogLine(line, 2, "x");
    EXPECT_EQ(std::string(line).rfind("[WARNING][", 0), 0u);
    dms::formatLogLine(line, 3, "%s", "snmp Error.");
    EXPECT_EQ(std::string(line).rfind("[ERROR][", 0), 0u);
    // Any other level has no tag: the line begins with the stamp.
    dms::formatLogLine(line, 5, "plain");
    EXPECT_TRUE(std::regex_search(line, std::regex(R"(^\[\d\d-\d\d \d\d:\d\d:\d\d\] plain\n$)"))) << line;
}

TEST(LogLine, LongMessagesAreCutAndStillEndInNewline) {
    std::string big(5000, 'x');
    char line[dms::kLogLineSize];
    dms::formatLogLine(line, 3, "%s", big.c_str());
    size_t len = std::strlen(line);
    EXPECT_EQ(len, dms::kLogLineSize - 1);
    EXPECT_EQ(line[len - 1], '\n');
    EXPECT_EQ(line[len - 2], 'x');
    // A message that fits exactly is not cut.
    std::string fits(dms::kLogLineSize - 2 - std::strlen("[ERROR][12-06 10:20:30] "), 'y');
    dms::formatLogLine(line, 3, "%s", fits.c_str());
    EXPECT_EQ(std::string(line).substr(std::strlen(line) - 3), "yy\n");
}

TEST(LogLine, SinkReceivesLinesUntilReset) {
    g_lines.clear();
    dmsSetLogSink(capture, nullptr);
    dms::logLine(1, "Runing dwTlsIndex:%d", 7);
    dmsSetLogSink(nullptr, nullptr);
    dms::logLine(1, "not captured");
    ASSERT_EQ(g_lines.size(), 1u);
    EXPECT_NE(g_lines[0].find("] Runing dwTlsIndex:7\n"), std::string::npos);
}

}  // namespace
