#pragma once
// System step 8.0.2: program rights by program id. After the script every
// right kept by menu position (JOBCONTROL) gets its row by program id
// (JOBCONTROL2).
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate802 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

// The JOBCONTROL rows as JOBCONTROL2 rows, each under the level it was read
// from; a position without a program is passed over.
void ConvertJobControl();

} // namespace vq::z5SystemDbUpdate802
