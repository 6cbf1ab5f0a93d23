#pragma once
// The trial-balance front: row clearing, ratios, the capacity of a trial
// balance and the dispatch of loading and period computation to the engine
// of the open data set's edition (AccInf.IsIryou 1 = medical).
//
// A trial balance is a pair of arrays owned by the caller: BalanceCapacity()
// rows and as many sort keys. Calling order: size both arrays, load
// (LoadTrialBalance or LoadTrialBalanceDefault), CalcBalancePeriods for the
// wanted range, then read the rows in the order of the sort keys, skipping
// hidden keys. CalcBalancePeriods may run again for another range.
#include <span>
#include <string>

#include "foundation/accounting/BalanceRecords.h"
#include "foundation/accounting/Currency.h"
#include "trialbalance/TrialBalanceEngine.h"

namespace vq {

inline constexpr int BalanceRowsGeneral = 500;
inline constexpr int BalanceRowsMedical = 700;

// The edition of the open data set.
BalanceEdition CurrentBalanceEdition();
// 700 rows for medical-corporation data, else 500.
int BalanceCapacity();
// The first account row of the open data set's edition (51 or 61).
int CurrentFirstAccountRow();

// Empties and zeroes a row, except its HOJO, MSTREC, SUBREC, KMKCNT and ZENNEN.
void ClearBalance(TBALANCE& row);
// Clears every row and points sort key i at row i with the hidden key.
// Sort keys beyond the rows are left alone; rows beyond the sort keys are
// cleared without a key. Returns false when there are fewer keys than rows.
bool InitBalanceArrays(std::span<TBALANCE> balances, std::span<TQSORT> sorts);

// A ratio as a percentage with one decimal, rounded half away from zero:
// 0.12345 -> 12.3 (123000 as Currency). Not-a-number gives 0; values beyond
// the range of Currency are held at its limits.
Currency RatioToPercent(double x);

// The message of a period range outside 1..16.
std::string PeriodRangeMessage(int fromPeriod, int toPeriod);

// Hand the load to the engine of the edition. False when the engine's load
// failed (it has shown why), and, with nothing loaded, when no engine is installed, there are fewer sort keys than rows, or the rows
// leave no room for the edition's total rows.
bool LoadTrialBalance(std::span<TBALANCE> balances, std::span<TQSORT> sorts, const std::string& code,
                      const std::string& bcode, int tax, int scope, int layout, int keskubun, int haibun,
                      int jigyou, int zenTax);
// The settlement-statement load: medical data layout 3 with scope 0; general
// data layout 4 with report kind kessanKind * 10.
bool LoadTrialBalanceDefault(std::span<TBALANCE> balances, std::span<TQSORT> sorts, int kessanKind,
                             int tax, int jigyou, int zenTax);
// Kind 1..6 selects its own range (quarters, half years); any other kind
// keeps fromPeriod..toPeriod. A range that is not 1 <= from <= to <= 16 shows
// "期間番号は「1～16」です。 [from-to]" and computes nothing (false); so does a
// missing engine, an array without room for the total rows, or a computation
// that a database error stopped.
bool CalcBalancePeriods(std::span<TBALANCE> balances, int zeroOpening, int kind, int fromPeriod,
                        int toPeriod, int jigyou);

} // namespace vq
