/* A stand-in device library defining the 33 boundary functions, used to
 * show that another device library can replace ours (LD_PRELOAD). */
#include <string.h>

#include "tqdms/tqdms.h"

static DeviceInterface g_if;
static int g_open;

void* GetIf(void) { return g_open ? &g_if : NULL; }
uint32_t GetTlsIndex(void) { return 0; }
uint32_t tqDMSInitNotVerify(DeviceInitParameters* p) {
    g_if.params = *p;
    g_open = 1;
    return 0;
}
uint32_t tqGetGlobalTime(int object, void* buf, int len) {
    int32_t v = object == 5 ? 19800 : 0;
    if (len != 4) return 0x5555;
    memcpy(buf, &v, 4);
    return 0;
}
uint32_t tqSetGlobalTime(int object, const void* buf, int len) { (void)object; (void)buf; (void)len; return 0; }

#define REFUSE(decl) decl { return 0x5555; }
REFUSE(uint32_t tqGetMsgInfo(int a, void* b, int c))
REFUSE(uint32_t tqGetMsgTable(int a, int b, int c, void* d, int e))
REFUSE(uint32_t tqSetMsgTable(int a, int b, int c, const void* d, int e))
REFUSE(uint32_t tqDefine1Message(int a, int b, int c, int d, int e, const char* f, const char* g, int h))
REFUSE(uint32_t tqActiveMessage(const void* a))
REFUSE(uint32_t tqGetSignControl(int a, void* b, int c))
REFUSE(uint32_t tqSetSignControl(int a, const void* b, int c))
REFUSE(uint32_t tqGetDoorOpen(void* a, int b))
REFUSE(uint32_t tqSetDoorOpen(const void* a, int b))
REFUSE(uint32_t tqGetMultiCfg(int a, void* b, int c))
REFUSE(uint32_t tqGetFontDefinition(int a, void* b, int c))
REFUSE(uint32_t tqGetFontTable(int a, int b, void* c, int d))
REFUSE(uint32_t tqSetFontTable(int a, int b, const void* c, int d))
REFUSE(uint32_t tqGetCharacterTable(int a, int b, int c, void* d, int e))
REFUSE(uint32_t tqSetCharacterTable(int a, int b, int c, const void* d, int e))
REFUSE(uint32_t tqGetGraphicDefinition(int a, void* b, int c))
REFUSE(uint32_t tqGetGraphicTable(int a, int b, void* c, int d))
REFUSE(uint32_t tqSetGraphicTable(int a, int b, const void* c, int d))
REFUSE(uint32_t tqGetGraphicBitmapTable(int a, int b, void* c, int d))
REFUSE(uint32_t tqSetGraphicBitmapTable(int a, int b, const void* c, int d))
REFUSE(uint32_t tqGetTimeBase(int a, void* b, int c))
REFUSE(uint32_t tqGetTimeBaseSchTable(int a, int b, void* c, int d))
REFUSE(uint32_t tqSetTimeBaseSchTable(int a, int b, const void* c, int d))
REFUSE(uint32_t tqGetTimeBaseDayPlanTable(int a, int b, int c, void* d, int e))
REFUSE(uint32_t tqSetTimeBaseDayPlanTable(int a, int b, int c, const void* d, int e))
REFUSE(uint32_t tqGetNumActionTableEntries(void* a, int b))
REFUSE(uint32_t tqGetSchActionTable(int a, void* b, int c))
REFUSE(uint32_t tqSetSchActionTable(int a, const void* b, int c))
