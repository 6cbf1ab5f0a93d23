#pragma once
// System step 11.0.1: the Reiwa era and the cloud share. After the run,
// whatever its result, the era table is read again.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate1101 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

// The era table from GENGO, through a connection of its own.
void ReloadGengoTable();

} // namespace vq::z5SystemDbUpdate1101
