#pragma once
// Data step 0.1.2: the three procedures of the bank reconciliation statement.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate012 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs (its column tests ask the open data set).
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate012
