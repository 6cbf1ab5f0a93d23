#pragma once
// System step 3.0.0. Adds the update lock and the consolidation flag to the data lists.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate300 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

} // namespace vq::z5SystemDbUpdate300
