/*
 * ntcip.h - the protocol's names: the NTCIP 1203 (dynamic message signs)
 * and NTCIP 1201 (global objects) objects, table columns, status values and
 * error numbers that the device boundary's integer arguments carry, with the
 * object identifier arcs behind them.
 *
 * The object, column and definition numbers below are the last arc of the
 * object identifiers, so a boundary call maps to its OID mechanically:
 *   scalar  <group arcs>.<object>.0
 *   cell    <table entry arcs>.<column>.<index>...
 * Shared by the content library, the simulated sign and the SNMP code.
 */
#ifndef TQDMS_NTCIP_H
#define TQDMS_NTCIP_H

/* ---- Object identifier roots -------------------------------------------- */

/* nema = 1.3.6.1.4.1.1206; devices = nema.4.2 */
#define NTCIP_NEMA_ARCS 1, 3, 6, 1, 4, 1, 1206
#define NTCIP_DEVICES_ARCS NTCIP_NEMA_ARCS, 4, 2
/* global = devices.6 (NTCIP 1201); dms = devices.3 (NTCIP 1203) */
#define NTCIP_GLOBAL_ARCS NTCIP_DEVICES_ARCS, 6
#define NTCIP_DMS_ARCS NTCIP_DEVICES_ARCS, 3

/* Groups under dms. */
enum NtcipDmsGroup {
    NTCIP_DMS_SIGN_CFG = 1,      /* dmsSignCfg: geometry */
    NTCIP_DMS_VMS_CFG = 2,       /* vmsCfg: pixels */
    NTCIP_DMS_FONT = 3,          /* fontDefinition */
    NTCIP_DMS_MULTI_CFG = 4,     /* multiCfg */
    NTCIP_DMS_MESSAGE = 5,       /* dmsMessage */
    NTCIP_DMS_SIGN_CONTROL = 6,  /* signControl */
    NTCIP_DMS_SCHEDULE = 8,      /* dmsSchedule: action table */
    NTCIP_DMS_STATUS = 9,        /* dmsStatus */
    NTCIP_DMS_GRAPHIC = 10       /* graphicDefinition */
};

/* Groups under global. */
enum NtcipGlobalGroup {
    NTCIP_GLOBAL_CONFIGURATION = 1, /* globalConfiguration: module table */
    NTCIP_GLOBAL_TIME = 3           /* globalTimeManagement */
};

/* ---- Time (global.3) ------------------------------------------------------ */

enum NtcipGlobalTimeObject {
    NTCIP_GLOBAL_TIME_SECONDS = 1,           /* globalTime: Counter32, since 1970 UTC */
    NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL = 5 /* seconds east of UTC */
};

/* global.3.3: timeBase. Scalars and the two tables. */
#define NTCIP_TIME_BASE_GROUP 3
enum NtcipTimeBaseObject {
    NTCIP_MAX_TIME_BASE_SCHEDULE_ENTRIES = 1,
    NTCIP_TIME_BASE_SCHEDULE_TABLE = 2,      /* entry = .1 */
    NTCIP_MAX_DAY_PLANS = 3,
    NTCIP_MAX_DAY_PLAN_EVENTS = 4,
    NTCIP_TIME_BASE_DAY_PLAN_TABLE = 5       /* entry = .1 */
};

/* timeBaseScheduleTable columns (index: row). */
enum NtcipScheduleColumn {
    NTCIP_SCHEDULE_NUMBER = 1,
    NTCIP_SCHEDULE_MONTH = 2,    /* bits 1..12 = January..December */
    NTCIP_SCHEDULE_DAY = 3,      /* bits 1..7 = Sunday..Saturday */
    NTCIP_SCHEDULE_DATE = 4,     /* bits 1..31 = day of the month */
    NTCIP_SCHEDULE_DAY_PLAN = 5  /* 0 = row not in use */
};

/* timeBaseDayPlanTable columns (index: day plan, event). */
enum NtcipDayPlanColumn {
    NTCIP_DAY_PLAN_NUMBER = 1,
    NTCIP_DAY_PLAN_EVENT_NUMBER = 2,
    NTCIP_DAY_PLAN_HOUR = 3,
    NTCIP_DAY_PLAN_MINUTE = 4,
    NTCIP_DAY_PLAN_ACTION = 5  /* OBJECT IDENTIFIER of the action; ".0" = none */
};

/* ---- Actions (dms.8) ----------------------------------------------------- */

