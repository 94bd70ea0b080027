/*
 * records.h - the fixed-layout host records. They live in host memory and
 * are only read or filled by the library. All are packed, little-endian.
 * Records holding pointers have their documented layout on 32-bit builds.
 */
#ifndef DMSCONTENT_RECORDS_H
#define DMSCONTENT_RECORDS_H

#include <stddef.h>
#include <stdint.h>

#if defined(__cplusplus)
#define DMS_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define DMS_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define DMS_32BIT_LAYOUT 1
#else
#define DMS_32BIT_LAYOUT 0
#endif

#pragma pack(push, 1)

/* One row of the sign's message table as the host sees it (1144 bytes). */
typedef struct MessageTableEntry {
    uint32_t host;          /*   0 the host's own, not used by the library */
    uint8_t memoryType;     /*   4 2 permanent, 3 changeable, 4 volatile, 5 current buffer,
                                   6 schedule, 7 blank */
    uint8_t beacon;         /*   5 */
    uint8_t pixelService;   /*   6 */
    uint8_t priority;       /*   7 run-time priority */
    uint16_t crc;           /*   8 message CRC */
    uint16_t number;        /*  10 message number */
    uint8_t status;         /*  12 message status as read from the sign */
    uint8_t eventCode;      /*  13 0 none, 1 activate, 2 door open, 3 communications loss,
                                   4 short power loss, 5 long power loss */
    uint16_t multiLength;   /*  14 length of the MULTI text */
    char owner[64];         /*  16 NUL-terminated */
    char multi[1064];       /*  80 NUL-terminated */
} MessageTableEntry;

/* A font as the host and the library exchange it (328 bytes). */
typedef struct dmsFont {
    uint8_t row;            /*   0 font table row (font index) */
    uint8_t number;         /*   1 font number as stored in the table */
    uint8_t height;         /*   2 */
    uint8_t charSpacing;    /*   3 */
    uint8_t lineSpacing;    /*   4 */
    uint8_t unused;         /*   5 */
    uint16_t versionId;     /*   6 listing only */
    char name[64];          /*   8 NUL-terminated */
    char path[256];         /*  72 font file path, sending only */
} dmsFont;

/* One character of a font in memory (8 bytes on 32-bit builds). */
typedef struct fontChar {
    uint16_t code;          /*   0 */
    uint16_t width;         /*   2 pixels */
    uint8_t* bitmap;        /*   4 packed rows, or NULL */
} fontChar;

/* One font in memory (94 bytes on 32-bit builds). */
typedef struct fontContent {
    uint16_t height;        /*   0 */
    uint16_t width;         /*   2 nominal width */
    uint32_t cellSize;      /*   4 height x bytes per cell row */
    char name[64];          /*   8 NUL-terminated, zero-filled */
    uint32_t number;        /*  72 font number value */
    uint32_t charCount;     /*  76 */
    uint32_t firstCode;     /*  80 always 0 */
    void* reserved;         /*  84 always NULL */
    fontChar* chars;        /*  88 */
    uint8_t charSpacing;    /*  92 */
    uint8_t lineSpacing;    /*  93 */
} fontContent;

/* Host-supplied record of GetFontFileDetail (72 bytes on 32-bit builds). */
typedef struct fontDetail {
    char name[64];          /*   0 */
    uint8_t* trailer;       /*  64 64-byte FNT trailer image */
    fontContent* content;   /*  68 */
} fontDetail;

/* A picture as the host and the library exchange it (88 bytes). */
typedef struct dmsGraphic {
    uint32_t fileLength;        /*   0 bitmap length, filled by the listing when it writes files */
    uint8_t index;              /*   4 graphic row, also sent as the graphic number */
    uint8_t type;               /*   5 1 monochrome1bit, 2 monochrome8bit, 3 colorClassic,
                                       4 color24bit */
    uint8_t transparent;        /*   6 transparency enabled */
    uint8_t status;             /*   7 listing only */
    uint16_t height;            /*   8 pixels */
    uint16_t width;             /*  10 pixels */
    uint16_t id;                /*  12 listing only */
    uint16_t unused;            /*  14 */
    uint32_t length;            /*  16 bitmap length, filled by the upload */
    uint32_t transparentColor;  /*  20 */
    char name[64];              /*  24 NUL-terminated */
} dmsGraphic;

