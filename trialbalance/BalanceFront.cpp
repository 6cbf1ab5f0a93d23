#include "trialbalance/BalanceFront.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "foundation/app/AccInf.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/calendar/FiscalCalendar.h"
#include "platform/Interaction.h"
#include "trialbalance/BalanceTables.h"

namespace vq {

namespace {

int firstAccountRowOf(BalanceEdition edition)
{
    return edition == BalanceEdition::Medical ? MedicalFirstAccountRow : FirstAccountRow;
}

// The engine of the open edition, when the rows leave room for its total rows.
TrialBalanceEngine* engineFor(std::size_t rows)
{
    const BalanceEdition edition = CurrentBalanceEdition();
    if (rows < static_cast<std::size_t>(firstAccountRowOf(edition)))
        return nullptr;
    return TrialBalanceEngineOf(edition);
}

} // namespace

BalanceEdition CurrentBalanceEdition()
{
    return AccInf.IsIryou == 1 ? BalanceEdition::Medical : BalanceEdition::General;
}

int BalanceCapacity()
{
    return CurrentBalanceEdition() == BalanceEdition::Medical ? BalanceRowsMedical : BalanceRowsGeneral;
}

int CurrentFirstAccountRow()
{
    return firstAccountRowOf(CurrentBalanceEdition());
}

void ClearBalance(TBALANCE& row)
{
    // The sub-accounts, the master links, the account count and the
    // previous-year amount survive: the loaders and the period computation
    // set them themselves.
    std::vector<THOJOUTIWAKE> hojo = std::move(row.HOJO);
    const std::int32_t mstrec = row.MSTREC;
    const std::int32_t subrec = row.SUBREC;
    const std::int32_t kmkcnt = row.KMKCNT;
    const Currency zennen = row.ZENNEN;
    row = TBALANCE{};
    row.HOJO = std::move(hojo);
    row.MSTREC = mstrec;
    row.SUBREC = subrec;
    row.KMKCNT = kmkcnt;
    row.ZENNEN = zennen;
}

bool InitBalanceArrays(std::span<TBALANCE> balances, std::span<TQSORT> sorts)
{
    for (std::size_t i = 0; i < balances.size(); ++i) {
        ClearBalance(balances[i]);
        if (i < sorts.size())
            sorts[i] = TQSORT{HiddenSortKey, static_cast<std::int32_t>(i)};
    }
    return sorts.size() >= balances.size();
}

Currency RatioToPercent(double x)
{
    if (std::isnan(x))
        return 0;
    const long double scaled = static_cast<long double>(x) * 10000000.0L;
    const long double t = std::trunc((x < 0 ? scaled - 5000.0L : scaled + 5000.0L) / 10000.0L);
    constexpr Currency limit = std::numeric_limits<Currency>::max() / 1000;
    if (t >= static_cast<long double>(limit))
        return limit * 1000;
    if (t <= -static_cast<long double>(limit))
        return -limit * 1000;
    return static_cast<Currency>(t) * 1000;
}

std::string PeriodRangeMessage(int fromPeriod, int toPeriod)
{
    char text[96];
    std::snprintf(text, sizeof text, "期間番号は「1～16」です。 [%d-%d]", fromPeriod, toPeriod);
    return text;
}

bool LoadTrialBalance(std::span<TBALANCE> balances, std::span<TQSORT> sorts, const std::string& code,
                      const std::string& bcode, int tax, int scope, int layout, int keskubun, int haibun,
                      int jigyou, int zenTax)
{
    if (sorts.size() < balances.size())
        return false;
    TrialBalanceEngine* engine = engineFor(balances.size());
    if (!engine)
        return false;
    const BalanceLoadArgs args{code, bcode, tax, scope, layout, keskubun, haibun, jigyou, zenTax};
    return engine->LoadTrialBalance(balances, sorts, args);
}

bool LoadTrialBalanceDefault(std::span<TBALANCE> balances, std::span<TQSORT> sorts, int kessanKind,
                             int tax, int jigyou, int zenTax)
{
    if (CurrentBalanceEdition() == BalanceEdition::Medical)
        return LoadTrialBalance(balances, sorts, "", "", tax, 0, 3, 1, 0, jigyou, 0);
    return LoadTrialBalance(balances, sorts, "dummy", "dummy", tax, kessanKind * 10, 4, 1, 0, jigyou, zenTax);
}

bool CalcBalancePeriods(std::span<TBALANCE> balances, int zeroOpening, int kind, int fromPeriod,
                        int toPeriod, int jigyou)
{
    // The engines index the period arrays by the range (and 16 before it for
    // the previous year), so a range outside the calendar is refused here. A
    // range from the opening (period 0) stays: the engine shows why it is
    // odd and computes it from the plain openings.
    const PeriodRange range = PeriodRangeOfKind(kind).value_or(PeriodRange{fromPeriod, toPeriod});
    if ((range.from != 0 && !IsValidPeriod(range.from)) || !IsValidPeriod(range.to) || range.from > range.to) {
        ShowCommaMessage(PeriodRangeMessage(fromPeriod, toPeriod), platform::MessageKind::Error);
        return false;
    }
    TrialBalanceEngine* engine = engineFor(balances.size());
    if (!engine)
        return false;
    return engine->CalcBalancePeriods(balances, BalancePeriodArgs{zeroOpening, kind, fromPeriod, toPeriod, jigyou});
}

} // namespace vq
