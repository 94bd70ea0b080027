// Debug dumps: written under a name of their own, then renamed over the
// fixed name, so two writers never mix and no temporary file stays behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "frame/dump.h"
#include "messages/table.h"
#include "support/message_rows.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::json;
using testing_support::row;
using testing_support::SimSign;

namespace {

std::string dumpFolder() {
    char dir[1024];
    dms::dumpDirectory(dir, sizeof dir);
    return dir;
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Files of the dump folder that start with the fixed name: the dump itself
// and anything written beside it.
std::set<std::string> filesNamed(const std::string& fileName) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dumpFolder())) {
        const std::string n = e.path().filename().string();
        if (n.compare(0, fileName.size(), fileName) == 0) names.insert(n);
    }
    return names;
}

void write(dms::DumpFile& dump, const std::string& line, int times) {
    ASSERT_NE(dump.get(), nullptr);
    for (int i = 0; i < times; ++i) std::fputs(line.c_str(), dump.get());
    std::fflush(dump.get());
}

TEST(DumpFile, TwoWritersEachLeaveAWholeDump) {
    const std::string name = "DumpFileTest.txt";
    const std::string path = dumpFolder() + name;
    std::filesystem::remove(path);
    std::string longer, shorter;
    for (int i = 0; i < 200; ++i) longer += "owner : first\n[jp3]A LONGER DUMP\n\n";
    for (int i = 0; i < 3; ++i) shorter += "owner : second\n[jp3]B\n\n";
    {
        dms::DumpFile first(name.c_str());
        dms::DumpFile second(name.c_str());
        write(first, "owner : first\n[jp3]A LONGER DUMP\n\n", 200);
        write(second, "owner : second\n[jp3]B\n\n", 3);
        EXPECT_FALSE(std::filesystem::exists(path));  // nothing in place before a commit
        EXPECT_TRUE(second.commit());
        EXPECT_EQ(contentOf(path), shorter);
        EXPECT_TRUE(first.commit());  // the last one in place wins, whole
        EXPECT_EQ(contentOf(path), longer);
        EXPECT_FALSE(first.commit());  // once only
    }
    EXPECT_EQ(filesNamed(name), std::set<std::string>{name});

    // A dump that is never committed leaves the fixed name as it was.
    {
        dms::DumpFile abandoned(name.c_str());
        write(abandoned, "half", 1);
        EXPECT_EQ(contentOf(path), longer);
    }
    EXPECT_EQ(contentOf(path), longer);
    EXPECT_EQ(filesNamed(name), std::set<std::string>{name});
    std::filesystem::remove(path);
}

TEST(DumpFile, MessageTableReadLeavesOnlyTheWholeDump) {
    const std::string name = "MessageReadFromMib.txt";
    SimSign sign(
        json{{"limits", {{"maxChangeable", 4}}},
             {"messages",
              {row(NTCIP_MEM_CHANGEABLE, 1, "[jp3]ONE", "ops"), row(NTCIP_MEM_CHANGEABLE, 3, "[jp2]THREE", "maker")}}});
    dms::MessageSet set;
    ASSERT_TRUE(dms::readMessageTable(set, 1, 4));
    EXPECT_EQ(contentOf(dumpFolder() + name), "owner : ops\n[jp3]ONE\n\nowner : maker\n[jp2]THREE\n\n");
    EXPECT_EQ(filesNamed(name), std::set<std::string>{name});
}

}  // namespace
