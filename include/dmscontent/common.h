/*
 * common.h - export macro, calling convention and result codes shared by
 * every dmscontent header.
 *
 * Every export returns a 32-bit result code: DMS_OK for success, one of the
 * DMS_E_* codes below, or a device library result passed on unchanged.
 */
#ifndef DMSCONTENT_COMMON_H
#define DMSCONTENT_COMMON_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define DMS_CALL __stdcall
#else
#define DMS_CALL
#endif

#ifdef __cplusplus
#define DMS_EXTERN_C extern "C"
#else
#define DMS_EXTERN_C
#endif

#if defined(_WIN32)
/* The export table is fixed by the library's module definition file. */
#define DMS_API DMS_EXTERN_C
#else
#define DMS_API DMS_EXTERN_C __attribute__((visibility("default")))
#endif

/* Result codes of the library. */
#define DMS_OK 0u
#define DMS_E_FAILED 1u             /* a device exchange failed reading the message table; a font row
                                       that did not become free; a failed character write */
#define DMS_E_ARGUMENT 2u           /* a required argument is null or empty (and other cases named
                                       by each function) */
#define DMS_E_NO_INTERFACE 3u       /* no sign is open on this thread (GetIf returned null) */
#define DMS_E_FONT_FILE 258u        /* a font file path without a usable name, or an unreadable font file */
#define DMS_E_NOT_MODIFYING 259u    /* a message or graphic row did not enter the modifying state */
#define DMS_E_OPEN_INPUT 32513u     /* an input file fails to open or parse; a font output file cannot
                                       be created */
#define DMS_E_OPEN_OUTPUT 32514u    /* an output file fails to open for writing */
#define DMS_E_FORMAT 32515u         /* an input file's content is not in the expected form */
#define DMS_E_NO_MEMORY 32516u      /* memory allocation failed */
#define DMS_E_FULL 32517u           /* a fixed-capacity set or the caller's array is full */
#define DMS_E_EMPTY 32518u          /* required content is empty or incomplete */
#define DMS_E_MISSING 32519u        /* a required XML element or attribute is missing */
#define DMS_E_INVALID 32520u        /* a value is out of range, too long or not a known keyword */
#define DMS_E_PICTURE_NUMBER 32521u /* a picture number is 0 or above the sign's maximum */
#define DMS_E_NO_FREE 32522u        /* no free message number or table row is left */
#define DMS_E_STATE_TIMEOUT 32523u  /* a table row did not reach the requested state */
#define DMS_E_IN_USE 32525u         /* the table row is in use or permanent */
#define DMS_E_GRAPHIC_STATUS 32526u /* graphic upload refused on the row's status */
#define DMS_E_MULTI_TOO_LONG 32527u /* a MULTI string is longer than the sign allows */
#define DMS_E_MEMORY_TYPE 32529u    /* the memory type is neither changeable (3) nor volatile (4) */
#define DMS_E_UNSUPPORTED 32530u    /* the device library cannot tell what the call needs (the sign's
                                       pixel matrix: tqGetVmsCfg of tqdms/tqgeometry.h) */

/* A short English text for a result code. The codes of our device library
 * (TQDMS_E_* in tqdms/tqdms.h) have their own texts; other device codes get
 * a generic text.
 * The text is static and must not be freed. */
DMS_API const char* DMS_CALL dmsResultText(uint32_t result);

/* The library's version, "MAJOR.MINOR.PATCH" (semantic versioning; the
 * headers' own is DMSCONTENT_VERSION in dmscontent/version.h). The text is
 * static and must not be freed. */
DMS_API const char* DMS_CALL dmsVersion(void);

#endif /* DMSCONTENT_COMMON_H */
