#pragma once
// Data step 7.0.0: converts a data set to the data format of the 15 release.
// Before the script the data password moves to its encoded setting.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate700 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

// Moves the data password into its encoded setting. The encoding keeps 8
// characters of its 62 letters and digits only, so the encoded form is
// decoded again first: a password it cannot give back faithfully stays in
// its old setting (and the operator is told), since a cut password would
// lock the data set. The old setting goes only once the new one is written.
void ConvertDataPassword();

} // namespace vq::z5UserDbUpdate700
