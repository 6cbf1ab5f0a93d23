#pragma once
// System step 1.0.1. Client/server only: checks the data-list folders under the system-database folder. The folders keep their letter case; this system's file names are case-sensitive.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate101 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

} // namespace vq::z5SystemDbUpdate101
