#include "dbupdate/steps/OldDataStep.h"

#include <regex>
#include <stdexcept>

#include "dbupdate/steps/StepSql.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace vq::old_data_step {

bool DataColumnExists(const std::string& table, const std::string& column)
{
    if (!DM)
        return false;
    DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 0);
    bool exists = false;
    if (DM->IBDatabaseDAT.connected()) {
        try {
            db::TransactionScope scope(DM->IBTransactionDAT);
            exists = DM->fnExistence_Field(table, column);
            scope.commit();
        } catch (const db::DbError&) {
            // Unreadable: the lines are added and isql tells.
        }
    }
    DM->CloseAccDat(SystemDef.DataDir, 0, 0);
    return exists;
}

void AddColumnTest(TUpdateScript& script, ColumnTest test)
{
    switch (test) {
    case ColumnTest::SdaiHasuu3:
        if (DataColumnExists("ACCDEF1", "SDAI_HASUU3"))
            return;
        script.Add("ALTER TABLE ACCDEF1");
        script.Add("ADD SDAI_HASUU3 INTEGER DEFAULT 0;");
        script.Add("UPDATE ACCDEF1 SET SDAI_HASUU3=0 WHERE REC=1;");
        break;
    case ColumnTest::KessanKikan:
        if (DataColumnExists("ACCDEF1", "KESSAN_KIKAN"))
            return;
        script.Add("ALTER TABLE ACCDEF1");
        script.Add("ADD KESSAN_KIKAN INTEGER DEFAULT -1,");
        script.Add("ADD CASHFLOW_KIKAN1 INTEGER DEFAULT -1,");
        script.Add("ADD CASHFLOW_KIKAN2 INTEGER DEFAULT -1;");
        script.Add("UPDATE ACCDEF1 SET KESSAN_KIKAN=-1,CASHFLOW_KIKAN1=-1,CASHFLOW_KIKAN2=-1 WHERE REC=1;");
        break;
    case ColumnTest::ChukiTitlePrint:
        if (DataColumnExists("KESSAN", "CHUKI_TITLEPRINT"))
            return;
        script.Add("/* KESSANテーブルへ注記表タイトル印字区分を追加 */");
        script.Add("ALTER TABLE KESSAN");
        script.Add("ADD CHUKI_TITLEPRINT INTEGER DEFAULT 0;");
        script.Add("UPDATE KESSAN SET CHUKI_TITLEPRINT=0 WHERE REC=1;");
        break;
    }
    script.Add("COMMIT;");
}

TUpdateScheme Scheme(std::int32_t minor2, std::function<void(TUpdateScript&)> statements)
{
    return Scheme(0, 1, minor2, std::move(statements));
}

TUpdateScheme Scheme(std::int32_t major, std::int32_t minor1, std::int32_t minor2,
                     std::function<void(TUpdateScript&)> statements)
{
    TUpdateScheme s;
    s.Mode = 1;
    s.Major = major;
    s.Minor1 = minor1;
    s.Minor2 = minor2;
    s.SetNames = false;
    s.RecordFirst = false;
    s.Memo = MemoForm::Date;
    if (statements)
        s.After = std::move(statements);
    return s;
}

namespace {

std::string_view procedureText(std::string_view file, const std::string& name)
{
    const std::string_view sql = StepSql(file);
    const std::string head = "CREATE OR ALTER PROCEDURE " + name + " ";
    const auto begin = sql.find(head);
    const auto end = begin == std::string_view::npos ? begin : sql.find("\nEND^", begin);
    if (end == std::string_view::npos)
        throw std::out_of_range("no procedure " + name + " in " + std::string(file));
    return sql.substr(begin, end + 5 - begin);
}

} // namespace

void AddStepSql(TUpdateScript& script, std::string_view name)
{
    static const std::regex reference(R"(/\* PROCEDURE (\w+) AS IN (\w+) \*/)");
    TUpdateScript own;
    own.AddSqlText(StepSql(name));
    for (const auto& line : own.Lines()) {
        std::smatch m;
        if (std::regex_match(line, m, reference))
            script.AddSqlText(procedureText(m[2].str(), m[1].str()));
        else
            script.Add(line);
    }
}

} // namespace vq::old_data_step
