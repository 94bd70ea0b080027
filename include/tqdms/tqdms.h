/*
 * tqdms.h - the sign device library boundary.
 *
 * The content library (dmscontent) never talks to a sign itself. Every NTCIP
 * object transfer goes through exactly the 33 functions declared here, so any
 * device library that defines them (ours, a vendor's, a scripted fake) can
 * stand behind it.
 *
 * Results are uint32_t: 0 success, 1 a failed exchange, anything else a device
 * code that callers pass on unchanged (see TQDMS_E_* below for ours).
 *
 * Buffers: 4-byte values are host-order integers, 2-byte values host-order
 * 16-bit integers, 1-byte values single bytes, everything else NUL-terminated
 * text or raw bytes. `len` is the buffer length in bytes. A read of a text
 * column fills at most `len` bytes and always leaves them NUL-terminated.
 */
#ifndef TQDMS_TQDMS_H
#define TQDMS_TQDMS_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define TQ_CALL __stdcall
#else
#define TQ_CALL
#endif

#ifdef __cplusplus
#define TQ_EXTERN_C extern "C"
#else
#define TQ_EXTERN_C
#endif

#if defined(_WIN32)
/* Exports are listed by name in the library's module definition file. */
#define TQ_API TQ_EXTERN_C
#else
#define TQ_API TQ_EXTERN_C __attribute__((visibility("default")))
#endif

/* Device results of our device library (other device libraries have their own). */
#define TQDMS_OK 0u
#define TQDMS_E_EXCHANGE 1u         /* failed exchange, also: not connected, stop requested */
#define TQDMS_E_NO_SUCH_NAME 0x10002u /* object, row or column does not exist */
#define TQDMS_E_BAD_VALUE 0x10003u  /* value or length not acceptable, row not modifiable */
#define TQDMS_E_READ_ONLY 0x10004u  /* object cannot be written */
#define TQDMS_E_GEN_ERR 0x10005u    /* the sign refused the operation */
#define TQDMS_E_AUTH 0x10006u       /* SNMP: the sign refused the community or the SNMPv3 user, key or level */
#define TQDMS_E_TOO_BIG 0x10007u    /* the sign's answer does not fit the caller's buffer */
#define TQDMS_E_BAD_ANSWER 0x10008u /* the sign answered with a type or length the object does not have */
#define TQDMS_E_NOT_SUPPORTED 0x10009u /* the sign has no such object (door open message over SNMP) */

typedef void(TQ_CALL* TqNotifyFn)(void* arg);
typedef void(TQ_CALL* TqProgressFn)(void* deviceInterface, int code, int value);
typedef void(TQ_CALL* TqIdleFn)(void);

/* Parameter block of tqDMSInitNotVerify. Byte offsets as on 32-bit Windows;
 * on 64-bit builds the same declaration has its natural layout. */
typedef struct DeviceInitParameters {
    int32_t transport;          /*   0 */
    int32_t reserved4;          /*   4 */
    char address[48];           /*   8  dotted IPv4 text, NUL-terminated */
    int32_t port;               /*  56 */
    int32_t baudRate;           /*  60 */
    uint8_t reserved64[12];     /*  64 */
    int32_t retries;            /*  76 */
    int32_t timeout;            /*  80 */
    int32_t stopRequested;      /*  84 */
    uint8_t reserved88[292];    /*  88 */
    TqNotifyFn onOpen;          /* 380 */
    TqNotifyFn onClose;         /* 384 */
    TqProgressFn progress;      /* 388 */
    uint8_t reserved392[8];     /* 392 */
    TqIdleFn onIdle;            /* 400 */
    uint8_t reserved404[4];     /* 404 */
} DeviceInitParameters;         /* 408 bytes on 32-bit */

/* The per-thread interface object. The content library reads only
 * params.progress and writes only params.stopRequested. */
typedef struct DeviceInterface {
    DeviceInitParameters params; /* copied from tqDMSInitNotVerify */
    /* device-library private state may follow */
} DeviceInterface;

#if defined(__cplusplus) && (defined(_WIN32) && !defined(_WIN64))
#include <cstddef>
static_assert(sizeof(DeviceInitParameters) == 408, "parameter block size");
static_assert(offsetof(DeviceInitParameters, address) == 8, "address offset");
static_assert(offsetof(DeviceInitParameters, port) == 56, "port offset");
static_assert(offsetof(DeviceInitParameters, retries) == 76, "retries offset");
static_assert(offsetof(DeviceInitParameters, stopRequested) == 84, "stop flag offset");
static_assert(offsetof(DeviceInitParameters, onOpen) == 380, "onOpen offset");
static_assert(offsetof(DeviceInitParameters, progress) == 388, "progress offset");
static_assert(offsetof(DeviceInitParameters, onIdle) == 400, "onIdle offset");
#endif

/* Interface object of the calling thread, or NULL when no sign is open on it. */
TQ_API void* TQ_CALL GetIf(void);
/* Thread-local slot holding the same pointer: a TLS index on Windows
 * (TlsGetValue), a pthread_key_t elsewhere (pthread_getspecific). */
TQ_API uint32_t TQ_CALL GetTlsIndex(void);
/* Opens the sign for the calling thread; params are copied into its
 * interface object. */
TQ_API uint32_t TQ_CALL tqDMSInitNotVerify(DeviceInitParameters* params);

