/*
 * tqgeometry.h - extra functions of our device library: the sign's face and
 * pixel matrix, which the 33 boundary functions do not reach.
 *
 * A renderer needs them to draw what the sign will show. They follow the
 * boundary's conventions (4-byte integers, the thread's sign, the journal
 * and injected faults). A content library that must also work with other
 * device libraries looks them up at run time and does without them when
 * they are missing.
 */
#ifndef TQDMS_TQGEOMETRY_H
#define TQDMS_TQGEOMETRY_H

#include "tqdms.h"

/* dmsSignCfg: 3 sign height, 4 sign width (millimetres). */
TQ_API uint32_t TQ_CALL tqGetSignCfg(int object, void* buf, int len);
/* vmsCfg: 1 character height, 2 character width (pixels; 0 variable), 3 sign
 * height, 4 sign width (pixels), 5 horizontal, 6 vertical pitch (mm), 7
 * monochrome colours (6 octets: on red, green, blue, then off). */
TQ_API uint32_t TQ_CALL tqGetVmsCfg(int object, void* buf, int len);

#endif /* TQDMS_TQGEOMETRY_H */
