/*
 * render.h - what the sign will show: a MULTI text drawn as the sign would
 * draw it, one page and frame at a time, into the host's RGB buffer.
 *
 * Both calls read the sign the calling thread talks to: its pixel matrix
 * (through the device library's tqGetVmsCfg, tqdms/tqgeometry.h), colour
 * scheme and MULTI defaults, the fonts the text can use (the default font
 * and those its [fo] tags name; all of them when it has moving text) and
 * the pictures its [g] tags name. Nothing is cached: each call reads afresh,
 * which over a network takes a request per character of each font read.
 *
 * Pages and frames count from 1. A page that flashes has two frames, its
 * flash's on frame (1) and off frame (2); any other page has one. The
 * buffer holds width x height pixels, rows top first, 3 bytes a pixel (red,
 * green, blue).
 */
#ifndef DMSCONTENT_RENDER_H
#define DMSCONTENT_RENDER_H

#include "common.h"
#include "records.h"

#pragma pack(push, 1)

/* The size and times of a page of a rendered message (40 bytes). */
typedef struct dmsRenderInfo {
    int32_t width;              /*  0 pixels */
    int32_t height;             /*  4 pixels */
    int32_t pages;              /*  8 pages of the message; 0 when it does not render */
    int32_t frames;             /* 12 frames of the page asked: 1, or 2 when it flashes */
    int32_t pageOnTime;         /* 16 tenths of a second */
    int32_t pageOffTime;        /* 20 */
    int32_t flashOnTime;        /* 24 0 when the page does not flash */
    int32_t flashOffTime;       /* 28 */
    int32_t multiError;         /* 32 dmsMultiSyntaxError: 2 (none) when the text renders */
    int32_t multiErrorPosition; /* 36 the byte of the text it concerns, from 0 */
} dmsRenderInfo;

#pragma pack(pop)

DMS_STATIC_ASSERT(sizeof(dmsRenderInfo) == 40, "dmsRenderInfo size");
DMS_STATIC_ASSERT(offsetof(dmsRenderInfo, multiError) == 32, "dmsRenderInfo error");

/* Fills info for page `page` of multi (NUL-terminated): the buffer a frame
 * needs is width x height x 3 bytes. Returns DMS_OK; DMS_E_ARGUMENT for a
 * null multi or info; DMS_E_FORMAT when the text does not render on the
 * sign (info then holds the size, multiError and multiErrorPosition, as a
 * sign would report them, for example textTooBig 5 at the first character
 * that does not fit); DMS_E_INVALID for a page outside 1..pages (info holds
 * the pages); DMS_E_UNSUPPORTED when the device library cannot read the
 * pixel matrix; the device's code when a read fails. */
DMS_API uint32_t DMS_CALL dmsRenderSize(const char* multi, int32_t page, dmsRenderInfo* info);

/* Draws frame `frame` of page `page` of multi into rgb, which holds `size`
 * bytes, and fills info as dmsRenderSize does. Beyond dmsRenderSize's
 * results: DMS_E_ARGUMENT for a null rgb, DMS_E_INVALID for a frame
 * outside 1..frames, DMS_E_FULL when size is below width x height x 3.
 * The buffer is written only on DMS_OK. */
DMS_API uint32_t DMS_CALL dmsRenderMessage(const char* multi, int32_t page, int32_t frame, uint8_t* rgb,
                                           uint32_t size, dmsRenderInfo* info);

#endif /* DMSCONTENT_RENDER_H */
