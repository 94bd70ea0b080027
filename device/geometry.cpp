// The sign geometry extras (tqgeometry.h): dispatched like the boundary's
// own reads, so they are journalled and can be failed by injected faults.
#include "dispatch.h"
#include "tqdms/tqgeometry.h"

using tqdms::Backend;

namespace {

tqdms::Call read(const char* fn, int object, void* buf, int len) {
    tqdms::Call c;
    c.fn = fn;
    c.args = {object};
    c.dir = tqdms::Direction::Get;
    c.buf = buf;
    c.len = len;
    return c;
}

}  // namespace

TQ_API uint32_t TQ_CALL tqGetSignCfg(int object, void* buf, int len) {
    return tqdms::dispatch(read("tqGetSignCfg", object, buf, len),
                           [&](Backend& b) { return b.getSignCfg(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetVmsCfg(int object, void* buf, int len) {
    return tqdms::dispatch(read("tqGetVmsCfg", object, buf, len),
                           [&](Backend& b) { return b.getVmsCfg(object, buf, len); });
}
