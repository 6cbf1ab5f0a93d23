#pragma once
// Data step 0.1.5: deleting a sub-account or a department no longer breaks on
// the dictionaries and audit items that name it (they fall back to the blank
// code), the past-years opening balance follows KAMOKU_SZ, KESSAN gets the
// note-table print switch and the blue-return tables are made.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate015 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs (its column tests ask the open data set).
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate015
