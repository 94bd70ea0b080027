/*
 * tqsim.h - extra functions of our device library: choosing the sign, and the
 * test facilities (call journal, fault injection, direct state access).
 *
 * None of these is needed by the content library; they are for hosts, tools
 * and tests. All texts exchanged here are JSON.
 *
 * Opening a sign
 * --------------
 * A process has one shared sign. tqsimOpen() or tqsimOpenMemory() makes a
 * simulated sign the process's sign; tqDMSInitNotVerify() (for example
 * through the content library's tqTestInit) then binds the calling thread to
 * it, after which GetIf() returns that thread's interface object. When no
 * sign is open, tqDMSInitNotVerify() opens the state file named by the
 * environment variable TQDMS_SIGN, or else an in-memory sign with default
 * limits.
 *
 * A thread may open a sign of its own with tqsimOpenThread() or
 * tqsimOpenMemoryThread(): its next tqDMSInitNotVerify() binds it to that
 * sign, and the other threads do not see it. Each sign has its own lock, so
 * threads driving different signs run side by side. A thread's own sign is
 * closed (and saved, when kept in a file) when the thread ends or calls
 * tqsimClose().
 *
 * tqsimSave, tqsimClose, tqsimGetState and tqsimPatchState act on the
 * calling thread's own sign when it has one, else on the process's sign.
 *
 * Call journal
 * ------------
 * Every call of the 30 table functions is recorded while the journal is on
 * (it is on by default, capped at TQSIM_JOURNAL_MAX entries): function name,
 * integer arguments, buffer length, bytes written (for a set) or read (for a
 * get) as hex, result, and whether a fault produced it.
 *
 * Faults
 * ------
 * tqsimAddFault() takes a JSON object:
 *   "fn"      function name, or "*" for any of the 30 table functions
 *   "args"    optional array matched against the leading integer arguments;
 *             null elements match anything
 *   "nth"     fire from the nth matching call on (1-based, counted from when
 *             the fault was added; default 1)
 *   "times"   how many matching calls fire (default 1; -1 = for ever)
 *   "result"  the result to return (default 1, or 0 with reply/swallow)
 *   "reply"   hex bytes to return in the buffer of a get instead of asking
 *             the sign (the rest of the buffer is zeroed)
 *   "swallow" true: a set returns "result" without reaching the sign, so a
 *             status request can be made to stick
 * A firing fault never reaches the sign: its state is unchanged.
 *
 * Stop flag
 * ---------
 * When a call finds stopRequested set in its thread's interface object, the
 * flag is cleared and that call fails with TQDMS_E_EXCHANGE without reaching
 * the sign. The flag may be set from another thread; it is read and cleared
 * atomically.
 *
 * The journal and the fault table are per process: they see the calls of
 * every thread and every sign.
 */
#ifndef TQDMS_TQSIM_H
#define TQDMS_TQSIM_H

#include "tqdms.h"

#define TQSIM_JOURNAL_MAX 100000

/* Loads (or, when the file does not exist, creates with default limits) the
 * simulated sign kept in a JSON state file and makes it current.
 * 0, or TQDMS_E_BAD_VALUE when the file is not a sign state. */
TQ_API uint32_t TQ_CALL tqsimOpen(const char* stateFile);
/* Makes a new in-memory simulated sign current. json may be NULL (defaults)
 * or a state object whose members override the defaults (JSON merge patch). */
TQ_API uint32_t TQ_CALL tqsimOpenMemory(const char* json);
/* The same, for the calling thread only (see "Opening a sign"). */
TQ_API uint32_t TQ_CALL tqsimOpenThread(const char* stateFile);
TQ_API uint32_t TQ_CALL tqsimOpenMemoryThread(const char* json);
/* Writes the current sign's state to path, or to its own state file when
 * path is NULL. 0, TQDMS_E_GEN_ERR when it cannot be written. */
TQ_API uint32_t TQ_CALL tqsimSave(const char* path);
/* Closes the current sign. Every thread bound to it loses its connection:
 * GetIf() returns NULL and device calls fail with TQDMS_E_EXCHANGE. */
TQ_API void TQ_CALL tqsimClose(void);

/* Copies the current sign's state as JSON into buf (NUL-terminated, cut to
 * len). Returns the length the whole text needs including its NUL, 0 without
 * a current sign. */
TQ_API int TQ_CALL tqsimGetState(char* buf, int len);
/* Applies a JSON merge patch to the state (tables, limits, clock, sign
 * control, profile).
 * 0, or TQDMS_E_BAD_VALUE when the text or the result is not a valid state. */
TQ_API uint32_t TQ_CALL tqsimPatchState(const char* json);

/* Fault injection, see above. 0, or TQDMS_E_BAD_VALUE for a bad fault text. */
TQ_API uint32_t TQ_CALL tqsimAddFault(const char* json);
TQ_API void TQ_CALL tqsimClearFaults(void);

/* Journal: copies a JSON array of the recorded calls into buf; returns the
 * length needed including the NUL. */
TQ_API int TQ_CALL tqsimGetJournal(char* buf, int len);
TQ_API void TQ_CALL tqsimClearJournal(void);
/* Turns recording on (non-zero) or off. */
TQ_API void TQ_CALL tqsimSetJournal(int on);
/* Number of calls recorded so far. */
TQ_API int TQ_CALL tqsimJournalCount(void);

#endif /* TQDMS_TQSIM_H */
