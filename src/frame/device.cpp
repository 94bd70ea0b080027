#include "device.h"

#include "platform.h"

namespace dms {

void pollWait(unsigned ms) { platform::sleepMs(ms); }

}  // namespace dms
