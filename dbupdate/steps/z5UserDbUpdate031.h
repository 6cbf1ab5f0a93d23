#pragma once
// Data step 0.3.1: ACCDEF1 gets the communication folder WEB_HOLDER, the
// department-group past balances become sums over the group, and the past
// balance KAKOZAN follows every change of a past-year row.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate031 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate031
