/*
 * dmscontent.h - the content library for NTCIP 1203 dynamic message signs.
 *
 * Include this one header. A sign must be open on the calling thread (through
 * the device library, or tqTestInit) before the exports that talk to it are
 * called; they answer DMS_E_NO_INTERFACE (3) otherwise.
 */
#ifndef DMSCONTENT_DMSCONTENT_H
#define DMSCONTENT_DMSCONTENT_H

#include "common.h"
#include "records.h"
#include "session.h"
#include "clock.h"
#include "messages.h"
#include "display.h"
#include "fonts.h"
#include "graphics.h"
#include "schedules.h"
#include "render.h"
#include <dmscontent/version.h>

#endif /* DMSCONTENT_DMSCONTENT_H */
