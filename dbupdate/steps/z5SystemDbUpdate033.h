#pragma once
// System step 0.3.3. Empties the system user's initial password; only the row 0.3.2 wrote (its name, level and initial password), never an office's own operator 1.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate033 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

} // namespace vq::z5SystemDbUpdate033
