#pragma once
// Data step 0.1.3: the audit items table made anew with its keys, the audit
// report row and the first audit item.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate013 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs (its column tests ask the open data set).
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate013
