#pragma once
// Data step 9.0.4: the adjustment of actual amounts in the medium-term
// budget and the journal imports. After the script the settlement
// statement's print switches move from the operator's settings into the
// data set.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate904 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

// The seven print switches of KESSAN row 1: the logged-on operator's for
// corporate data, all off for individual data; a medical corporation's data
// keeps its own.
void CopyKessanPrintFlags();

} // namespace vq::z5UserDbUpdate904
