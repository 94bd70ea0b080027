// The time-zone table now lives with the clock exports; this name stays for
// the code that includes it from here.
#pragma once

#include "clock/time_zones.h"
