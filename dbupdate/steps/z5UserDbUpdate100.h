#pragma once
// Data step 1.0.0: the first release renames one management-analysis item
// and makes a changed opening balance the closing balance of the period
// before the data's start.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate100 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate100
