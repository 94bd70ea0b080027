/*
 * tqnet.h - extra functions of our device library: choosing a sign by name,
 * simulated or reached over SNMP.
 *
 * None of these is needed by the content library; they are for hosts and
 * tools. Signs are named by a URI:
 *
 *   a state file path         a simulated sign kept in that file (created
 *                             with default limits when it does not exist)
 *   snmp://[COMMUNITY@]HOST[:PORT][?version=1|2c|3&timeout=MS&retries=N
 *          &user=NAME&auth=SHA|MD5:KEY&priv=AES|DES:KEY]
 *                             an NTCIP 1203 sign over SNMP. PORT defaults to
 *                             161, COMMUNITY to "public", version to 1,
 *                             timeout to 2000 ms per try, retries to 2.
 *                             A user= means version 3. Characters outside
 *                             the URI's own may be written %XX. SNMPv3 is
 *                             not available in the Windows build.
 *
 * The environment variable TQDMS_SIGN takes the same names.
 *
 * A sign reached over SNMP is opened once per thread: every thread that
 * calls tqDMSInitNotVerify() gets its own session, so threads talking to
 * different signs (or to the same sign) never wait for each other. Each
 * table function becomes one SNMP request, retried as the URI says; a
 * status request (modify, validate, ready for use, not used) returns once
 * the row has left its transitional status or the connection's time
 * (timeout x (retries + 1)) is spent. The thread's stopRequested flag is
 * read between exchanges and between retries.
 *
 * The parameter block
 * -------------------
 * A host that fills the parameter block itself chooses SNMP with
 * transport = TQDMS_TRANSPORT_SNMP: the thread then talks to address:port
 * (port 0: 161), with the block's retries (0..10) and timeout (milliseconds
 * per try; 0 means 2000, more than 60000 means 60000). Community and
 * version come from the environment variables TQDMS_COMMUNITY and
 * TQDMS_SNMP_VERSION (1, 2c or 3), else from a file "tqdms.conf" beside
 * the device library (or the file TQDMS_CONFIG names) with lines
 *     community = NAME
 *     version = 1 | 2c | 3
 *     user = NAME          (version 3)
 *     auth = SHA:KEY       (version 3)
 *     priv = AES:KEY       (version 3)
 * else "public" and version 1. transport = TQDMS_TRANSPORT_SIM (0, what the
 * content library's tqTestInit passes) keeps the simulated sign.
 */
#ifndef TQDMS_TQNET_H
#define TQDMS_TQNET_H

#include "tqdms.h"

#define TQDMS_TRANSPORT_SIM 0
#define TQDMS_TRANSPORT_SNMP 1

/* Makes the sign `uri` names the process's sign (every thread without a
 * sign of its own). TQDMS_E_BAD_VALUE for a name that cannot be used (see
 * tqnetLastError), the state file's code for a broken state file. */
TQ_API uint32_t TQ_CALL tqnetOpen(const char* uri);
/* The same for the calling thread only; its next tqDMSInitNotVerify()
 * binds it there. Closed with tqsimClose() or when the thread ends. */
TQ_API uint32_t TQ_CALL tqnetOpenThread(const char* uri);
/* Why the calling thread's last open failed, as one line of text. Returns
 * the length needed including the NUL (1 when nothing failed). */
TQ_API int TQ_CALL tqnetLastError(char* buf, int len);

#endif /* TQDMS_TQNET_H */
