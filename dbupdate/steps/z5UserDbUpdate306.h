#pragma once
// Data step 3.0.6: adds default accounts to the data of medical
// corporations. Before the script it works on the data set: the account
// count of medical data chooses which part file adds the accounts (377
// accounts the first, 567 the second, any other count neither), the fixed
// accounts of tax, carried-forward profit and sundries of medical data get
// their sub-account switch '×', and converted data gets its opening
// balances written as the balance without tax of the period before its
// first month.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate306 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information; its
// work before the script decides which part file is read.
TUpdateScheme Scheme();

// The period (MNUM of KAMOKU_PZ) just before the period of month 1 to 12 of
// the fiscal year in the 16-period calendar; 0 for any other month.
int PeriodBefore(int month);

} // namespace vq::z5UserDbUpdate306