enum NtcipScheduleObject {
    NTCIP_NUM_ACTION_TABLE_ENTRIES = 1,
    NTCIP_ACTION_TABLE = 2  /* entry = .1 */
};
enum NtcipActionColumn {
    NTCIP_ACTION_INDEX = 1,
    NTCIP_ACTION_MSG_CODE = 2  /* 5-byte message ID code */
};
/* The text a day plan event names action row N with: prefix then N. */
#define NTCIP_ACTION_OID_PREFIX ".1.3.6.1.4.1.1206.4.2.3.8.2.1.1."

/* ---- Fonts (dms.3) ------------------------------------------------------- */

enum NtcipFontObject {
    NTCIP_NUM_FONTS = 1,
    NTCIP_FONT_TABLE = 2,              /* entry = .1 */
    NTCIP_MAX_FONT_CHARACTERS = 3,
    NTCIP_CHARACTER_TABLE = 4,         /* entry = .1 */
    NTCIP_FONT_MAX_CHARACTER_SIZE = 5
};
enum NtcipFontColumn {
    NTCIP_FONT_INDEX = 1,
    NTCIP_FONT_NUMBER = 2,
    NTCIP_FONT_NAME = 3,
    NTCIP_FONT_HEIGHT = 4,
    NTCIP_FONT_CHAR_SPACING = 5,
    NTCIP_FONT_LINE_SPACING = 6,
    NTCIP_FONT_VERSION_ID = 7,
    NTCIP_FONT_STATUS = 8
};
enum NtcipCharacterColumn {
    NTCIP_CHARACTER_NUMBER = 1,
    NTCIP_CHARACTER_WIDTH = 2,
    NTCIP_CHARACTER_BITMAP = 3  /* rows top first, bits most significant first, no row padding */
};
enum NtcipFontStatus {
    NTCIP_FONT_NOT_USED = 1,
    NTCIP_FONT_MODIFYING = 2,
    NTCIP_FONT_CALCULATING_ID = 3,
    NTCIP_FONT_READY_FOR_USE = 4,
    NTCIP_FONT_IN_USE = 5,
    NTCIP_FONT_PERMANENT = 6,
    NTCIP_FONT_MODIFY_REQ = 7,
    NTCIP_FONT_READY_FOR_USE_REQ = 8,
    NTCIP_FONT_NOT_USED_REQ = 9,
    NTCIP_FONT_UNMANAGED_REQ = 10,
    NTCIP_FONT_UNMANAGED = 11
};

/* ---- MULTI configuration (dms.4) and sign geometry (dms.1, dms.2) -------- */

enum NtcipMultiCfgObject {
    NTCIP_DEFAULT_BACKGROUND_COLOR = 1,
    NTCIP_DEFAULT_FOREGROUND_COLOR = 2,
    NTCIP_DEFAULT_FLASH_ON = 3,
    NTCIP_DEFAULT_FLASH_OFF = 4,
    NTCIP_DEFAULT_FONT = 5,
    NTCIP_DEFAULT_JUSTIFICATION_LINE = 6,
    NTCIP_DEFAULT_JUSTIFICATION_PAGE = 7,
    NTCIP_DEFAULT_PAGE_ON_TIME = 8,
    NTCIP_DEFAULT_PAGE_OFF_TIME = 9,
    NTCIP_DMS_COLOR_SCHEME = 11,
    NTCIP_DEFAULT_BACKGROUND_RGB = 12,
    NTCIP_DEFAULT_FOREGROUND_RGB = 13,
    NTCIP_DMS_SUPPORTED_MULTI_TAGS = 14,  /* OCTET STRING */
    NTCIP_DMS_MAX_NUMBER_PAGES = 15,
    NTCIP_DMS_MAX_MULTI_STRING_LENGTH = 16
};
enum NtcipSignCfgObject {
    NTCIP_DMS_SIGN_HEIGHT = 3,  /* mm */
    NTCIP_DMS_SIGN_WIDTH = 4
};
enum NtcipVmsCfgObject {
    NTCIP_VMS_CHARACTER_HEIGHT_PIXELS = 1,
    NTCIP_VMS_CHARACTER_WIDTH_PIXELS = 2,  /* 0 = variable */
    NTCIP_VMS_SIGN_HEIGHT_PIXELS = 3,
    NTCIP_VMS_SIGN_WIDTH_PIXELS = 4,
    NTCIP_VMS_HORIZONTAL_PITCH = 5,
    NTCIP_VMS_VERTICAL_PITCH = 6,
    NTCIP_MONOCHROME_COLOR = 7  /* 6 octets: on red, green, blue, then off red, green, blue */
};
/* defaultJustificationLine and defaultJustificationPage values. */
enum NtcipJustificationLine {
    NTCIP_JUSTIFICATION_LINE_OTHER = 1,
    NTCIP_JUSTIFICATION_LINE_LEFT = 2,
    NTCIP_JUSTIFICATION_LINE_CENTER = 3,
    NTCIP_JUSTIFICATION_LINE_RIGHT = 4,
    NTCIP_JUSTIFICATION_LINE_FULL = 5
};
enum NtcipJustificationPage {
    NTCIP_JUSTIFICATION_PAGE_OTHER = 1,
    NTCIP_JUSTIFICATION_PAGE_TOP = 2,
    NTCIP_JUSTIFICATION_PAGE_MIDDLE = 3,
    NTCIP_JUSTIFICATION_PAGE_BOTTOM = 4
};
/* dmsColorScheme takes the graphic type numbers (NtcipGraphicType below):
 * 1 monochrome1bit, 2 monochrome8bit, 3 colorClassic, 4 color24bit. */
