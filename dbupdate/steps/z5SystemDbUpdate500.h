#pragma once
// System step 5.0.0: the data places of the client/server edition (the place
// list with its 100 fixed rows, the data lists of the other places, the slot
// procedure over both); the distributor editions also switch the trial
// balance's totals output on.
#include <cstdint>
#include <string>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate500 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

// The 100 rows of DATAPLACEMAN for the system-database folder.
void AddDataPlaceRows(TUpdateScript& script);

} // namespace vq::z5SystemDbUpdate500