/* Message information (1 permanent count, 3 max changeable, 6 max volatile,
 * 9 validation error, ...), 4-byte values. */
TQ_API uint32_t TQ_CALL tqGetMsgInfo(int object, void* buf, int len);
/* Message table, row (memoryType, number); columns 1 memory type, 2 number,
 * 3 MULTI, 4 owner, 5 CRC, 6 beacon, 7 pixel service, 8 priority, 9 status. */
TQ_API uint32_t TQ_CALL tqGetMsgTable(int memoryType, int number, int column, void* buf, int len);
TQ_API uint32_t TQ_CALL tqSetMsgTable(int memoryType, int number, int column, const void* buf, int len);
/* Writes and validates one message row. */
TQ_API uint32_t TQ_CALL tqDefine1Message(int memoryType, int number, int beacon, int pixelService,
                                         int priority, const char* owner, const char* multi,
                                         int reserved);
/* Activates a message: 12-byte activation record in host order (duration 16,
 * priority 8, memory type 8, number 16, CRC 16, source address 32). Refused
 * with TQDMS_E_GEN_ERR (activation error 9, localMode) while the sign's
 * control mode is local. */
TQ_API uint32_t TQ_CALL tqActiveMessage(const void* activation);
/* Sign control: 1 control mode (1 other .. 6 simulation), 3 activated message
 * (12 bytes, network order), 8 short and 9 long power recovery, 11 reset,
 * 12 communications loss, 14 power loss, 15 end duration message (5-byte
 * identities), 13 communications loss time (minutes, 0..65535), 16 memory
 * management (reads 2 normal; 3 / 4 free every changeable / volatile row,
 * refused while one of them is activated), 17 activation error and 18 MULTI
 * syntax error (4 bytes), 19 syntax error position, 24 identity of the last
 * refused activation (5 bytes). 3, 17, 18, 19 and 24 are read-only. */
TQ_API uint32_t TQ_CALL tqGetSignControl(int object, void* buf, int len);
TQ_API uint32_t TQ_CALL tqSetSignControl(int object, const void* buf, int len);
/* Door-open message, 5-byte identity. */
TQ_API uint32_t TQ_CALL tqGetDoorOpen(void* buf, int len);
TQ_API uint32_t TQ_CALL tqSetDoorOpen(const void* buf, int len);
/* Global time: 1 seconds since 1970 UTC, 5 local time differential. */
TQ_API uint32_t TQ_CALL tqGetGlobalTime(int object, void* buf, int len);
TQ_API uint32_t TQ_CALL tqSetGlobalTime(int object, const void* buf, int len);
/* MULTI configuration: 1..9 MULTI defaults, 11 colour scheme, 15 maximum
 * pages, 16 maximum MULTI length (integers); 12 and 13 default background
 * and foreground RGB (3 bytes), 14 supported MULTI tags (the exact size). */
TQ_API uint32_t TQ_CALL tqGetMultiCfg(int object, void* buf, int len);

/* Fonts: definition 1 number of font rows, 3 maximum character number. */
TQ_API uint32_t TQ_CALL tqGetFontDefinition(int object, void* buf, int len);
TQ_API uint32_t TQ_CALL tqGetFontTable(int row, int column, void* buf, int len);
TQ_API uint32_t TQ_CALL tqSetFontTable(int row, int column, const void* buf, int len);
TQ_API uint32_t TQ_CALL tqGetCharacterTable(int row, int character, int column, void* buf, int len);
TQ_API uint32_t TQ_CALL tqSetCharacterTable(int row, int character, int column, const void* buf,
                                            int len);

/* Graphics: definition 1 number of graphic rows, 5 block size. */
TQ_API uint32_t TQ_CALL tqGetGraphicDefinition(int object, void* buf, int len);
TQ_API uint32_t TQ_CALL tqGetGraphicTable(int row, int column, void* buf, int len);
TQ_API uint32_t TQ_CALL tqSetGraphicTable(int row, int column, const void* buf, int len);
TQ_API uint32_t TQ_CALL tqGetGraphicBitmapTable(int row, int block, void* buf, int len);
TQ_API uint32_t TQ_CALL tqSetGraphicBitmapTable(int row, int block, const void* buf, int len);

/* Time base: 1 max schedule entries, 3 max day plans, 4 max day plan events. */
TQ_API uint32_t TQ_CALL tqGetTimeBase(int object, void* buf, int len);
TQ_API uint32_t TQ_CALL tqGetTimeBaseSchTable(int row, int column, void* buf, int len);
TQ_API uint32_t TQ_CALL tqSetTimeBaseSchTable(int row, int column, const void* buf, int len);
TQ_API uint32_t TQ_CALL tqGetTimeBaseDayPlanTable(int dayPlan, int event, int column, void* buf,
                                                  int len);
TQ_API uint32_t TQ_CALL tqSetTimeBaseDayPlanTable(int dayPlan, int event, int column,
                                                  const void* buf, int len);
TQ_API uint32_t TQ_CALL tqGetNumActionTableEntries(void* buf, int len); /* 4-byte count */
TQ_API uint32_t TQ_CALL tqGetSchActionTable(int row, void* entry, int len); /* 6-byte ActionEntry */
TQ_API uint32_t TQ_CALL tqSetSchActionTable(int row, const void* entry, int len);

#endif /* TQDMS_TQDMS_H */