/* dmsSupportedMultiTags (dms.4.14.0): one bit per tag. Bit n is held in
 * octet n / 8 of the OCTET STRING with the value 1 << (n % 8), so bit 0 is
 * the least significant bit of the first octet. */
enum NtcipMultiTagBit {
    NTCIP_TAG_COLOR_BACKGROUND = 0,   /* [cb] */
    NTCIP_TAG_COLOR_FOREGROUND = 1,   /* [cf] */
    NTCIP_TAG_FLASHING = 2,           /* [fl] */
    NTCIP_TAG_FONT = 3,               /* [fo] */
    NTCIP_TAG_GRAPHIC = 4,            /* [g] */
    NTCIP_TAG_HOT_SPOT = 5,           /* [hc] */
    NTCIP_TAG_JUSTIFICATION_LINE = 6, /* [jl] */
    NTCIP_TAG_JUSTIFICATION_PAGE = 7, /* [jp] */
    NTCIP_TAG_MANUFACTURER = 8,       /* [ms] */
    NTCIP_TAG_MOVING_TEXT = 9,        /* [mv] */
    NTCIP_TAG_NEW_LINE = 10,          /* [nl] */
    NTCIP_TAG_NEW_PAGE = 11,          /* [np] */
    NTCIP_TAG_PAGE_TIME = 12,         /* [pt] */
    NTCIP_TAG_SPACING_CHARACTER = 13, /* [sc] */
    NTCIP_TAG_FIELD_FIRST = 14,       /* [f1] .. [f13]: bits 14 .. 26 */
    NTCIP_TAG_FIELD_LAST = 26,
    NTCIP_TAG_TEXT_RECTANGLE = 27,    /* [tr] */
    NTCIP_TAG_COLOR_RECTANGLE = 28,   /* [cr] */
    NTCIP_TAG_PAGE_BACKGROUND = 29    /* [pb] */
};

/* ---- Messages (dms.5) ---------------------------------------------------- */

