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

/* Uploads font files (.fnt, .fnn, by extension in any case) into font rows
 * 1, 2, ... in order, after blanking the sign and freeing rows 1..N-1.
 * paths holds *count paths of 255 bytes each (path i at byte 255 * i);
 * *count is the number of fonts sent on return; paths beyond the sign's last
 * font row are skipped. A non-zero raw sends each file's font number
 * unchanged instead of mapping it to its character code (0..15 -> '0'..'?',
 * 16 and up -> +55). DMS_E_FAILED when a row does not free,
 * DMS_E_FONT_FILE when a file cannot be read (fonts before it stay),
 * DMS_E_NO_MEMORY for a count of 0; otherwise the result of the last font
 * written (DMS_E_IN_USE for a row in use or permanent). */
DMS_API uint32_t DMS_CALL tqSendFonts(const char* paths, int32_t* count, int32_t raw);

/* Writes the font of font row `row` (low byte used) into the FNT file
 * folder/fontname (a forward slash whatever the folder uses). Cells are as
 * wide as the widest character; each character stands left-aligned in its
 * cell at its own width. The character and line spacing go into trailer
 * bytes 49 and 50, where the FNT reader takes them. No width table is
 * written, so every character reads back as wide as the widest.
 * DMS_E_ARGUMENT when the row holds no usable font; DMS_E_OPEN_INPUT when
 * the file cannot be written, and (nothing written) when the font name is
 * empty, holds "/", "\", ":" or "..", or makes a path longer than 259
 * characters. */
DMS_API uint32_t DMS_CALL GetFontFile(int32_t row, const char* folder);

/* Stores in *count the highest font row, counting up from 1, before the
 * first row named "def." or " " (or the first failed read). *count is left
 * as it is when no row qualifies. Returns DMS_OK, also without a sign;
 * DMS_E_ARGUMENT only for a null count. */
DMS_API uint32_t DMS_CALL GetFontFileCount(uint32_t* count);

/* Reads font rows 1..*count (at most 255) into the records
 * details[0..*count-1] and reports (result of the font, row) as progress
 * after each. Returns the result of the last font; DMS_E_NO_MEMORY for a
 * null record. A row whose font is named "def." ends that font with DMS_OK:
 * only its name is cleared.
 *
 * For each font: name gets the font name; trailer gets the 64-byte FNT
 * trailer of the font, the character and line spacing in bytes 49 and 50
 * (where the FNT reader takes them) and again in bytes 51 and 52;
 * content->chars gets a new array of 256 fontChar,
 * entry 0 empty, entries 1..255 with code, width and the bitmap in rows of
 * ceil(width / 8) bytes (not packed). No other content field is written.
 *
 * Ownership: every block this function creates belongs to the caller from
 * then on and is never freed or reused by the library:
 *  - a trailer block (64 bytes) or a content block (a zeroed fontContent)
 *    created when the record's pointer was null;
 *  - the chars array and each character's bitmap.
 * All of them come from calloc() of the C runtime the library uses (on
 * Windows msvcrt.dll) and must be released with its free(): each
 * chars[i].bitmap, then chars, then content and trailer. A chars pointer
 * already in content is overwritten, not freed: free it before the call. */
DMS_API uint32_t DMS_CALL GetFontFileDetail(fontDetail** details, int32_t* count);

#endif /* DMSCONTENT_FONTS_H */
