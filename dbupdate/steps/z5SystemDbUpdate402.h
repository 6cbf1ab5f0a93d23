#pragma once
// System step 4.0.2: the data-status and spare columns of the four data
// lists, which the data selection reads in every edition, so they are added
// in every edition; the maker's edition first checks the data-list folders
// (client/server only).
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate402 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

} // namespace vq::z5SystemDbUpdate402