enum NtcipMessageObject {
    NTCIP_NUM_PERMANENT_MSG = 1,
    NTCIP_NUM_CHANGEABLE_MSG = 2,
    NTCIP_MAX_CHANGEABLE_MSG = 3,
    NTCIP_FREE_CHANGEABLE_MEMORY = 4,
    NTCIP_NUM_VOLATILE_MSG = 5,
    NTCIP_MAX_VOLATILE_MSG = 6,
    NTCIP_FREE_VOLATILE_MEMORY = 7,
    NTCIP_MESSAGE_TABLE = 8,              /* entry = .1 */
    NTCIP_VALIDATE_MESSAGE_ERROR = 9
};
enum NtcipMemoryType {
    NTCIP_MEM_OTHER = 1,
    NTCIP_MEM_PERMANENT = 2,
    NTCIP_MEM_CHANGEABLE = 3,
    NTCIP_MEM_VOLATILE = 4,
    NTCIP_MEM_CURRENT_BUFFER = 5,
    NTCIP_MEM_SCHEDULE = 6,
    NTCIP_MEM_BLANK = 7
};
enum NtcipMessageColumn {
    NTCIP_MSG_MEMORY_TYPE = 1,
    NTCIP_MSG_NUMBER = 2,
    NTCIP_MSG_MULTI_STRING = 3,
    NTCIP_MSG_OWNER = 4,
    NTCIP_MSG_CRC = 5,
    NTCIP_MSG_BEACON = 6,
    NTCIP_MSG_PIXEL_SERVICE = 7,
    NTCIP_MSG_RUN_TIME_PRIORITY = 8,
    NTCIP_MSG_STATUS = 9
};
enum NtcipMessageStatus {
    NTCIP_MSG_NOT_USED = 1,
    NTCIP_MSG_MODIFYING = 2,
    NTCIP_MSG_VALIDATING = 3,
    NTCIP_MSG_VALID = 4,
    NTCIP_MSG_ERROR = 5,
    NTCIP_MSG_MODIFY_REQ = 6,
    NTCIP_MSG_VALIDATE_REQ = 7,
    NTCIP_MSG_NOT_USED_REQ = 8
};
enum NtcipValidateMessageError {
    NTCIP_VALIDATE_OTHER = 1,
    NTCIP_VALIDATE_NONE = 2,
    NTCIP_VALIDATE_BEACONS = 3,
    NTCIP_VALIDATE_PIXEL_SERVICE = 4,
    NTCIP_VALIDATE_SYNTAX_MULTI = 5
};
enum NtcipMultiSyntaxError {
    NTCIP_MULTI_OTHER = 1,
    NTCIP_MULTI_NONE = 2,
    NTCIP_MULTI_UNSUPPORTED_TAG = 3,
    NTCIP_MULTI_UNSUPPORTED_TAG_VALUE = 4,
    NTCIP_MULTI_TEXT_TOO_BIG = 5,
    NTCIP_MULTI_FONT_NOT_DEFINED = 6,
    NTCIP_MULTI_CHARACTER_NOT_DEFINED = 7,
    NTCIP_MULTI_FIELD_DEVICE_NOT_EXIST = 8,
    NTCIP_MULTI_FIELD_DEVICE_ERROR = 9,
    NTCIP_MULTI_FLASH_REGION_ERROR = 10,
    NTCIP_MULTI_TAG_CONFLICT = 11,
    NTCIP_MULTI_TOO_MANY_PAGES = 12,
    NTCIP_MULTI_FONT_VERSION_ID = 13,
    NTCIP_MULTI_GRAPHIC_ID = 14,
    NTCIP_MULTI_GRAPHIC_NOT_DEFINED = 15
};

/* ---- Sign control (dms.6) ------------------------------------------------ */

enum NtcipSignControlObject {
    NTCIP_CONTROL_MODE = 1,
    NTCIP_ACTIVATE_MESSAGE = 3,                  /* 12-byte activation code */
    NTCIP_SHORT_POWER_RECOVERY_MESSAGE = 8,      /* 5-byte message ID codes ... */
    NTCIP_LONG_POWER_RECOVERY_MESSAGE = 9,
    NTCIP_RESET_MESSAGE = 11,
    NTCIP_COMMUNICATIONS_LOSS_MESSAGE = 12,
    NTCIP_TIME_COMM_LOSS = 13,
    NTCIP_POWER_LOSS_MESSAGE = 14,
    NTCIP_END_DURATION_MESSAGE = 15,
    NTCIP_MEMORY_MGMT = 16,
    NTCIP_ACTIVATE_MSG_ERROR = 17,
    NTCIP_MULTI_SYNTAX_ERROR = 18,
    NTCIP_MULTI_SYNTAX_ERROR_POSITION = 19,
    NTCIP_ACTIVATE_ERROR_MSG_CODE = 24           /* 5-byte message ID code */
};
/* dmsControlMode values. */
enum NtcipControlMode {
    NTCIP_CONTROL_OTHER = 1,
    NTCIP_CONTROL_LOCAL = 2,
    NTCIP_CONTROL_EXTERNAL = 3,
    NTCIP_CONTROL_CENTRAL = 4,
    NTCIP_CONTROL_CENTRAL_OVERRIDE = 5,
    NTCIP_CONTROL_SIMULATION = 6
};
/* dmsMemoryMgmt values. */
enum NtcipMemoryMgmt {
    NTCIP_MEMORY_OTHER = 1,
    NTCIP_MEMORY_NORMAL = 2,
    NTCIP_MEMORY_CLEAR_CHANGEABLE = 3,
    NTCIP_MEMORY_CLEAR_VOLATILE = 4
};
enum NtcipActivateMsgError {
    NTCIP_ACTIVATE_OTHER = 1,
    NTCIP_ACTIVATE_NONE = 2,
    NTCIP_ACTIVATE_PRIORITY = 3,
    NTCIP_ACTIVATE_MESSAGE_STATUS = 4,
    NTCIP_ACTIVATE_MESSAGE_MEMORY_TYPE = 5,
    NTCIP_ACTIVATE_MESSAGE_NUMBER = 6,
    NTCIP_ACTIVATE_MESSAGE_CRC = 7,
    NTCIP_ACTIVATE_SYNTAX_MULTI = 8,
    NTCIP_ACTIVATE_LOCAL_MODE = 9,
    NTCIP_ACTIVATE_CENTRAL_MODE = 10,
    NTCIP_ACTIVATE_CENTRAL_OVERRIDE_MODE = 11
};
/* Sizes of the codes exchanged with the sign control objects. */
#define NTCIP_ACTIVATION_CODE_SIZE 12  /* duration 2, priority, memory type, number 2, CRC 2, IPv4 4 */
#define NTCIP_MESSAGE_ID_CODE_SIZE 5   /* memory type, number 2, CRC 2 */
#define NTCIP_DURATION_INFINITE 65535

