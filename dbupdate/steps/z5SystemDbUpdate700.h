#pragma once
// System step 7.0.0: the system database of the 15 release. Before the
// script the office's information row takes its newer form.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate700 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs.
TUpdateScheme Scheme();

// The office's information (SYSTEMINI row 10) into the settings record;
// where the facility release is on (RESERVE1 1) the row is written back
// with RESERVE3 1 and its text as NAME=, JYUSHO= and TEL= lines.
void ConvertSysIni10();

} // namespace vq::z5SystemDbUpdate700
