// tqTestInit and tqStop: the test connection and the stop request.
#include <cstring>

#include "device.h"
#include "dmscontent/dmscontent.h"  // all host records, size-checked in every build
#include "log.h"
#include "running.h"

namespace {

void TQ_CALL ignoreNotify(void*) {}
void TQ_CALL ignoreProgress(void*, int, int) {}
void TQ_CALL ignoreIdle(void) {}

}  // namespace

DMS_API uint32_t DMS_CALL tqTestInit(void) {
    DeviceInitParameters params;
    std::memset(&params, 0, sizeof params);
    params.transport = 0;
    std::strcpy(params.address, "169.254.10.20");  // the test sign's link-local address
    params.port = 9520;
    params.baudRate = 19200;
    params.retries = 4;
    params.timeout = 100000;
    params.onOpen = ignoreNotify;
    params.onClose = ignoreNotify;
    params.progress = ignoreProgress;
    params.onIdle = ignoreIdle;
    (void)tqDMSInitNotVerify(&params);
    dms::logLine(dms::kLogInfo, "Runing dwTlsIndex:%d", static_cast<int>(GetTlsIndex()));
    return 0;
}

// Hosts call tqStop from another thread (a UI thread) while a worker thread
// runs an export: the stop reaches the running operations' interface
// objects, whichever thread they belong to. With nothing running there is
// nothing to stop and no flag is left behind to end the next operation:
// 0 when the calling thread has an interface object, else 3.
DMS_API uint32_t DMS_CALL tqStop(void) {
    DeviceInterface* own = dms::currentInterface();
    if (dms::requestStop(own) > 0) return DMS_OK;
    return own ? DMS_OK : DMS_E_NO_INTERFACE;
}
