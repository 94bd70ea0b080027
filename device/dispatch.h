// Every table function of the boundary passes through dispatch(): it finds
// the calling thread's connection, honours the stop flag, applies injected
// faults, clears get buffers, calls the backend and journals the call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "backend.h"

namespace tqdms {

enum class Direction { Get, Set, Action };

struct Call {
    const char* fn = "";
    std::vector<int> args;           // integer arguments in order
    Direction dir = Direction::Get;
    void* buf = nullptr;             // get: output buffer
    const void* data = nullptr;      // set: input bytes
    int len = 0;
    std::vector<std::string> texts;  // text arguments (tqDefine1Message)
};

uint32_t dispatch(const Call& call, const std::function<uint32_t(Backend&)>& op);

// Test facilities, used by the tqsim* functions (callers hold no lock).
uint32_t addFault(const std::string& json);
void clearFaults();
std::string journalJson();
void clearJournal();
void setJournal(bool on);
int journalCount();

}  // namespace tqdms
