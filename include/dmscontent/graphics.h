/*
 * graphics.h - pictures on the sign, from and to BMP files.
 */
#ifndef DMSCONTENT_GRAPHICS_H
#define DMSCONTENT_GRAPHICS_H

#include "common.h"
#include "records.h"

/* Lists the sign's pictures into pictures; *count is the capacity on entry
 * and the number listed on return (DMS_E_FULL when the sign holds more). When
 * folder names an existing directory each picture is also written as a BMP
 * file named folder, a separator, the row in decimal and ".bmp": the
 * separator is a backslash on Windows ("folder\3.bmp") and a slash on other
 * systems ("folder/3.bmp"). An existing file is kept unless overwrite is
 * non-zero. A folder that is null, empty or not a directory lists without
 * writing files. Pictures are written with palettes that show them: 1 bit
 * lit pixels red on black, 8 bits a ramp of reds, 24 bits as stored. */
DMS_API uint32_t DMS_CALL tqGetPictures(dmsGraphic* pictures, int32_t* count, const char* folder,
                                        int32_t overwrite);

/* Uploads the BMP file at path into graphic row picture->index, with the
 * record's type, transparency, transparent colour and name; height, width
 * and length are filled from the file. BMP files of 1, 4, 8, 16, 24 and 32
 * bits per pixel without compression are read (32-bit pixels are sent as
 * 24-bit ones); rows may be stored bottom-up or top-down.
 * DMS_E_PICTURE_NUMBER when the index is 0 or above the sign's number of
 * graphics, DMS_E_FORMAT for a file that is not such a BMP. */
DMS_API uint32_t DMS_CALL tqSendSinglePicture(const char* path, dmsGraphic* picture);

/* Makes graphic rows 1..G-1 match the list (G: the sign's number of
 * graphics; row G is left alone): row r gets the first picture whose index
 * is r, rows no picture names are emptied (rows in use or permanent stay).
 * paths holds *count paths of 255 bytes each. The interface is the one in
 * the calling thread's slot of the device library. results (may be null)
 * gets each picture's result, -1 for a picture that was not sent (index 0,
 * G or above, or a row an earlier picture took). With results the call
 * answers the last slot that is not DMS_OK (so -1 as 0xFFFFFFFF when a
 * picture was not sent); without, the last upload's result. A failed
 * exchange (DMS_E_FAILED) stops the send. */
DMS_API uint32_t DMS_CALL tqSendAllPicture(const char* paths, int32_t* count, dmsGraphic* pictures,
                                           int32_t* results);

/* Empties graphic row index: DMS_E_IN_USE when it is in use or permanent. */
DMS_API uint32_t DMS_CALL tqDeletePicture(int32_t index);

#endif /* DMSCONTENT_GRAPHICS_H */
