/* A C host run with another device library loaded in front of ours: the
 * content library must reach the sign only through the boundary functions. */
#include <stdio.h>

#include "dmscontent/dmscontent.h"

int main(void) {
    int32_t t[8];
    uint32_t rc;
    tqTestInit();
    rc = tqGetTime(t);
    printf("tqGetTime %u zone %d year %d\n", rc, t[7], t[0]);
    /* The fake device answers differential 19800 (zone 26), time 0. */
    return (rc == 0 && t[7] == 26 && (t[0] == 1970 || t[0] == 1969)) ? 0 : 1;
}
