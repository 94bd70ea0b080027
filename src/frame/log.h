// The diagnostic log: one line per call, "[INFO]" / "[WARNING]" / "[ERROR]",
// a "[MM-DD HH:MM:SS] " local-time stamp, the message and a newline.
#pragma once

#include <cstddef>

namespace dms {

enum LogLevel { kLogInfo = 1, kLogWarning = 2, kLogError = 3 };

// Lines (with their newline) are cut to fit this buffer with its NUL.
constexpr size_t kLogLineSize = 1024;

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void logLine(int level, const char* format, ...);

// Builds the line logLine would write, without writing it (tests).
void formatLogLine(char (&line)[kLogLineSize], int level, const char* format, ...);

}  // namespace dms
