// How MULTI texts read from a sign become pages: the documented reading
// (the default) or the faithful one (faithful.h). One setting per process,
// set by dmsSetMultiReading or, until then, by the environment variable
// DMSCONTENT_MULTI_READING ("faithful" or "documented").
#pragma once

namespace dms {
namespace multi {

enum class Reading { Documented = 0, Faithful = 1 };

Reading currentReading();
void setReading(Reading reading);

}  // namespace multi
}  // namespace dms
