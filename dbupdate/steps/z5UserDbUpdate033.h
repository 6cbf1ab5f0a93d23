#pragma once
// Data step 0.3.3: the management analysis (HALBRIN) gets its comparison
// columns and its 35 ratio items, every account gets its caution and good
// bands (the list chosen by the data kind), and the individual's capital
// carry-over is made anew.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate033 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();
// The account list of a data kind: corporate data the corporate list,
// otherwise code type 1 the general list and 2 the real-estate list; the
// other kinds (clinic, agriculture) none.
void AddAccountList(TUpdateScript& script, std::int32_t dataType, std::int32_t codeType);

} // namespace vq::z5UserDbUpdate033
