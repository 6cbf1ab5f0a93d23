#pragma once
// Data step 0.4.0: a release of the evaluation edition that changes
// nothing but the version record.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate040 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate040
