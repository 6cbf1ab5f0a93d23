#pragma once
// Data step 0.1.1: rebuilds the depreciation part (asset register, journal
// settings with their 70 initial rows, department allocation, asset ledger
// and their procedures), replaces the journal, facility and account
// triggers, changes the headcount procedure and puts the version table into
// a known state.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate011 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs (its column tests ask the open data set).
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate011
