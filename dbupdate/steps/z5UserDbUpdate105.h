#pragma once
// Data step 1.0.5: the dictionary links get their own record, JOBCONTROL is
// made anew with a record number (its menu rights carried over, numbered
// in order) and the total-line names ACCTOTALNAME are made anew with the
// default rows of the data kind.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate105 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set (its information
// and whether it holds JOBCONTROL already).
TUpdateScheme Scheme();
// The JOBCONTROL statements: the rows carried over when the table exists.
void AddJobControl(TUpdateScript& script, bool exists);
// The ACCTOTALNAME rows of a data kind: 38 corporate, 31 individual general,
// 24 individual real estate, none for the other kinds.
void AddTotalNames(TUpdateScript& script, std::int32_t dataType, std::int32_t codeType);

} // namespace vq::z5UserDbUpdate105
