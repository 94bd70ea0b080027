// SNMP error statuses as device codes, by their protocol numbers (the same
// on every platform's SNMP stack).
#include "transport.h"
#include "tqdms/tqdms.h"

namespace tqdms {
namespace snmp {

uint32_t deviceCodeOf(long errorStatus) {
    enum : long {
        noError = 0, tooBig = 1, noSuchName = 2, badValue = 3, readOnly = 4, genErr = 5, noAccess = 6,
        wrongType = 7, wrongLength = 8, wrongEncoding = 9, wrongValue = 10, noCreation = 11,
        inconsistentValue = 12, resourceUnavailable = 13, commitFailed = 14, undoFailed = 15,
        authorizationError = 16, notWritable = 17, inconsistentName = 18
    };
    switch (errorStatus) {
    case noError: return TQDMS_OK;
    case noSuchName:
    case noCreation:
    case inconsistentName: return TQDMS_E_NO_SUCH_NAME;
    case badValue:
    case wrongType:
    case wrongLength:
    case wrongEncoding:
    case wrongValue: return TQDMS_E_BAD_VALUE;
    case readOnly:
    case notWritable:
    case noAccess: return TQDMS_E_READ_ONLY;
    case authorizationError: return TQDMS_E_AUTH;
    case tooBig: return TQDMS_E_TOO_BIG;
    default: return TQDMS_E_GEN_ERR;  // genErr, inconsistentValue, resourceUnavailable, commit/undo failed
    }
}

}  // namespace snmp
}  // namespace tqdms
