#pragma once
// System step 0.3.2. Adds the system user (operator 1 of group 10000) with a one-digit initial password, unless the office already has an operator 1, whom it leaves as it is.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate032 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

} // namespace vq::z5SystemDbUpdate032
