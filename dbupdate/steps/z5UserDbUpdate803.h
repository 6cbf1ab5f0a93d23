#pragma once
// Data step 8.0.3: the budget management of individual data. After the
// script the budget statements get their default groups and bands.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate803 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

// Individual data only: the account groups of the budget statements by code
// type and edition, the evaluation bands and the bands of the
// non-operating accounts.
void AddKamokuKoseiGroup();

} // namespace vq::z5UserDbUpdate803
