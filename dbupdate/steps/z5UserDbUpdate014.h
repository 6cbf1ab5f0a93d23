#pragma once
// Data step 0.1.4: the per-facility copy of the cash-flow layout goes, and
// the default lines (102) and account mappings (491) of both forms of the
// statement are written, whatever the tables held.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate014 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs (its column tests ask the open data set).
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate014
