#pragma once
// The engine of medical-corporation data: total rows 0..60 placed by
// ACCTOTALNAME (per business kind, with the totals of kinds that have no
// facility hidden), account rows from 61 on with four group codes chosen by
// the business kind, five layouts and seven scopes; the range computation
// sums each total row from the accounts between the codes of the total row
// before it and its own, then applies the fixed formulas between total rows.
//
// Loads run in the data module's snapshot transaction; main thread only.
#include "trialbalance/TrialBalanceEngine.h"

namespace vq {

class MedicalBalanceEngine : public TrialBalanceEngine {
public:
    bool LoadTrialBalance(std::span<TBALANCE> balances, std::span<TQSORT> sorts,
                          const BalanceLoadArgs& args) override;
    bool CalcBalancePeriods(std::span<TBALANCE> balances, const BalancePeriodArgs& args) override;
};

// Totals, formulas and ratios of period index p (0..16) in the per-period
// arrays (the layout-4 load runs it for every period).
void CalcPeriodTotalsMedical(std::span<TBALANCE> balances, int p, int jigyou);

// 0 when x lies beyond 9999.0 or below -999.0, else x.
Currency ZeroRatioOutOfRange(Currency x);

} // namespace vq
