#pragma once
// Data step 1.0.2: before its script it repairs the past-year balance before
// the data's start from the opening balances (in process, with its own
// failure box); the script then repairs the depreciation assets of
// converted data, replaces the journal-total repair, keeps only the system
// account names in ACCDEF2 and makes the department trial balance anew.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate102 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs; its work before the script opens the data set,
// runs the repair and closes it again (16 when the repair failed).
TUpdateScheme Scheme();

// Writes each account's opening balance as the balance of the period before
// the data's start, on the open data set in its default transaction. False
// after a failure, which it has rolled back and shown.
bool RepairKanendoZan();

// The period before a data set's start month: 1→0, 2→1, 3→2, 4→4 ... 12→14
// (after months 3, 6 and 9 the quarter's adjustment period comes first).
// A start month outside 1-12 gives 0, the previous year's closing.
std::int32_t PeriodBeforeStart(std::int32_t startMonth);

} // namespace vq::z5UserDbUpdate102
