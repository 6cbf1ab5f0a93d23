#pragma once
// The engine of the general edition (corporations and individuals): loads a
// trial balance from the data set's trial-balance procedures into the total
// rows 0..50 and the account rows from 51 on, and computes a range of periods
// with the subtotals, totals, sign-dependent names and ratios of the general
// statements. Total rows are found through BalanceLineIndex.
//
// Loads run in the data module's snapshot transaction, the naming of the
// result lines in its data-set transaction; main thread only.
#include "trialbalance/TrialBalanceEngine.h"

namespace vq {

class GeneralBalanceEngine : public TrialBalanceEngine {
public:
    bool LoadTrialBalance(std::span<TBALANCE> balances, std::span<TQSORT> sorts,
                          const BalanceLoadArgs& args) override;
    bool CalcBalancePeriods(std::span<TBALANCE> balances, const BalancePeriodArgs& args) override;
};

// The number of periods of the 16-period calendar before the first day of
// fiscal month 1..12 (1 -> 0, 4 -> 4, 12 -> 14); 0 outside 1..12.
int MonthToPeriodCount(int month);

} // namespace vq
