#include "dmscontent/common.h"
#include "tqdms/tqdms.h"

DMS_API const char* DMS_CALL dmsResultText(uint32_t result) {
    switch (result) {
    case DMS_OK: return "success";
    case DMS_E_FAILED: return "a device exchange failed";
    case DMS_E_ARGUMENT: return "a required argument is null, empty or not acceptable";
    case DMS_E_NO_INTERFACE: return "no sign is open on this thread";
    case DMS_E_FONT_FILE: return "a font file has no usable name or cannot be read";
    case DMS_E_NOT_MODIFYING: return "a table row did not enter the modifying state";
    case DMS_E_OPEN_INPUT: return "an input file cannot be opened or parsed";
    case DMS_E_OPEN_OUTPUT: return "an output file cannot be opened for writing";
    case DMS_E_FORMAT: return "an input file's content is not in the expected form";
    case DMS_E_NO_MEMORY: return "memory allocation failed";
    case DMS_E_FULL: return "a fixed-capacity set or the caller's array is full";
    case DMS_E_EMPTY: return "required content is empty or incomplete";
    case DMS_E_MISSING: return "a required XML element or attribute is missing";
    case DMS_E_INVALID: return "a value is out of range, too long or not a known keyword";
    case DMS_E_PICTURE_NUMBER: return "a picture number is 0 or above the sign's maximum";
    case DMS_E_NO_FREE: return "no free message number or table row is left";
    case DMS_E_STATE_TIMEOUT: return "a table row did not reach the requested state";
    case DMS_E_IN_USE: return "the table row is in use or permanent";
    case DMS_E_GRAPHIC_STATUS: return "graphic upload refused on the row's status";
    case DMS_E_MULTI_TOO_LONG: return "a MULTI string is longer than the sign allows";
    case DMS_E_MEMORY_TYPE: return "the memory type is neither changeable nor volatile";
    case DMS_E_UNSUPPORTED: return "the device library cannot read the sign's pixel matrix";
    // Our device library's codes, passed on unchanged.
    case TQDMS_E_NO_SUCH_NAME: return "the sign has no such object, row or column";
    case TQDMS_E_BAD_VALUE: return "the sign refused the value or its length";
    case TQDMS_E_READ_ONLY: return "the sign's object cannot be written";
    case TQDMS_E_GEN_ERR: return "the sign refused the operation";
    case TQDMS_E_AUTH: return "the sign refused the community or the SNMPv3 user, key or level";
    case TQDMS_E_TOO_BIG: return "the sign's answer does not fit the buffer";
    case TQDMS_E_BAD_ANSWER: return "the sign answered with a type or length the object does not have";
    case TQDMS_E_NOT_SUPPORTED: return "the sign does not support this";
    default: return "device error";
    }
}
