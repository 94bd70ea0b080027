// Test helper: message documents built from small pieces.
#pragma once

#include <map>
#include <string>

namespace testing_support {

// A "Message" element: the required attributes with usable values, then
// `overrides` (a value of "-" removes the attribute), holding `body`.
std::string messageXml(const std::map<std::string, std::string>& overrides = {}, const std::string& body = "");
// A page with the required times and one text, plus `extra` attributes and
// `children` after the "SectionText".
std::string pageXml(const std::string& extra = "", const std::string& children = "",
                    const std::string& text = "<NormalText text=\"HELLO\"/>");
// A whole document: root, event header, messages.
std::string documentXml(const std::string& messages, const std::string& event = "<Event/>");

// Writes text to a fresh file in the temp folder and returns its path;
// the file goes away with the object.
class TempFile {
public:
    explicit TempFile(const std::string& text, const std::string& suffix = ".xml");
    TempFile();  // a path only, no file yet
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const char* path() const { return path_.c_str(); }
    std::string read() const;

private:
    std::string path_;
};

}  // namespace testing_support
