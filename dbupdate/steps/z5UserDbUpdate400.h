#pragma once
// Data step 4.0.0: converts a data set to the data format of the 4.0.0
// release and speeds up the balances of past years. Its script is the plain
// form of the scheme (SET NAMES, the version record last) with the part files
// of the sub-folder 400, chosen by the data kind and all required (a missing
// one ends the step with 18), followed by statements built from the open
// data set.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate400 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();
// The statements that depend on the open data set.
void AddDataDependentSql(TUpdateScript& script);

} // namespace vq::z5UserDbUpdate400