/* One showing of a message on a timetable (20 bytes). */
typedef struct ScheduleItem {
    uint32_t itemSize;      /*   0 20 in listed items; not read on input */
    uint16_t dayPlan;       /*   4 */
    uint16_t month;         /*   6 bits 1..12 = January..December */
    uint8_t day;            /*   8 bits 1..7 = Sunday..Saturday */
    uint8_t hour;           /*   9 */
    uint8_t minute;         /*  10 */
    uint8_t memoryType;     /*  11 */
    uint32_t date;          /*  12 bits 1..31 = days of the month */
    uint16_t messageNumber; /*  16 */
    uint16_t crc;           /*  18 */
} ScheduleItem;

/* One row of the time-base schedule table (20 bytes). */
typedef struct TimeBaseSchedule {
    uint32_t reserved0;     /*   0 neither read nor written */
    uint16_t dayPlan;       /*   4 */
    uint16_t month;         /*   6 */
    uint8_t day;            /*   8 */
    uint8_t reserved9[3];   /*   9 */
    uint32_t date;          /*  12 */
    uint32_t reserved16;    /*  16 */
} TimeBaseSchedule;

#pragma pack(pop)

DMS_STATIC_ASSERT(sizeof(MessageTableEntry) == 1144, "MessageTableEntry size");
DMS_STATIC_ASSERT(offsetof(MessageTableEntry, crc) == 8, "MessageTableEntry crc");
DMS_STATIC_ASSERT(offsetof(MessageTableEntry, eventCode) == 13, "MessageTableEntry event code");
DMS_STATIC_ASSERT(offsetof(MessageTableEntry, owner) == 16, "MessageTableEntry owner");
DMS_STATIC_ASSERT(offsetof(MessageTableEntry, multi) == 80, "MessageTableEntry multi");
DMS_STATIC_ASSERT(sizeof(dmsFont) == 328, "dmsFont size");
DMS_STATIC_ASSERT(offsetof(dmsFont, versionId) == 6, "dmsFont version id");
DMS_STATIC_ASSERT(offsetof(dmsFont, name) == 8, "dmsFont name");
DMS_STATIC_ASSERT(offsetof(dmsFont, path) == 72, "dmsFont path");
DMS_STATIC_ASSERT(sizeof(dmsGraphic) == 88, "dmsGraphic size");
DMS_STATIC_ASSERT(offsetof(dmsGraphic, length) == 16, "dmsGraphic length");
DMS_STATIC_ASSERT(offsetof(dmsGraphic, name) == 24, "dmsGraphic name");
DMS_STATIC_ASSERT(sizeof(ScheduleItem) == 20, "ScheduleItem size");
DMS_STATIC_ASSERT(offsetof(ScheduleItem, date) == 12, "ScheduleItem date");
DMS_STATIC_ASSERT(offsetof(ScheduleItem, crc) == 18, "ScheduleItem crc");
DMS_STATIC_ASSERT(sizeof(TimeBaseSchedule) == 20, "TimeBaseSchedule size");
DMS_STATIC_ASSERT(offsetof(TimeBaseSchedule, date) == 12, "TimeBaseSchedule date");
#if DMS_32BIT_LAYOUT
DMS_STATIC_ASSERT(sizeof(fontChar) == 8, "fontChar size");
DMS_STATIC_ASSERT(offsetof(fontContent, name) == 8, "fontContent name");
DMS_STATIC_ASSERT(offsetof(fontContent, number) == 72, "fontContent number");
DMS_STATIC_ASSERT(offsetof(fontContent, reserved) == 84, "fontContent reserved");
DMS_STATIC_ASSERT(offsetof(fontContent, chars) == 88, "fontContent chars");
DMS_STATIC_ASSERT(offsetof(fontContent, charSpacing) == 92, "fontContent spacing");
DMS_STATIC_ASSERT(sizeof(fontContent) == 94, "fontContent size");
DMS_STATIC_ASSERT(offsetof(fontDetail, trailer) == 64, "fontDetail trailer");
DMS_STATIC_ASSERT(offsetof(fontDetail, content) == 68, "fontDetail content");
DMS_STATIC_ASSERT(sizeof(fontDetail) == 72, "fontDetail size");
#endif

#endif /* DMSCONTENT_RECORDS_H */
