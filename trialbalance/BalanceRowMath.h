#pragma once
// Row arithmetic shared by the engines: the sign rules of TAISHAKU, the
// per-period balances of a freshly read row, the clamped ratios and the sort
// of a key range.
#include <span>
#include <string>

#include "foundation/accounting/BalanceRecords.h"

namespace vq::balance {

// 1 and 4 are debit-natured: their net movement is debit minus credit.
inline bool isDebitNature(int taishaku) { return taishaku == 1 || taishaku == 4; }

inline Currency netMovement(int taishaku, Currency debit, Currency credit)
{
    return isDebitNature(taishaku) ? debit - credit : credit - debit;
}

// Into a total row an account adds (+1) when 1 or 3, subtracts (-1) when 2
// or 4, and leaves its balances out (0) otherwise.
inline int totalSign(int taishaku)
{
    if (taishaku == 1 || taishaku == 3)
        return 1;
    if (taishaku == 2 || taishaku == 4)
        return -1;
    return 0;
}

// ZOUGEN and ZAN of periods 0..16 from KAISIZAN, KAR and KAS.
template <class Row>
void rebuildBalances(Row& row, int taishaku)
{
    row.ZOUGEN[0] = row.KAISIZAN;
    row.ZAN[0] = row.KAISIZAN;
    for (int k = 1; k <= 16; ++k) {
        row.ZOUGEN[k] = netMovement(taishaku, row.KAR[k], row.KAS[k]);
        row.ZAN[k] = row.ZAN[k - 1] + row.ZOUGEN[k];
    }
}

// The opening (ZENZAN), the debit and credit sums of periods from..to and the
// comparison figure (ZENNEN) of each row from firstAccountRow on and of its
// sub-accounts.
// zeroOpening starts every row at 0 instead of carrying the periods before
// from; sameBalance takes ZENNEN from the closing balance of period to even
// for profit-and-loss rows, which otherwise sum their movements over the
// range.
void accumulatePeriodRange(std::span<TBALANCE> rows, int firstAccountRow, bool zeroOpening, bool sameBalance, int from, int to);

// Percent values are Currency with one decimal.
inline constexpr Currency PercentUpper = 9999 * CurrencyScale;
inline constexpr Currency PercentLower = -999 * CurrencyScale;
inline constexpr Currency HundredPercent = 100 * CurrencyScale;

inline Currency clampPercent(Currency percent)
{
    if (percent > PercentUpper)
        return PercentUpper;
    if (percent < PercentLower)
        return PercentLower;
    return percent;
}

// A sub-account's share of its row's closing balance: the percentage rounded
// half away from zero to one decimal, clamped; 0 when the row closes at 0.
Currency subAccountShare(Currency part, Currency whole);

// Sorts entries lo..hi of the keys (clamped to the span) byte-wise by key.
void sortKeys(std::span<TQSORT> sorts, int lo, int hi);

// "%s%2.2d": a group code followed by the line number of at least two digits.
std::string lineKey(const std::string& group, int subrec);

// Individual data: a line group exchanged between the sales and the
// miscellaneous-income groups by the account's record number and the code
// kind of the data set (the statement of an individual keeps them apart).
// clinicAsGeneral: code kind 3 follows the limits of code kind 1 (the custom
// scope does, the stored-procedure loader leaves code kind 3 alone).
std::string exchangeIndividualGroup(const std::string& group, int mstrec, int codeType, bool clinicAsGeneral);

} // namespace vq::balance
