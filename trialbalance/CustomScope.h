#pragma once
// The custom scope (Scope 6) of both engines: the account rows of a facility
// or facility group and a department or department group, built straight
// from the balance tables (KAMOKU_SZ openings and allocation rates, KAMOKU_MS
// period amounts, KAMOKU_TAX tax totals) and, for the statement layouts, the
// line tables EXTERA4, EXTERA3 and EXTERKS. With allocation the amounts are
// built again over every facility that keeps departments and every
// department of the group, each taking its share of the common department
// "00".
//
// Runs in the data module's snapshot transaction, which the loader has
// started; database errors reach the loader's handler.
#include <span>

#include "foundation/accounting/BalanceRecords.h"

namespace vq {

// Fills the account rows after the loader laid out the total rows; returns
// the last row used (the first account row - 1 when none). overflow is set
// when an account found no free row.
int CalcCustomScope(std::span<TBALANCE> balances, std::span<TQSORT> sorts, const TCalcSisanhyoSettingRec& setting,
                    bool& overflow);

} // namespace vq
