#include "model/values.h"

namespace dms {

const Color kColorUnset(-1, -1);
const Color kColorBlack(-1, 0x000000);
const Color kColorWhite(-1, 0xFFFFFF);
const Color kColorRed(-1, 0xFF0000);
const Color kColorGreen(-1, 0x00FF00);
const Color kColorBlue(-1, 0x0000FF);

}  // namespace dms
