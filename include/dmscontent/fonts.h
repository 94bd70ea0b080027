/*
 * fonts.h - fonts on the sign, and FNT/FNN font files.
 */
#ifndef DMSCONTENT_FONTS_H
#define DMSCONTENT_FONTS_H

#include "common.h"
#include "records.h"

/* Lists the usable fonts of the sign into list; *count is the capacity on
 * entry and the number of entries filled on return. */
DMS_API uint32_t DMS_CALL tqGetFontList(dmsFont* list, uint32_t* count);

/* Uploads font files into font rows 1, 2, ... in order. paths holds *count
 * paths of 255 bytes each (path i at byte 255 * i); *count is the number of
 * fonts sent on return. A non-zero raw sends each file's font number
 * unchanged instead of mapping it to its character code. */
DMS_API uint32_t DMS_CALL tqSendFonts(const char* paths, int32_t* count, int32_t raw);

/* Writes the font of font row `row` (low byte used) into the FNT file
 * folder/fontname. */
DMS_API uint32_t DMS_CALL GetFontFile(int32_t row, const char* folder);

/* Stores in *count the highest font row, counting from 1, that holds a
 * font. Always returns 0. */
DMS_API uint32_t DMS_CALL GetFontFileCount(uint32_t* count);

/* Reads font rows 1..*count into the records details[0..*count-1]. A null
 * trailer or content pointer in a record is filled with a new block that
 * then belongs to the caller. Returns the result of the last font. */
DMS_API uint32_t DMS_CALL GetFontFileDetail(fontDetail** details, int32_t* count);

#endif /* DMSCONTENT_FONTS_H */
