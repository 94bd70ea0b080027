/*
 * graphics.h - pictures on the sign, from and to BMP files.
 */
#ifndef DMSCONTENT_GRAPHICS_H
#define DMSCONTENT_GRAPHICS_H

#include "common.h"
#include "records.h"

/* Lists the sign's pictures into pictures; *count is the capacity on entry
 * and the number listed on return. When folder names an existing directory
 * each picture is also written as the BMP file folder/<row>.bmp (an existing
 * file is kept unless overwrite is non-zero). */
DMS_API uint32_t DMS_CALL tqGetPictures(dmsGraphic* pictures, int32_t* count, const char* folder,
                                        int32_t overwrite);

/* Uploads the BMP file at path into graphic row picture->index. */
DMS_API uint32_t DMS_CALL tqSendSinglePicture(const char* path, dmsGraphic* picture);

/* Makes graphic rows 1..G-1 match the list: row r gets the first picture
 * whose index is r, rows no picture names are emptied. paths holds *count
 * paths of 255 bytes each; results (may be null) gets each picture's
 * result, -1 for a picture that was not sent. */
DMS_API uint32_t DMS_CALL tqSendAllPicture(const char* paths, int32_t* count, dmsGraphic* pictures,
                                           int32_t* results);

/* Empties graphic row index. */
DMS_API uint32_t DMS_CALL tqDeletePicture(int32_t index);

#endif /* DMSCONTENT_GRAPHICS_H */
