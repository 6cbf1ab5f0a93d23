#pragma once
// System step 9.0.4: how the journal and the ledger open the description
// and customer dictionaries. The script writes only the version record;
// after it each operator's old switches become the eight new settings.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate904 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

// Each operator's automatic opening of the dictionaries (SYSDEF DICTEKAUTO,
// DICTORAUTO) and input switches as the eight settings of the description
// and customer fields.
void ConvertDicInputSettings();

} // namespace vq::z5SystemDbUpdate904
