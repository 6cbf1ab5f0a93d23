#pragma once
// Data step 9.0.3: the account breakdown of the corporation-wide trial
// balance. After the script the budgets are rounded to whole yen.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate903 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

// The three budgets of every period row in whole yen.
void RoundKamokuMsBudgets();

} // namespace vq::z5UserDbUpdate903
