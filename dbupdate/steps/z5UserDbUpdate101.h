#pragma once
// Data step 1.0.1: past balances are read whatever the start month, past
// balances can be registered by procedure, the management-analysis items
// take new account ranges and the table of running jobs is emptied.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate101 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate101
