#pragma once
// Data step 0.4.1: the audit items become the twelve standard items, whose
// accounts follow the data type (corporate or individual chart).
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate041 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();
// The statements for data type dataType (1 corporation).
void AddAuditItems(TUpdateScript& script, std::int32_t dataType);

} // namespace vq::z5UserDbUpdate041
