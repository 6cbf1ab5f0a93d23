#pragma once
// Data step 10.0.4: adds the approval of journal entries.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate1004 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate1004
