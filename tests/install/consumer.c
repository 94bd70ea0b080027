/* A host built against an installed dmscontent: checks the version, opens a
 * simulated sign in memory and draws a text with the sign's font. */
#include <stdio.h>
#include <string.h>

#include <dmscontent/dmscontent.h>
#include <tqdms/tqsim.h>

int main(void) {
    dmsRenderInfo info;
    uint32_t rc;
    if (strcmp(dmsVersion(), DMSCONTENT_VERSION) != 0) {
        printf("library %s, headers %s\n", dmsVersion(), DMSCONTENT_VERSION);
        return 1;
    }
    if (tqsimOpenMemory("{}") != 0 || tqTestInit() != DMS_OK) return 2;
    rc = tqSetTime(2026, 12, 7, 10, 20, 30, 0, 26);
    if (rc != DMS_OK) {
        printf("tqSetTime: %u %s\n", rc, dmsResultText(rc));
        return 3;
    }
    /* The default sign's fonts have no bitmaps: a text gives
     * characterNotDefined, which is enough to show rendering is reached. */
    rc = dmsRenderSize("A", 1, &info);
    printf("dmscontent %s: sign %dx%d, render %u (error %d)\n", dmsVersion(), info.width, info.height, rc,
           info.multiError);
    return info.width > 0 ? 0 : 4;
}
