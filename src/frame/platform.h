// The few operating-system services the library uses, in one place:
// sleeping between status polls, the debugger output, the host executable's
// path, the device library's thread-local slot and file tests, and the
// file operations of the debug dumps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace dms::platform {

void sleepMs(unsigned ms);
// Sends one finished line to the debugger output (Windows) or standard error.
void debugOutput(const char* text);
// Full path of the host executable (not of this library); empty on failure.
std::string executablePath();
// Value of a thread-local slot created by the device library.
void* tlsValue(uint32_t index);
bool isDirectory(const char* path);
int processId();
// Makes a file that does not exist yet and opens it for writing in text
// mode; null when the name exists or the file cannot be made.
std::FILE* createNewFile(const char* path);
// Renames from to to, replacing a file of that name.
bool replaceFile(const char* from, const char* to);

}  // namespace dms::platform
