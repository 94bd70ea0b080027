/* A C host: loads the shared content library, opens a simulated sign and
 * sets and reads the clock through the exports. */
#include <stdio.h>
#include <stdlib.h>

#include "dmscontent/dmscontent.h"
#include "tqdms/tqsim.h"

int main(void) {
    int32_t t[8];
    uint32_t rc;
    setenv("TZ", "UTC0", 1);
    if (tqsimOpenMemory(NULL) != 0) return 10;
    if (tqTestInit() != 0) return 11;
    rc = tqSetTime(2026, 12, 6, 10, 20, 30, 0, 13);
    if (rc != DMS_OK) {
        fprintf(stderr, "tqSetTime: %u %s\n", rc, dmsResultText(rc));
        return 12;
    }
    rc = tqGetTime(t);
    if (rc != DMS_OK) return 13;
    printf("%04d-%02d-%02d %02d:%02d zone %d\n", t[0], t[1], t[2], t[3], t[4], t[7]);
    tqsimClose();
    return (t[0] == 2026 && t[1] == 12 && t[7] == 13) ? 0 : 14;
}
