#pragma once
// System step 4.0.0. Adds the eras, the company code of the data lists, the slot procedure and the code-system slots 11 to 20.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate400 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

} // namespace vq::z5SystemDbUpdate400
