#include "trialbalance/BalanceRowMath.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "foundation/accounting/QuickSortByKey.h"

namespace vq::balance {

Currency subAccountShare(Currency part, Currency whole)
{
    if (whole == 0)
        return 0;
    // Tenths of a percent, rounded half away from zero.
    const double tenths = std::round(static_cast<double>(part) / static_cast<double>(whole) * 1000.0);
    if (tenths > 99990.0)
        return PercentUpper;
    if (tenths < -9990.0)
        return PercentLower;
    return static_cast<Currency>(tenths) * (CurrencyScale / 10);
}

void accumulatePeriodRange(std::span<TBALANCE> rows, int firstAccountRow, bool zeroOpening, bool sameBalance, int from,
                           int to)
{
    for (std::size_t i = static_cast<std::size_t>(firstAccountRow); i < rows.size(); ++i) {
        TBALANCE& r = rows[i];
        const int t = r.Account.TAISHAKU;
        if (zeroOpening) {
            r.ZENZAN = 0;
            for (auto& e : r.HOJO)
                e.ZENZAN = 0;
        } else {
            r.ZENZAN = r.KAISIZAN;
            for (auto& e : r.HOJO)
                e.ZENZAN = e.KAISIZAN;
            for (int k = 1; k < from; ++k) {
                r.ZENZAN += netMovement(t, r.KAR[k], r.KAS[k]);
                for (auto& e : r.HOJO)
                    e.ZENZAN += netMovement(t, e.KAR[k], e.KAS[k]);
            }
        }
        for (int k = from; k <= to; ++k) {
            r.KARSUM += r.KAR[k];
            r.KASSUM += r.KAS[k];
            for (auto& e : r.HOJO) {
                e.KARSUM += e.KAR[k];
                e.KASSUM += e.KAS[k];
            }
        }
        if (sameBalance || r.Account.BSPL != "P") {
            r.ZENNEN = r.ZAN[to - 16];
        } else {
            for (int k = from; k <= to; ++k)
                r.ZENNEN += r.ZOUGEN[k - 16];
        }
    }
}

void sortKeys(std::span<TQSORT> sorts, int lo, int hi)
{
    if (sorts.empty())
        return;
    std::vector<TQSORT> items(sorts.begin(), sorts.end());
    QuickSortByKey(items, lo, hi);
    std::copy(items.begin(), items.end(), sorts.begin());
}

std::string lineKey(const std::string& group, int subrec)
{
    char number[16];
    std::snprintf(number, sizeof number, "%02d", subrec);
    return group + number;
}

std::string exchangeIndividualGroup(const std::string& group, int mstrec, int codeType, bool clinicAsGeneral)
{
    int upper = 0;  // records above this are miscellaneous income/expense
    if (codeType == 1 || (clinicAsGeneral && codeType == 3))
        upper = 97;
    else if (codeType == 4)
        upper = 78;
    if (upper != 0) {
        if (group == "4100" && mstrec > upper)
            return "7100";
        if (group == "6100" && mstrec > upper)
            return "7200";
        if (group == "7100" && mstrec <= upper)
            return "4100";
        if (group == "7200" && mstrec <= upper)
            return "6100";
        return group;
    }
    if (codeType == 2) {
        if (group == "6100" && mstrec > 63)
            return "7200";
        if (group == "7200" && mstrec <= 63)
            return "6100";
    }
    return group;
}

} // namespace vq::balance
