/*
 * messages.h - message documents and message rows.
 *
 * A message document is an XML file with the root "DmsMessage": an "Event"
 * header naming the messages to activate and to show on communications loss
 * and power recovery, and one "Message" element per message, with its pages
 * and their text and graphic elements. Messages become MULTI strings in the
 * sign's message table (changeable, memory type 3, or volatile, 4).
 */
#ifndef DMSCONTENT_MESSAGES_H
#define DMSCONTENT_MESSAGES_H

#include "common.h"
#include "records.h"

/* Loads the message document at path, writes its messages (at most 512) into
 * the sign's message table, giving free numbers to messages whose number is
 * missing or out of range, then applies its event header.
 * The "CMessage" elements of a document saved by tqGetMessage are messages
 * too, read in document order with the "Message" elements: their values
 * written as empty read as 0, their numbers may reach 65535, and their
 * "multi" attribute, when present, is written as the MULTI text instead of
 * one built from their pages. Saved permanent messages are left out (the
 * sign keeps its own). So a saved document puts the messages back. */
DMS_API uint32_t DMS_CALL tqSendMessage(const char* path);

/* Reads the sign's valid messages and its event messages and saves them as
 * a message document at path. Valid volatile messages are saved too (after
 * the changeable ones), and every changeable or volatile message carries its
 * MULTI text as read in a "multi" attribute, so that tqSendMessage can put
 * the document back exactly. Reading the MULTI text into pages keeps the
 * text after a moving text, the code of a hex character behind font tags,
 * and the flashing of text inside a text rectangle that follows other
 * graphics. */
DMS_API uint32_t DMS_CALL tqGetMessage(const char* path);

/* How tqGetMessage reads MULTI texts into pages, for the whole process.
 * DMS_MULTI_DOCUMENTED (the default) is the documented reading, which drops
 * what it cannot place: text after a graphic, colours in index form, page
 * times after other tags and more. DMS_MULTI_FAITHFUL keeps every character
 * and tag: elements take the current font, colour, justification and
 * flashing as a sign does, and tags no element field can hold ("[sc4]",
 * "[fo]", a mid-line "[jl3]" ...) stay as MULTI in the text of a NormalText.
 * tqSendMessage then rebuilds a text the sign shows the same way. A text
 * with a syntax error is read the documented way in either mode.
 * Hosts that cannot call this set DMSCONTENT_MULTI_READING=faithful in the
 * environment; a call here wins over it. Returns DMS_OK, or DMS_E_ARGUMENT
 * for another mode (the setting is then unchanged). */
#define DMS_MULTI_DOCUMENTED 0
#define DMS_MULTI_FAITHFUL 1
DMS_API uint32_t DMS_CALL dmsSetMultiReading(int mode);

/* Defines one message row from entry and applies its event code (1..5);
 * then reads the sign's validation error into validateError and, when it is
 * 5 (MULTI syntax) and syntaxError is not null, the MULTI syntax error. */
DMS_API uint32_t DMS_CALL tqSendSingleMessage(MessageTableEntry* entry, uint32_t* validateError,
                                              uint32_t* syntaxError);

/* Blanks the sign, sends every changeable entry in number order and erases
 * the changeable rows no entry holds. results (may be null), validateErrors
 * and syntaxErrors hold *count values; -1 in results marks an entry that was
 * not sent. */
DMS_API uint32_t DMS_CALL tqSendAllMessage(MessageTableEntry* entries, int32_t* count, int32_t* results,
                                           uint32_t* validateErrors, uint32_t* syntaxErrors);

/* Erases one changeable or volatile message (memory type: low byte used;
 * number: low 16 bits used). */
DMS_API uint32_t DMS_CALL tqDeleteMessage(int32_t memoryType, int32_t number);

/* Reads one message row into entry. */
DMS_API uint32_t DMS_CALL tqGetSingleMessage(int32_t memoryType, int32_t number, MessageTableEntry* entry);

/* Reads every used message row, with its event code, into entries; *count
 * is the capacity on entry and the number of rows filled on return. */
DMS_API uint32_t DMS_CALL tqGetMessages(MessageTableEntry* entries, int32_t* count);

/* Activates the blank message and sets the door-open, communications loss
 * and power recovery messages to blank. */
DMS_API uint32_t DMS_CALL tqClearMessageEvent(void);

/* Reads the sign's last validation error; when it is 5 and syntaxError is not
 * null, also the MULTI syntax error. A null validateError reads nothing. */
DMS_API uint32_t DMS_CALL tqGetMessageErrorDefine(uint32_t* validateError, uint32_t* syntaxError);

#endif /* DMSCONTENT_MESSAGES_H */
