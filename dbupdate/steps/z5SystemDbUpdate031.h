#pragma once
// System step 0.3.1. Adds the shared-server lists: the numbered version rows, the server data list rebuilt per group, and the data selection's search conditions.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate031 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

} // namespace vq::z5SystemDbUpdate031
