#pragma once
// Data step 8.0.2: the budget management of corporate data. After the
// script the budget statements get their default groups and bands, and the
// program rights of the data set move from menu positions to program ids.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate802 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme();

// Corporate data only: the account groups and evaluation bands of the
// budget statements, by edition, and the bands of the accounts of the
// non-operating and extraordinary groups.
void AddKamokuKoseiGroup();
// The program rights of the data set's job level (1200 for a medical
// corporation's data, 200 for any other) by program id, written under the
// level they were read from.
void AddJobControl2();
// The program id and option of an old menu position of a data set; false
// for a position without a program.
bool JobControl2ProcId(std::int32_t pageNo, std::int32_t menuNo, bool medical, std::string& procId,
                       std::string& procOption);

} // namespace vq::z5UserDbUpdate802
