#pragma once
// Data step 12.0.0: adds the import of sales-management files and the read-only switch;
// in the distributor editions it removes the ToV (USB) save and restore from
// the favourite menus.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate1200 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

} // namespace vq::z5UserDbUpdate1200
