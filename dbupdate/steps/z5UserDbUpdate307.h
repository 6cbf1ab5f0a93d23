#pragma once
// Data step 3.0.7: adds the facility-group totals of medical corporations.
// Before the script the balance-row trigger KAMOKUSZ_AFTER_DELETE2 is made,
// empty, where the data set lacks it.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate307 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate307
