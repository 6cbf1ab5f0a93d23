#pragma once
// Data step 13.0.0: follows the change of the blue-return special deduction.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate1300 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate1300
