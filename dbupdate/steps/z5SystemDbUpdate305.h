#pragma once
// System step 3.0.5. Makes the child lists of consolidated data anew.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate305 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

} // namespace vq::z5SystemDbUpdate305
