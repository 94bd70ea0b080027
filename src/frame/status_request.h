// Asking a table row (message, font, graphic) for a new status and polling
// until it reports it. `request(value)` writes the row's status column and
// `read(status)` reads it; both give the exchange's result.
#pragma once

#include <cstdint>

#include "device.h"

namespace dms {

// Sends `value` once, then reads the status up to `tries` times, waiting `ms`
// after each read that is not `target`. 0 when one is; the code of a failed
// exchange; else `timeout`.
template <class Request, class Read>
uint32_t requestStatus(Request request, Read read, uint32_t value, uint32_t target, int tries, unsigned ms,
                       uint32_t timeout) {
    uint32_t rc = request(value);
    if (rc != 0) return rc;
    for (int attempt = 0; attempt < tries; ++attempt) {
        uint32_t status = 0;
        if ((rc = read(status)) != 0) return rc;
        if (status == target) return 0;
        pollWait(ms);
    }
    return timeout;
}

// Where a round of requestStatusEachTry waits: between its request and its
// read, or after a read that is not the target.
enum class RoundWait { kBeforeRead, kAfterMiss };

// Up to `tries` rounds of: send `value`, read the status, with a wait of `ms`
// placed as `wait` says. 0 as soon as a read is `target`; the code of a
// failed exchange; else `timeout`. For rows that may let a request pass
// unanswered, so it is made again each round.
template <class Request, class Read>
uint32_t requestStatusEachTry(Request request, Read read, uint32_t value, uint32_t target, int tries,
                              unsigned ms, RoundWait wait, uint32_t timeout) {
    for (int attempt = 0; attempt < tries; ++attempt) {
        uint32_t rc = request(value);
        if (rc != 0) return rc;
        if (wait == RoundWait::kBeforeRead) pollWait(ms);
        uint32_t status = 0;
        if ((rc = read(status)) != 0) return rc;
        if (status == target) return 0;
        if (wait == RoundWait::kAfterMiss) pollWait(ms);
    }
    return timeout;
}

}  // namespace dms
