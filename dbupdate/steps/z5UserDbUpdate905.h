#pragma once
// Data step 9.0.5: the bulk adjustment of the medium-term budget. After the
// script the distributor editions clear the journal's DNUM.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate905 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

// Every journal row's DNUM back to 0 (distributor editions).
void ResetSiwakeDnum();

} // namespace vq::z5UserDbUpdate905
