#include "support/message_xml.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace testing_support {

std::string messageXml(const std::map<std::string, std::string>& overrides, const std::string& body) {
    std::map<std::string, std::string> a = {{"number", "5"},       {"type", "changeable"},
                                            {"beacon", "1"},       {"pixelService", "0"},
                                            {"duration", "10"},    {"runTimePriority", "3"},
                                            {"owner", "ops"}};
    for (const auto& kv : overrides) {
        if (kv.second == "-")
            a.erase(kv.first);
        else
            a[kv.first] = kv.second;
    }
    std::string xml = "<Message";
    for (const auto& kv : a) xml += " " + kv.first + "=\"" + kv.second + "\"";
    return xml + ">" + body + "</Message>";
}

std::string pageXml(const std::string& extra, const std::string& children, const std::string& text) {
    return "<PageMessage pageOnTime=\"30\" pageOffTime=\"0\" " + extra + "><SectionText>" + text + "</SectionText>" +
           children + "</PageMessage>";
}

std::string documentXml(const std::string& messages, const std::string& event) {
    return "<DmsMessage>" + event + messages + "</DmsMessage>";
}

namespace {
std::string freshPath(const std::string& suffix) {
    static std::atomic<int> serial{0};
    const char* dir = std::getenv("TMPDIR");
    std::ostringstream p;
    p << (dir ? dir : "/tmp") << "/dms_test_" << getpid() << "_" << serial++ << suffix;
    return p.str();
}
}  // namespace

TempFile::TempFile(const std::string& text, const std::string& suffix) : path_(freshPath(suffix)) {
    std::ofstream out(path_, std::ios::binary);
    out << text;
}

TempFile::TempFile() : path_(freshPath(".xml")) {}

TempFile::~TempFile() { std::remove(path_.c_str()); }

std::string TempFile::read() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace testing_support
