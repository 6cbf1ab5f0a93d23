#pragma once
// The predefined messages of the rich message box: one wording for recurring
// situations across the product line (newer data version, locked data, journal
// entries that may not be changed, deleting breakdown rows).
#include "ui/Message2Info.h"

#include <cstdint>

namespace vq::ui {

// Fills rec with the message of code. Code 0 leaves rec alone; any other code
// first resets rec to an empty information message, so the catalogue wins over
// whatever the caller had put in (agreement fields included). False when the
// code is not in the catalogue (rec is then that empty message).
bool applyPredefinedMessage2(std::int32_t code, TMessage2InfoRec& rec);

} // namespace vq::ui
