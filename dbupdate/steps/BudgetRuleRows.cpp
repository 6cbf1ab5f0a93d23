#include "dbupdate/steps/BudgetRuleRows.h"

#include <stdexcept>

#include "dbupdate/UpdateScript.h"
#include "foundation/data/DataModule.h"

namespace vq {

namespace {

// RATE1, KIND1, RATE2, KIND2 of a band.
std::string bandValues(BudgetSide side)
{
    return side == BudgetSide::HigherIsGood ? "0.95,0,1.05,1" : "1.05,1,0.95,0";
}

std::string quoted(const char* text)
{
    return "'" + TUpdateScript::Quoted(text) + "'";
}

} // namespace

void ExecDataSql(const std::string& sql)
{
    if (!DM)
        throw std::runtime_error("no data module");
    db::Statement statement(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT, sql);
    statement.execute();
}

void InsertKoseiGroups(std::initializer_list<TKoseiGroupRows> groups)
{
    for (const auto& group : groups)
        for (const char* code : group.Codes)
            ExecDataSql("INSERT INTO KAMOKU_KOSEI_GROUP VALUES(" + quoted(group.Name) + "," + quoted(code) + ",' ')");
}

void InsertYojituHyokaRules(std::initializer_list<TYojituHyokaRule> rules)
{
    for (const auto& rule : rules)
        ExecDataSql("INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES(" + quoted(rule.Code) + "," + quoted(rule.Name) + "," +
                    bandValues(rule.Side) + ")");
}

void SetAccountBands(const char* groupm1, BudgetSide side)
{
    const bool higher = side == BudgetSide::HigherIsGood;
    ExecDataSql(std::string("UPDATE KAMOKUMST SET HALBRIN_YOJITU_RATE1=") + (higher ? "0.95" : "1.05") +
                ",HALBRIN_YOJITU_KIND1=" + (higher ? "0" : "1") + ",HALBRIN_YOJITU_RATE2=" +
                (higher ? "1.05" : "0.95") + ",HALBRIN_YOJITU_KIND2=" + (higher ? "1" : "0") +
                " WHERE GROUPM1=" + quoted(groupm1));
}

} // namespace vq
