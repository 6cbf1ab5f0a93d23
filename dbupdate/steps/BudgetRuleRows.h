#pragma once
// The default rows of the budget statements that data steps 8.0.2, 8.0.3
// and 9.0.2 write into the open data set, each statement on its own in the
// data set's default transaction: the account groups (KAMOKU_KOSEI_GROUP),
// the evaluation bands of the budget-versus-actual lines
// (HALBRIN_YOJITU_HYOKARULE) and the bands of the accounts of a group
// (KAMOKUMST.HALBRIN_YOJITU_*).
#include <initializer_list>
#include <string>

namespace vq {

// A line is good above its budget (revenue, profit) or below it (cost): the
// caution band is then 0.95 and below and the good band 1.05 and above, or
// 1.05 and above for caution and 0.95 and below for good.
enum class BudgetSide { HigherIsGood, LowerIsGood };

struct TKoseiGroupRows {
    const char* Name;
    std::initializer_list<const char*> Codes;
};

struct TYojituHyokaRule {
    const char* Code;   // four-digit line code
    const char* Name;
    BudgetSide Side;
};

// Runs one statement on the open data set.
void ExecDataSql(const std::string& sql);

void InsertKoseiGroups(std::initializer_list<TKoseiGroupRows> groups);
void InsertYojituHyokaRules(std::initializer_list<TYojituHyokaRule> rules);
// The accounts of GROUPM1 groupm1 take the bands of side.
void SetAccountBands(const char* groupm1, BudgetSide side);

} // namespace vq
