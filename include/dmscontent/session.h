/*
 * session.h - opening the test connection, stopping a running operation,
 * and the diagnostic log.
 */
#ifndef DMSCONTENT_SESSION_H
#define DMSCONTENT_SESSION_H

#include "common.h"

/* Opens the device library with fixed test parameters (sign address
 * 169.254.10.20, port 9520, 19200 baud, 4 retries, timeout 100000) on the
 * calling thread. Always returns DMS_OK, even when the device library
 * refuses. */
DMS_API uint32_t DMS_CALL tqTestInit(void);

/* Asks the device library to stop the running operation; meant to be
 * called from another thread (a UI thread) while a worker thread's export
 * runs. It sets the stop flag of the interface object of every export
 * running at that moment (only the caller's own when called from inside
 * its progress callback); the device library ends that operation at its
 * next exchange, and the export returns the failure. A flag still set when
 * an export ends is withdrawn, so it cannot end the next one.
 * With nothing running, no flag is set: returns DMS_OK when the calling
 * thread has a sign open, else DMS_E_NO_INTERFACE. */
DMS_API uint32_t DMS_CALL tqStop(void);

/* Runs the built-in test sequence against the device library. Returns
 * DMS_OK. */
DMS_API uint32_t DMS_CALL tqForTest(void);

/* Diagnostic lines: "[INFO]", "[WARNING]" or "[ERROR]", a
 * "[MM-DD HH:MM:SS] " stamp, the message, a newline; at most 1023
 * characters. They go to the debugger output on Windows and to standard
 * error elsewhere, unless a sink is set. The sink is called on the thread
 * that logs; pass NULL to restore the default. */
typedef void(DMS_CALL* DmsLogSink)(const char* line, void* context);
DMS_API void DMS_CALL dmsSetLogSink(DmsLogSink sink, void* context);

#endif /* DMSCONTENT_SESSION_H */
