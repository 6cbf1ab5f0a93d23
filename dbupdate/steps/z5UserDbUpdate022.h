#pragma once
// Data step 0.2.2: the account master gets the third group column GROUPM0,
// and everything that groups by it is made again (the account view and the
// sixteen balance procedures that read it); the chart settings, the blue-
// return interest and property tables, the depreciation journal defaults,
// the breakdown-statement tables and the cash-flow items are made anew. A
// data set that has GROUPM0 already gets the version record only.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate022 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs (it asks the open data set for GROUPM0).
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate022
