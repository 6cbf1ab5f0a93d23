#pragma once
// Data step 9.0.2: the journal and ledger over the whole corporation. After
// the script a medical corporation's budget statements get their bands.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate902 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

// Medical-corporation data only: the evaluation bands of its lines and of
// the accounts of its non-operating and extraordinary groups.
void AddYojituHyokaRules();

} // namespace vq::z5UserDbUpdate902