/* ---- Status (dms.9) ------------------------------------------------------ */

#define NTCIP_STAT_DOOR_OPEN 6          /* dms.9.6.0 */
#define NTCIP_SHORT_ERROR_STATUS_ARCS 7, 1 /* dms.9.7.1.0 */
/* The object number the simulated sign's status reads take for dms.9.7.1.0. */
#define NTCIP_SHORT_ERROR_STATUS 7

/* ---- Graphics (dms.10) --------------------------------------------------- */

enum NtcipGraphicObject {
    NTCIP_MAX_GRAPHICS = 1,
    NTCIP_NUM_GRAPHICS = 2,
    NTCIP_MAX_GRAPHIC_SIZE = 3,
    NTCIP_AVAILABLE_GRAPHIC_MEMORY = 4,
    NTCIP_GRAPHIC_BLOCK_SIZE = 5,
    NTCIP_GRAPHIC_TABLE = 6,         /* entry = .1 */
    NTCIP_GRAPHIC_BITMAP_TABLE = 7   /* entry = .1 */
};
enum NtcipGraphicColumn {
    NTCIP_GRAPHIC_INDEX = 1,
    NTCIP_GRAPHIC_NUMBER = 2,
    NTCIP_GRAPHIC_NAME = 3,
    NTCIP_GRAPHIC_HEIGHT = 4,
    NTCIP_GRAPHIC_WIDTH = 5,
    NTCIP_GRAPHIC_TYPE = 6,
    NTCIP_GRAPHIC_ID = 7,
    NTCIP_GRAPHIC_TRANSPARENT_ENABLED = 8,
    NTCIP_GRAPHIC_TRANSPARENT_COLOR = 9,
    NTCIP_GRAPHIC_STATUS = 10
};
/* dmsGraphicBitmapTable column 3 holds a block (index: graphic, block from 1). */
#define NTCIP_GRAPHIC_BLOCK_BITMAP 3
enum NtcipGraphicType {
    NTCIP_MONOCHROME_1BIT = 1,
    NTCIP_MONOCHROME_8BIT = 2,
    NTCIP_COLOR_CLASSIC = 3,
    NTCIP_COLOR_24BIT = 4
};
enum NtcipGraphicStatus {
    NTCIP_GRAPHIC_NOT_USED = 1,
    NTCIP_GRAPHIC_MODIFYING = 2,
    NTCIP_GRAPHIC_CALCULATING_ID = 3,
    NTCIP_GRAPHIC_READY_FOR_USE = 4,
    NTCIP_GRAPHIC_IN_USE = 5,
    NTCIP_GRAPHIC_PERMANENT = 6,
    NTCIP_GRAPHIC_MODIFY_REQ = 7,
    NTCIP_GRAPHIC_READY_FOR_USE_REQ = 8,
    NTCIP_GRAPHIC_NOT_USED_REQ = 9
};

/* ---- Module table (global.1.3.1) ----------------------------------------- */

#define NTCIP_GLOBAL_MAX_MODULES 2  /* globalConfiguration.2: global.1.2.0 */
#define NTCIP_MODULE_TABLE 3  /* globalConfiguration.3: moduleTable, entry = .1 */
enum NtcipModuleColumn {
    NTCIP_MODULE_NUMBER = 1,
    NTCIP_MODULE_MAKE = 3,
    NTCIP_MODULE_MODEL = 4,
    NTCIP_MODULE_VERSION = 5,
    NTCIP_MODULE_TYPE = 6
};
enum NtcipModuleType {
    NTCIP_MODULE_TYPE_OTHER = 1,
    NTCIP_MODULE_TYPE_HARDWARE = 2,
    NTCIP_MODULE_TYPE_SOFTWARE = 3
};

#endif /* TQDMS_NTCIP_H */
