#include "log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

#include "dmscontent/session.h"
#include "platform.h"

namespace dms {
namespace {

struct Sink {
    DmsLogSink fn = nullptr;
    void* context = nullptr;
};

std::mutex& sinkMutex() {
    static std::mutex m;
    return m;
}

Sink& sink() {
    static Sink s;
    return s;
}

const char* levelTag(int level) {
    switch (level) {
    case kLogInfo: return "[INFO]";
    case kLogWarning: return "[WARNING]";
    case kLogError: return "[ERROR]";
    default: return "";
    }
}

// Two decimal digits with a leading zero below 10.
void twoDigits(char (&out)[3], int v) {
    v = ((v % 100) + 100) % 100;
    out[0] = static_cast<char>('0' + v / 10);
    out[1] = static_cast<char>('0' + v % 10);
    out[2] = '\0';
}

void vformat(char (&line)[kLogLineSize], int level, const char* format, va_list args) {
    std::memset(line, 0, sizeof line);
    std::time_t now = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    char mon[3], day[3], hour[3], min[3], sec[3];
    twoDigits(mon, tm.tm_mon + 1);
    twoDigits(day, tm.tm_mday);
    twoDigits(hour, tm.tm_hour);
    twoDigits(min, tm.tm_min);
    twoDigits(sec, tm.tm_sec);
    int n = std::snprintf(line, sizeof line, "%s[%s-%s %s:%s:%s] ", levelTag(level), mon, day, hour, min, sec);
    size_t used = n > 0 ? static_cast<size_t>(n) : 0;
    // Room for the message: everything but the newline and the NUL.
    size_t room = sizeof line - 2;
    if (used < room) std::vsnprintf(line + used, room - used + 1, format, args);
    size_t len = std::strlen(line);
    if (len > room) len = room;
    line[len] = '\n';
    line[len + 1] = '\0';
}

}  // namespace

void formatLogLine(char (&line)[kLogLineSize], int level, const char* format, ...) {
    va_list args;
    va_start(args, format);
    vformat(line, level, format, args);
    va_end(args);
}

void logLine(int level, const char* format, ...) {
    char line[kLogLineSize];
    va_list args;
    va_start(args, format);
    vformat(line, level, format, args);
    va_end(args);
    Sink s;
    {
        std::lock_guard<std::mutex> lock(sinkMutex());
        s = sink();
    }
    if (s.fn)
        s.fn(line, s.context);
    else
        platform::debugOutput(line);
}

}  // namespace dms

DMS_API void DMS_CALL dmsSetLogSink(DmsLogSink fn, void* context) {
    std::lock_guard<std::mutex> lock(dms::sinkMutex());
    dms::sink().fn = fn;
    dms::sink().context = context;
}
