#pragma once
// Data step 5.0.5: brings the offsetting of bills to the corporate statements.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate505 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate505
