#pragma once
// The engines behind the trial-balance front: one for the general edition and
// one for medical-corporation data. The front picks the engine of the open
// data set's edition (AccInf.IsIryou) and hands the call on; an engine is
// installed once at program start.
#include <memory>
#include <span>
#include <string>

#include "foundation/accounting/BalanceRecords.h"

namespace vq {

enum class BalanceEdition { General, Medical };

// What a load is asked for. The general engine takes every field except
// Jigyou, the medical engine every field up to and including Jigyou.
struct BalanceLoadArgs {
    std::string Code;       // facility (branch) or branch-group code
    std::string BCode;      // department or department-group code
    int Tax = 0;            // 0 with consumption tax, 1 without
    int Scope = 0;          // the part of the data set; the report kind for layout 4
    int Layout = 0;         // 0 with sub-accounts, 1 A4, 2 A3, 3 total rows, 4 settlement
    int Keskubun = 0;
    int Haibun = 0;         // allocation switch
    int Jigyou = 0;         // business kind
    int ZenTax = 0;         // previous-year tax mode
    friend bool operator==(const BalanceLoadArgs&, const BalanceLoadArgs&) = default;
};

// What a period computation is asked for. The range has been checked by the
// front: 1 <= FromPeriod <= ToPeriod <= 16 once Kind's own range is applied.
struct BalancePeriodArgs {
    int ZeroOpening = 0;    // 1 starts every account at 0
    int Kind = 0;           // 1..4 quarters, 5..6 half years, else the range below
    int FromPeriod = 1;
    int ToPeriod = 16;
    int Jigyou = 0;         // medical engine only
    friend bool operator==(const BalancePeriodArgs&, const BalancePeriodArgs&) = default;
};

class TrialBalanceEngine {
public:
    virtual ~TrialBalanceEngine() = default;
    // Initialises the arrays, fills the rows and sorts the keys. The front
    // guarantees sorts.size() >= balances.size() and room for every total row.
    // False when the load failed (a database error, shown to the operator, or
    // more accounts than rows); the rows then hold what was read before.
    virtual bool LoadTrialBalance(std::span<TBALANCE> balances, std::span<TQSORT> sorts,
                                  const BalanceLoadArgs& args) = 0;
    // Recomputes the range results of the loaded rows. False when a database
    // error (reported) stopped it.
    virtual bool CalcBalancePeriods(std::span<TBALANCE> balances, const BalancePeriodArgs& args) = 0;
};

// Installs the engine of an edition and returns the one it replaces.
std::shared_ptr<TrialBalanceEngine> InstallTrialBalanceEngine(BalanceEdition edition,
                                                              std::shared_ptr<TrialBalanceEngine> engine);
// The installed engine of an edition; nullptr when none is.
TrialBalanceEngine* TrialBalanceEngineOf(BalanceEdition edition);

} // namespace vq
