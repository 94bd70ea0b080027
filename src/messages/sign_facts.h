// The sign's facts a message document needs, read afresh for each call from
// the sign the calling thread talks to.
#pragma once

#include <cstdint>

#include "model/sign_facts.h"

namespace dms {

// The sign's maximum MULTI length (dmsMaxMultiStringLength); unknown (no
// limit) when the read fails.
int32_t readMaxMultiLength();
// The sign's usable fonts: as many as could be read, none when the first
// read fails.
void readSignFonts(SignFacts& facts);
// Its fonts and its maximum MULTI length.
void readSignFacts(SignFacts& facts);

}  // namespace dms
