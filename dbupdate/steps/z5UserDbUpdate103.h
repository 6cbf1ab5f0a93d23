#pragma once
// Data step 1.0.3: the blank facility loses its budgets and past balances,
// the capital carry-over sums every sub-account, the department trial
// balances add consumption tax and share the common department, and the
// journal viewer pages by facility.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate103 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate103
