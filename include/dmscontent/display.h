/*
 * display.h - showing a text or pictures at once, without a document.
 *
 * Both exports blank the sign, write one changeable message row (the one
 * they used before, found by its owner text, or the first free one) and
 * activate it. sourceAddress (may be null) is a dotted IPv4 text.
 */
#ifndef DMSCONTENT_DISPLAY_H
#define DMSCONTENT_DISPLAY_H

#include "common.h"

/* Shows text (lines end at CR, LF or CR LF) centred in the font named
 * fontName with text colour color, lineCount new lines between lines and
 * columnGap as character spacing. DMS_E_ARGUMENT when the sign has no such
 * font.
 * Brackets in text are shown as they are: they are written into the MULTI
 * text doubled ("[[", "]]"), never read as tags. */
DMS_API uint32_t DMS_CALL tqDisplayText(const char* text, const char* fontName, int32_t color,
                                        int32_t lineCount, int32_t columnGap, const char* sourceAddress);

/* Uploads *count pictures from the BMP file at path and shows them one per
 * page, page i for pageTimes[i] tenths of a second.
 * The graphic rows it takes, in this order: rows that are free or hold the
 * pictures its own message shows (from an earlier call), in row order; then,
 * only when those run out, rows holding other ready pictures, in row order.
 * Rows in use or permanent are never taken; DMS_E_IN_USE when no row is
 * left. */
DMS_API uint32_t DMS_CALL tqDisplayPictures(const char* path, const int32_t* pageTimes, int32_t* count,
                                            const char* sourceAddress);

#endif /* DMSCONTENT_DISPLAY_H */
