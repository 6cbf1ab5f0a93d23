#pragma once
// Data step 3.0.4: renews what the cash-book exchange relies on. Its last
// part file makes the account trigger KAMOKUMST_AFTER_UPDATE2 and is read
// only when the data set lacks it, which the step asks before the script.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate304 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate304
