// dmsVersion: the version the library was built as.
#include "dmscontent/common.h"
#include "dmscontent/version.h"

DMS_API const char* DMS_CALL dmsVersion(void) { return DMSCONTENT_VERSION; }
