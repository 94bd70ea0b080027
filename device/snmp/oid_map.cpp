#include "oid_map.h"

#include <cstring>

#include "tqdms/ntcip.h"

namespace tqdms {
namespace oids {
namespace {

constexpr Arc kDmsRoot[] = {NTCIP_DMS_ARCS};
constexpr Arc kGlobalRoot[] = {NTCIP_GLOBAL_ARCS};

using S = Syntax;
using F = Form;
using T = Table;
constexpr bool RO = false;
constexpr bool RW = true;
constexpr Root D = Root::Dms;
constexpr Root G = Root::Global;

#define SCALAR(name, root, group, object, syntax, access, form, table, number, size) \
    {name, root, {group, object}, 2, 0, syntax, access, form, table, number, size}
#define COLUMN(name, root, a, b, c, column, nidx, syntax, access, form, table, size) \
    {name, root, {a, b, c, column}, 4, nidx, syntax, access, form, table, column, size}
// The time base tables sit below global.3.3: timeBase.<table>.1.<column>.
#define TIME_BASE_COLUMN(name, tbl, column, nidx, syntax, access, form, table, size)                         \
    {name, G, {NTCIP_GLOBAL_TIME, NTCIP_TIME_BASE_GROUP, tbl, 1, column}, 5, nidx, syntax, access, form, table, \
     column, size}

// Sorted by OID: dms (devices.3) before global (devices.6).
const Object kObjects[] = {
    SCALAR("dmsSignHeight", D, NTCIP_DMS_SIGN_CFG, NTCIP_DMS_SIGN_HEIGHT, S::Integer, RO, F::Int, T::SignCfg, NTCIP_DMS_SIGN_HEIGHT, 0),
    SCALAR("dmsSignWidth", D, NTCIP_DMS_SIGN_CFG, NTCIP_DMS_SIGN_WIDTH, S::Integer, RO, F::Int, T::SignCfg, NTCIP_DMS_SIGN_WIDTH, 0),
    SCALAR("vmsCharacterHeightPixels", D, NTCIP_DMS_VMS_CFG, NTCIP_VMS_CHARACTER_HEIGHT_PIXELS, S::Integer, RO, F::Int, T::VmsCfg, NTCIP_VMS_CHARACTER_HEIGHT_PIXELS, 0),
    SCALAR("vmsCharacterWidthPixels", D, NTCIP_DMS_VMS_CFG, NTCIP_VMS_CHARACTER_WIDTH_PIXELS, S::Integer, RO, F::Int, T::VmsCfg, NTCIP_VMS_CHARACTER_WIDTH_PIXELS, 0),
    SCALAR("vmsSignHeightPixels", D, NTCIP_DMS_VMS_CFG, NTCIP_VMS_SIGN_HEIGHT_PIXELS, S::Integer, RO, F::Int, T::VmsCfg, NTCIP_VMS_SIGN_HEIGHT_PIXELS, 0),
    SCALAR("vmsSignWidthPixels", D, NTCIP_DMS_VMS_CFG, NTCIP_VMS_SIGN_WIDTH_PIXELS, S::Integer, RO, F::Int, T::VmsCfg, NTCIP_VMS_SIGN_WIDTH_PIXELS, 0),
    SCALAR("vmsHorizontalPitch", D, NTCIP_DMS_VMS_CFG, NTCIP_VMS_HORIZONTAL_PITCH, S::Integer, RO, F::Int, T::VmsCfg, NTCIP_VMS_HORIZONTAL_PITCH, 0),
    SCALAR("vmsVerticalPitch", D, NTCIP_DMS_VMS_CFG, NTCIP_VMS_VERTICAL_PITCH, S::Integer, RO, F::Int, T::VmsCfg, NTCIP_VMS_VERTICAL_PITCH, 0),
    SCALAR("monochromeColor", D, NTCIP_DMS_VMS_CFG, NTCIP_MONOCHROME_COLOR, S::OctetString, RO, F::Octets, T::VmsCfg, NTCIP_MONOCHROME_COLOR, 6),

    SCALAR("numFonts", D, NTCIP_DMS_FONT, NTCIP_NUM_FONTS, S::Integer, RO, F::Int, T::FontDefinition, NTCIP_NUM_FONTS, 0),
    COLUMN("fontIndex", D, NTCIP_DMS_FONT, NTCIP_FONT_TABLE, 1, NTCIP_FONT_INDEX, 1, S::Integer, RO, F::Int, T::FontTable, 0),
    COLUMN("fontNumber", D, NTCIP_DMS_FONT, NTCIP_FONT_TABLE, 1, NTCIP_FONT_NUMBER, 1, S::Integer, RW, F::Int, T::FontTable, 0),
    COLUMN("fontName", D, NTCIP_DMS_FONT, NTCIP_FONT_TABLE, 1, NTCIP_FONT_NAME, 1, S::OctetString, RW, F::Text, T::FontTable, 0),
    COLUMN("fontHeight", D, NTCIP_DMS_FONT, NTCIP_FONT_TABLE, 1, NTCIP_FONT_HEIGHT, 1, S::Integer, RW, F::Int, T::FontTable, 0),
    COLUMN("fontCharSpacing", D, NTCIP_DMS_FONT, NTCIP_FONT_TABLE, 1, NTCIP_FONT_CHAR_SPACING, 1, S::Integer, RW, F::Int, T::FontTable, 0),
    COLUMN("fontLineSpacing", D, NTCIP_DMS_FONT, NTCIP_FONT_TABLE, 1, NTCIP_FONT_LINE_SPACING, 1, S::Integer, RW, F::Int, T::FontTable, 0),
    COLUMN("fontVersionID", D, NTCIP_DMS_FONT, NTCIP_FONT_TABLE, 1, NTCIP_FONT_VERSION_ID, 1, S::Integer, RO, F::Int, T::FontTable, 0),
    COLUMN("fontStatus", D, NTCIP_DMS_FONT, NTCIP_FONT_TABLE, 1, NTCIP_FONT_STATUS, 1, S::Integer, RW, F::Int, T::FontTable, 0),
    SCALAR("maxFontCharacters", D, NTCIP_DMS_FONT, NTCIP_MAX_FONT_CHARACTERS, S::Integer, RO, F::Int, T::FontDefinition, NTCIP_MAX_FONT_CHARACTERS, 0),
    COLUMN("characterNumber", D, NTCIP_DMS_FONT, NTCIP_CHARACTER_TABLE, 1, NTCIP_CHARACTER_NUMBER, 2, S::Integer, RO, F::Int, T::CharacterTable, 0),
    COLUMN("characterWidth", D, NTCIP_DMS_FONT, NTCIP_CHARACTER_TABLE, 1, NTCIP_CHARACTER_WIDTH, 2, S::Integer, RW, F::Int, T::CharacterTable, 0),
    COLUMN("characterBitmap", D, NTCIP_DMS_FONT, NTCIP_CHARACTER_TABLE, 1, NTCIP_CHARACTER_BITMAP, 2, S::OctetString, RW, F::Octets, T::CharacterTable, 0),
    SCALAR("fontMaxCharacterSize", D, NTCIP_DMS_FONT, NTCIP_FONT_MAX_CHARACTER_SIZE, S::Integer, RO, F::Int, T::FontDefinition, NTCIP_FONT_MAX_CHARACTER_SIZE, 0),

    SCALAR("defaultBackgroundColor", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_BACKGROUND_COLOR, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DEFAULT_BACKGROUND_COLOR, 0),
    SCALAR("defaultForegroundColor", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_FOREGROUND_COLOR, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DEFAULT_FOREGROUND_COLOR, 0),
    SCALAR("defaultFlashOn", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_FLASH_ON, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DEFAULT_FLASH_ON, 0),
    SCALAR("defaultFlashOff", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_FLASH_OFF, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DEFAULT_FLASH_OFF, 0),
    SCALAR("defaultFont", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_FONT, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DEFAULT_FONT, 0),
    SCALAR("defaultJustificationLine", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_JUSTIFICATION_LINE, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DEFAULT_JUSTIFICATION_LINE, 0),
    SCALAR("defaultJustificationPage", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_JUSTIFICATION_PAGE, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DEFAULT_JUSTIFICATION_PAGE, 0),
    SCALAR("defaultPageOnTime", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_PAGE_ON_TIME, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DEFAULT_PAGE_ON_TIME, 0),
    SCALAR("defaultPageOffTime", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_PAGE_OFF_TIME, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DEFAULT_PAGE_OFF_TIME, 0),
    SCALAR("dmsColorScheme", D, NTCIP_DMS_MULTI_CFG, NTCIP_DMS_COLOR_SCHEME, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DMS_COLOR_SCHEME, 0),
    SCALAR("defaultBackgroundRGB", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_BACKGROUND_RGB, S::OctetString, RO, F::Octets, T::MultiCfg, NTCIP_DEFAULT_BACKGROUND_RGB, 3),
    SCALAR("defaultForegroundRGB", D, NTCIP_DMS_MULTI_CFG, NTCIP_DEFAULT_FOREGROUND_RGB, S::OctetString, RO, F::Octets, T::MultiCfg, NTCIP_DEFAULT_FOREGROUND_RGB, 3),
    SCALAR("dmsSupportedMultiTags", D, NTCIP_DMS_MULTI_CFG, NTCIP_DMS_SUPPORTED_MULTI_TAGS, S::OctetString, RO, F::Octets, T::MultiCfg, NTCIP_DMS_SUPPORTED_MULTI_TAGS, 0),
    SCALAR("dmsMaxNumberPages", D, NTCIP_DMS_MULTI_CFG, NTCIP_DMS_MAX_NUMBER_PAGES, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DMS_MAX_NUMBER_PAGES, 0),
    SCALAR("dmsMaxMultiStringLength", D, NTCIP_DMS_MULTI_CFG, NTCIP_DMS_MAX_MULTI_STRING_LENGTH, S::Integer, RO, F::Int, T::MultiCfg, NTCIP_DMS_MAX_MULTI_STRING_LENGTH, 0),

    SCALAR("dmsNumPermanentMsg", D, NTCIP_DMS_MESSAGE, NTCIP_NUM_PERMANENT_MSG, S::Integer, RO, F::Int, T::MsgInfo, NTCIP_NUM_PERMANENT_MSG, 0),
    SCALAR("dmsNumChangeableMsg", D, NTCIP_DMS_MESSAGE, NTCIP_NUM_CHANGEABLE_MSG, S::Integer, RO, F::Int, T::MsgInfo, NTCIP_NUM_CHANGEABLE_MSG, 0),
    SCALAR("dmsMaxChangeableMsg", D, NTCIP_DMS_MESSAGE, NTCIP_MAX_CHANGEABLE_MSG, S::Integer, RO, F::Int, T::MsgInfo, NTCIP_MAX_CHANGEABLE_MSG, 0),
    SCALAR("dmsFreeChangeableMemory", D, NTCIP_DMS_MESSAGE, NTCIP_FREE_CHANGEABLE_MEMORY, S::Gauge32, RO, F::Int, T::MsgInfo, NTCIP_FREE_CHANGEABLE_MEMORY, 0),
    SCALAR("dmsNumVolatileMsg", D, NTCIP_DMS_MESSAGE, NTCIP_NUM_VOLATILE_MSG, S::Integer, RO, F::Int, T::MsgInfo, NTCIP_NUM_VOLATILE_MSG, 0),
    SCALAR("dmsMaxVolatileMsg", D, NTCIP_DMS_MESSAGE, NTCIP_MAX_VOLATILE_MSG, S::Integer, RO, F::Int, T::MsgInfo, NTCIP_MAX_VOLATILE_MSG, 0),
    SCALAR("dmsFreeVolatileMemory", D, NTCIP_DMS_MESSAGE, NTCIP_FREE_VOLATILE_MEMORY, S::Gauge32, RO, F::Int, T::MsgInfo, NTCIP_FREE_VOLATILE_MEMORY, 0),
    COLUMN("dmsMessageMemoryType", D, NTCIP_DMS_MESSAGE, NTCIP_MESSAGE_TABLE, 1, NTCIP_MSG_MEMORY_TYPE, 2, S::Integer, RO, F::Int, T::MsgTable, 0),
    COLUMN("dmsMessageNumber", D, NTCIP_DMS_MESSAGE, NTCIP_MESSAGE_TABLE, 1, NTCIP_MSG_NUMBER, 2, S::Integer, RO, F::Int, T::MsgTable, 0),
    COLUMN("dmsMessageMultiString", D, NTCIP_DMS_MESSAGE, NTCIP_MESSAGE_TABLE, 1, NTCIP_MSG_MULTI_STRING, 2, S::OctetString, RW, F::Text, T::MsgTable, 0),
    COLUMN("dmsMessageOwner", D, NTCIP_DMS_MESSAGE, NTCIP_MESSAGE_TABLE, 1, NTCIP_MSG_OWNER, 2, S::OctetString, RW, F::Text, T::MsgTable, 0),
    COLUMN("dmsMessageCRC", D, NTCIP_DMS_MESSAGE, NTCIP_MESSAGE_TABLE, 1, NTCIP_MSG_CRC, 2, S::Integer, RO, F::Int, T::MsgTable, 0),
    COLUMN("dmsMessageBeacon", D, NTCIP_DMS_MESSAGE, NTCIP_MESSAGE_TABLE, 1, NTCIP_MSG_BEACON, 2, S::Integer, RW, F::Int, T::MsgTable, 0),
    COLUMN("dmsMessagePixelService", D, NTCIP_DMS_MESSAGE, NTCIP_MESSAGE_TABLE, 1, NTCIP_MSG_PIXEL_SERVICE, 2, S::Integer, RW, F::Int, T::MsgTable, 0),
    COLUMN("dmsMessageRunTimePriority", D, NTCIP_DMS_MESSAGE, NTCIP_MESSAGE_TABLE, 1, NTCIP_MSG_RUN_TIME_PRIORITY, 2, S::Integer, RW, F::Int, T::MsgTable, 0),
    COLUMN("dmsMessageStatus", D, NTCIP_DMS_MESSAGE, NTCIP_MESSAGE_TABLE, 1, NTCIP_MSG_STATUS, 2, S::Integer, RW, F::Int, T::MsgTable, 0),
    SCALAR("dmsValidateMessageError", D, NTCIP_DMS_MESSAGE, NTCIP_VALIDATE_MESSAGE_ERROR, S::Integer, RO, F::Int, T::MsgInfo, NTCIP_VALIDATE_MESSAGE_ERROR, 0),

    SCALAR("dmsControlMode", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_CONTROL_MODE, S::Integer, RW, F::Int, T::SignControl, NTCIP_CONTROL_MODE, 0),
    SCALAR("dmsActivateMessage", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_ACTIVATE_MESSAGE, S::OctetString, RW, F::ActivationCode, T::ActivateMessage, NTCIP_ACTIVATE_MESSAGE, NTCIP_ACTIVATION_CODE_SIZE),
    SCALAR("dmsShortPowerRecoveryMessage", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_SHORT_POWER_RECOVERY_MESSAGE, S::OctetString, RW, F::Octets, T::SignControl, NTCIP_SHORT_POWER_RECOVERY_MESSAGE, NTCIP_MESSAGE_ID_CODE_SIZE),
    SCALAR("dmsLongPowerRecoveryMessage", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_LONG_POWER_RECOVERY_MESSAGE, S::OctetString, RW, F::Octets, T::SignControl, NTCIP_LONG_POWER_RECOVERY_MESSAGE, NTCIP_MESSAGE_ID_CODE_SIZE),
    SCALAR("dmsResetMessage", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_RESET_MESSAGE, S::OctetString, RW, F::Octets, T::SignControl, NTCIP_RESET_MESSAGE, NTCIP_MESSAGE_ID_CODE_SIZE),
    SCALAR("dmsCommunicationsLossMessage", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_COMMUNICATIONS_LOSS_MESSAGE, S::OctetString, RW, F::Octets, T::SignControl, NTCIP_COMMUNICATIONS_LOSS_MESSAGE, NTCIP_MESSAGE_ID_CODE_SIZE),
    SCALAR("dmsTimeCommLoss", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_TIME_COMM_LOSS, S::Integer, RW, F::Int, T::SignControl, NTCIP_TIME_COMM_LOSS, 0),
    SCALAR("dmsPowerLossMessage", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_POWER_LOSS_MESSAGE, S::OctetString, RW, F::Octets, T::SignControl, NTCIP_POWER_LOSS_MESSAGE, NTCIP_MESSAGE_ID_CODE_SIZE),
    SCALAR("dmsEndDurationMessage", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_END_DURATION_MESSAGE, S::OctetString, RW, F::Octets, T::SignControl, NTCIP_END_DURATION_MESSAGE, NTCIP_MESSAGE_ID_CODE_SIZE),
    SCALAR("dmsMemoryMgmt", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_MEMORY_MGMT, S::Integer, RW, F::Int, T::SignControl, NTCIP_MEMORY_MGMT, 0),
    SCALAR("dmsActivateMsgError", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_ACTIVATE_MSG_ERROR, S::Integer, RO, F::Int, T::SignControl, NTCIP_ACTIVATE_MSG_ERROR, 0),
    SCALAR("dmsMultiSyntaxError", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_MULTI_SYNTAX_ERROR, S::Integer, RO, F::Int, T::SignControl, NTCIP_MULTI_SYNTAX_ERROR, 0),
    SCALAR("dmsMultiSyntaxErrorPosition", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_MULTI_SYNTAX_ERROR_POSITION, S::Integer, RO, F::Int, T::SignControl, NTCIP_MULTI_SYNTAX_ERROR_POSITION, 0),
    SCALAR("dmsActivateErrorMsgCode", D, NTCIP_DMS_SIGN_CONTROL, NTCIP_ACTIVATE_ERROR_MSG_CODE, S::OctetString, RO, F::Octets, T::SignControl, NTCIP_ACTIVATE_ERROR_MSG_CODE, NTCIP_MESSAGE_ID_CODE_SIZE),

    SCALAR("numActionTableEntries", D, NTCIP_DMS_SCHEDULE, NTCIP_NUM_ACTION_TABLE_ENTRIES, S::Integer, RO, F::Int, T::NumActions, NTCIP_NUM_ACTION_TABLE_ENTRIES, 0),
    COLUMN("dmsActionIndex", D, NTCIP_DMS_SCHEDULE, NTCIP_ACTION_TABLE, 1, NTCIP_ACTION_INDEX, 1, S::Integer, RO, F::RowIndex, T::ActionTable, 0),
    COLUMN("dmsActionMsgCode", D, NTCIP_DMS_SCHEDULE, NTCIP_ACTION_TABLE, 1, NTCIP_ACTION_MSG_CODE, 1, S::OctetString, RW, F::ActionCode, T::ActionTable, NTCIP_MESSAGE_ID_CODE_SIZE),

    SCALAR("dmsStatDoorOpen", D, NTCIP_DMS_STATUS, NTCIP_STAT_DOOR_OPEN, S::Integer, RO, F::Int, T::Status, NTCIP_STAT_DOOR_OPEN, 0),
    // shortErrorStatus sits one level deeper: dms.9.7.1.0.
    {"shortErrorStatus", D, {NTCIP_DMS_STATUS, NTCIP_SHORT_ERROR_STATUS_ARCS}, 3, 0, S::Integer, RO, F::Int, T::Status, NTCIP_SHORT_ERROR_STATUS, 0},

    SCALAR("dmsGraphicMaxEntries", D, NTCIP_DMS_GRAPHIC, NTCIP_MAX_GRAPHICS, S::Integer, RO, F::Int, T::GraphicDefinition, NTCIP_MAX_GRAPHICS, 0),
    SCALAR("dmsGraphicNumEntries", D, NTCIP_DMS_GRAPHIC, NTCIP_NUM_GRAPHICS, S::Integer, RO, F::Int, T::GraphicDefinition, NTCIP_NUM_GRAPHICS, 0),
    SCALAR("dmsGraphicMaxSize", D, NTCIP_DMS_GRAPHIC, NTCIP_MAX_GRAPHIC_SIZE, S::Integer, RO, F::Int, T::GraphicDefinition, NTCIP_MAX_GRAPHIC_SIZE, 0),
    SCALAR("availableGraphicMemory", D, NTCIP_DMS_GRAPHIC, NTCIP_AVAILABLE_GRAPHIC_MEMORY, S::Gauge32, RO, F::Int, T::GraphicDefinition, NTCIP_AVAILABLE_GRAPHIC_MEMORY, 0),
    SCALAR("dmsGraphicBlockSize", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_BLOCK_SIZE, S::Integer, RO, F::Int, T::GraphicDefinition, NTCIP_GRAPHIC_BLOCK_SIZE, 0),
    COLUMN("dmsGraphicIndex", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_INDEX, 1, S::Integer, RO, F::Int, T::GraphicTable, 0),
    COLUMN("dmsGraphicNumber", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_NUMBER, 1, S::Integer, RW, F::Int, T::GraphicTable, 0),
    COLUMN("dmsGraphicName", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_NAME, 1, S::OctetString, RW, F::Text, T::GraphicTable, 0),
    COLUMN("dmsGraphicHeight", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_HEIGHT, 1, S::Integer, RW, F::Int, T::GraphicTable, 0),
    COLUMN("dmsGraphicWidth", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_WIDTH, 1, S::Integer, RW, F::Int, T::GraphicTable, 0),
    COLUMN("dmsGraphicType", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_TYPE, 1, S::Integer, RW, F::Int, T::GraphicTable, 0),
    COLUMN("dmsGraphicID", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_ID, 1, S::Integer, RO, F::Int, T::GraphicTable, 0),
    COLUMN("dmsGraphicTransparentEnabled", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_TRANSPARENT_ENABLED, 1, S::Integer, RW, F::Int, T::GraphicTable, 0),
    COLUMN("dmsGraphicTransparentColor", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_TRANSPARENT_COLOR, 1, S::OctetString, RW, F::Color, T::GraphicTable, 0),
    COLUMN("dmsGraphicStatus", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_TABLE, 1, NTCIP_GRAPHIC_STATUS, 1, S::Integer, RW, F::Int, T::GraphicTable, 0),
    COLUMN("dmsGraphicBlockBitmap", D, NTCIP_DMS_GRAPHIC, NTCIP_GRAPHIC_BITMAP_TABLE, 1, NTCIP_GRAPHIC_BLOCK_BITMAP, 2, S::OctetString, RW, F::Octets, T::GraphicBitmap, 0),

    SCALAR("globalMaxModules", G, NTCIP_GLOBAL_CONFIGURATION, NTCIP_GLOBAL_MAX_MODULES, S::Integer, RO, F::Int, T::MaxModules, NTCIP_GLOBAL_MAX_MODULES, 0),
    COLUMN("moduleNumber", G, NTCIP_GLOBAL_CONFIGURATION, NTCIP_MODULE_TABLE, 1, NTCIP_MODULE_NUMBER, 1, S::Integer, RO, F::Int, T::ModuleTable, 0),
    COLUMN("moduleMake", G, NTCIP_GLOBAL_CONFIGURATION, NTCIP_MODULE_TABLE, 1, NTCIP_MODULE_MAKE, 1, S::OctetString, RO, F::Text, T::ModuleTable, 0),
    COLUMN("moduleModel", G, NTCIP_GLOBAL_CONFIGURATION, NTCIP_MODULE_TABLE, 1, NTCIP_MODULE_MODEL, 1, S::OctetString, RO, F::Text, T::ModuleTable, 0),
    COLUMN("moduleVersion", G, NTCIP_GLOBAL_CONFIGURATION, NTCIP_MODULE_TABLE, 1, NTCIP_MODULE_VERSION, 1, S::OctetString, RO, F::Text, T::ModuleTable, 0),
    COLUMN("moduleType", G, NTCIP_GLOBAL_CONFIGURATION, NTCIP_MODULE_TABLE, 1, NTCIP_MODULE_TYPE, 1, S::Integer, RO, F::Int, T::ModuleTable, 0),

    SCALAR("globalTime", G, NTCIP_GLOBAL_TIME, NTCIP_GLOBAL_TIME_SECONDS, S::Counter32, RW, F::Int, T::GlobalTime, NTCIP_GLOBAL_TIME_SECONDS, 0),
    {"maxTimeBaseScheduleEntries", G, {NTCIP_GLOBAL_TIME, NTCIP_TIME_BASE_GROUP, NTCIP_MAX_TIME_BASE_SCHEDULE_ENTRIES}, 3, 0, S::Integer, RO, F::Int, T::TimeBase, NTCIP_MAX_TIME_BASE_SCHEDULE_ENTRIES, 0},
    TIME_BASE_COLUMN("timeBaseScheduleNumber", NTCIP_TIME_BASE_SCHEDULE_TABLE, NTCIP_SCHEDULE_NUMBER, 1, S::Integer, RO, F::Int, T::ScheduleTable, 0),
    TIME_BASE_COLUMN("timeBaseScheduleMonth", NTCIP_TIME_BASE_SCHEDULE_TABLE, NTCIP_SCHEDULE_MONTH, 1, S::Integer, RW, F::Int, T::ScheduleTable, 0),
    TIME_BASE_COLUMN("timeBaseScheduleDay", NTCIP_TIME_BASE_SCHEDULE_TABLE, NTCIP_SCHEDULE_DAY, 1, S::Integer, RW, F::Int, T::ScheduleTable, 0),
    TIME_BASE_COLUMN("timeBaseScheduleDate", NTCIP_TIME_BASE_SCHEDULE_TABLE, NTCIP_SCHEDULE_DATE, 1, S::Integer, RW, F::Int, T::ScheduleTable, 0),
    TIME_BASE_COLUMN("timeBaseScheduleDayPlan", NTCIP_TIME_BASE_SCHEDULE_TABLE, NTCIP_SCHEDULE_DAY_PLAN, 1, S::Integer, RW, F::Int, T::ScheduleTable, 0),
    {"maxDayPlans", G, {NTCIP_GLOBAL_TIME, NTCIP_TIME_BASE_GROUP, NTCIP_MAX_DAY_PLANS}, 3, 0, S::Integer, RO, F::Int, T::TimeBase, NTCIP_MAX_DAY_PLANS, 0},
    {"maxDayPlanEvents", G, {NTCIP_GLOBAL_TIME, NTCIP_TIME_BASE_GROUP, NTCIP_MAX_DAY_PLAN_EVENTS}, 3, 0, S::Integer, RO, F::Int, T::TimeBase, NTCIP_MAX_DAY_PLAN_EVENTS, 0},
    TIME_BASE_COLUMN("dayPlanNumber", NTCIP_TIME_BASE_DAY_PLAN_TABLE, NTCIP_DAY_PLAN_NUMBER, 2, S::Integer, RO, F::Int, T::DayPlanTable, 0),
    TIME_BASE_COLUMN("dayPlanEventNumber", NTCIP_TIME_BASE_DAY_PLAN_TABLE, NTCIP_DAY_PLAN_EVENT_NUMBER, 2, S::Integer, RO, F::Int, T::DayPlanTable, 0),
    TIME_BASE_COLUMN("dayPlanHour", NTCIP_TIME_BASE_DAY_PLAN_TABLE, NTCIP_DAY_PLAN_HOUR, 2, S::Integer, RW, F::Int, T::DayPlanTable, 0),
    TIME_BASE_COLUMN("dayPlanMinute", NTCIP_TIME_BASE_DAY_PLAN_TABLE, NTCIP_DAY_PLAN_MINUTE, 2, S::Integer, RW, F::Int, T::DayPlanTable, 0),
    TIME_BASE_COLUMN("dayPlanActionNumberOID", NTCIP_TIME_BASE_DAY_PLAN_TABLE, NTCIP_DAY_PLAN_ACTION, 2, S::ObjectId, RW, F::OidText, T::DayPlanTable, 0),
    SCALAR("globalLocalTimeDifferential", G, NTCIP_GLOBAL_TIME, NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL, S::Integer, RW, F::Int, T::GlobalTime, NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL, 0),
};
#undef SCALAR
#undef COLUMN
#undef TIME_BASE_COLUMN

constexpr size_t kCount = sizeof kObjects / sizeof kObjects[0];

}  // namespace

const Object* objects(size_t& count) {
    count = kCount;
    return kObjects;
}

const Object* find(Table table, int number) {
    for (const Object& o : kObjects)
        if (o.table == table && o.number == number) return &o;
    return nullptr;
}

const Object* findByName(const std::string& name) {
    for (const Object& o : kObjects)
        if (name == o.name) return &o;
    return nullptr;
}

size_t objectOid(const Object& o, Arc* out) {
    const Arc* root = o.root == Root::Dms ? kDmsRoot : kGlobalRoot;
    size_t rootLen = o.root == Root::Dms ? sizeof kDmsRoot / sizeof(Arc) : sizeof kGlobalRoot / sizeof(Arc);
    std::memcpy(out, root, rootLen * sizeof(Arc));
    std::memcpy(out + rootLen, o.arcs, o.arcCount * sizeof(Arc));
    return rootLen + o.arcCount;
}

size_t instanceOid(const Object& o, const Arc* index, Arc* out) {
    size_t n = objectOid(o, out);
    if (o.indexes == 0) {
        out[n++] = 0;
    } else {
        for (size_t i = 0; i < o.indexes; ++i) out[n++] = index[i];
    }
    return n;
}

const Object* lookup(const Arc* oid, size_t len, Arc index[2]) {
    Arc base[kMaxOidArcs];
    for (const Object& o : kObjects) {
        size_t n = objectOid(o, base);
        if (len <= n || std::memcmp(oid, base, n * sizeof(Arc)) != 0) continue;
        size_t rest = len - n;
        if (o.indexes == 0) return rest == 1 && oid[n] == 0 ? &o : nullptr;
        if (rest != o.indexes) return nullptr;
        for (size_t i = 0; i < rest; ++i) index[i] = oid[n + i];
        return &o;
    }
    return nullptr;
}

std::string dotted(const Arc* oid, size_t len) {
    std::string text;
    for (size_t i = 0; i < len; ++i) {
        text += '.';
        text += std::to_string(oid[i]);
    }
    return text;
}

bool parseDotted(const std::string& text, Arc* out, size_t max, size_t& len) {
    len = 0;
    size_t i = !text.empty() && text[0] == '.' ? 1 : 0;
    if (i >= text.size()) return false;
    while (i <= text.size()) {
        uint64_t v = 0;
        size_t start = i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            v = v * 10 + static_cast<uint64_t>(text[i] - '0');
            if (v > 0xFFFFFFFFu) return false;
        }
        if (i == start || len == max) return false;
        out[len++] = static_cast<Arc>(v);
        if (i == text.size()) return true;
        if (text[i] != '.') return false;
        ++i;
        if (i == text.size()) return false;  // trailing dot
    }
    return true;
}

}  // namespace oids
}  // namespace tqdms
