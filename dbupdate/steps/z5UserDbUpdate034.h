#pragma once
// Data step 0.3.4: the system-account lookup answers exactly one row, and
// the receivable accounts 1141-1147 and the fixed trial-balance lines 7-12
// move to the quick-asset group 1130.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate034 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate034
