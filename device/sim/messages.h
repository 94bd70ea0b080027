// The simulated message table (dmsMessageTable) and the sign control
// objects (signControl): control mode, the messages it names (activated,
// door open, loss, recovery, reset, end of duration), memory management and
// the errors of the last validation and activation.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include <nlohmann/json_fwd.hpp>

#include "limits.h"
#include "tqdms/ntcip.h"

namespace tqsim {

// The codes the sign control objects exchange, network order.
using ActivationCode = std::array<uint8_t, NTCIP_ACTIVATION_CODE_SIZE>;
using MessageId = std::array<uint8_t, NTCIP_MESSAGE_ID_CODE_SIZE>;

struct MessageRow {
    std::string multi;
    std::string owner;
    uint8_t beacon = 0;
    uint8_t pixelService = 0;
    uint8_t priority = 1;
    uint8_t status = NTCIP_MSG_NOT_USED;
    uint16_t crc = 0;
    // A request the sign is still working on (pollLatency, settleMs): the
    // status it moves to, and the reads and time left until it does.
    uint8_t pendingStatus = 0;
    PendingRequest pending;
};

struct MessageStore {
    // Rows ever touched, keyed by (memory type, number). Rows not held are notUsed.
    std::map<std::pair<int, int>, MessageRow> rows;
    uint32_t validateError = NTCIP_VALIDATE_NONE;
    uint32_t syntaxError = NTCIP_MULTI_NONE;
    uint32_t syntaxErrorPosition = 0;       // of the last validation; 0 without an error
    uint32_t activateError = NTCIP_ACTIVATE_NONE;
    MessageId activateErrorCode{};          // the message of the last refused activation
    uint32_t controlMode = NTCIP_CONTROL_CENTRAL;
    uint32_t timeCommLoss = 0;              // minutes
    ActivationCode activated{};
    MessageId doorOpen{};
    MessageId commLoss{};
    MessageId shortPower{};
    MessageId longPower{};
    MessageId reset{};
    MessageId powerLoss{};
    MessageId endDuration{};

    MessageStore();
    int count(int memoryType) const;
    const MessageRow* find(int memoryType, int number) const;
    bool isActivated(int memoryType, int number) const;

    void load(const nlohmann::json& state);
    void save(nlohmann::json& state) const;
};

}  // namespace tqsim
