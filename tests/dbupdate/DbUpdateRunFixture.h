#pragma once
// A data set at version 14.0.0 with the data module over it, and update
// steps made for the tests: 14.0.1, 14.0.2 and 14.0.3, each a fixed script
// run by the real isql, or a fixed result. A database's state is its schema
// text and a checksum of each table's rows.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "../foundation/data/DataModuleFixture.h"
#include "ScopedEnv.h"
#include "dbupdate/DbUpdateRun.h"
#include "dbupdate/SchemaText.h"
#include "dbupdate/UpdateStep.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::test {

struct DatabaseState {
    SchemaText schema;
    std::map<std::string, std::size_t> rows;   // table -> checksum of its rows
};

// Empty when both states are equal; otherwise the schema's difference (as
// tools/schema-diff shows it) and the tables whose rows differ.
inline std::string difference(const DatabaseState& a, const DatabaseState& b)
{
    std::string text = a.schema.differenceTo(b.schema);
    for (const auto& [name, sum] : a.rows) {
        const auto other = b.rows.find(name);
        if (other == b.rows.end() || other->second != sum)
            text += "rows of " + name + "\n";
    }
    for (const auto& [name, sum] : b.rows)
        if (!a.rows.count(name))
            text += "rows of " + name + "\n";
    return text;
}

inline std::string valueText(const db::Field& field)
{
    if (field.isNull())
        return "<null>";
    try {
        return field.asString();
    } catch (const db::DbError&) {
        return field.asBytes();   // a binary blob
    }
}

inline DatabaseState databaseState(const std::filesystem::path& file)
{
    DatabaseState state;
    state.schema = SchemaText::readFile(file);
    db::Attachment a = db::attachDatabase({file.string(), "SYSDBA", ""});
    db::Transaction tr(a, db::kReadCommitted);
    tr.start();
    db::Statement tables(a, tr,
                         "SELECT TRIM(RDB$RELATION_NAME) AS NAME FROM RDB$RELATIONS "
                         "WHERE RDB$SYSTEM_FLAG=0 AND RDB$VIEW_BLR IS NULL ORDER BY 1");
    tables.execute();
    std::vector<std::string> names;
    while (tables.fetch())
        names.push_back(tables.field("NAME").asString());
    for (const auto& name : names) {
        // A restore empties the operation history on purpose.
        if (name == "OPINF")
            continue;
        db::Statement q(a, tr, "SELECT * FROM \"" + name + "\"");
        q.execute();
        std::vector<std::string> rows;
        while (q.fetch()) {
            std::string row;
            for (std::size_t i = 0; i < q.fieldCount(); ++i)
                row += valueText(q.field(i)) + '\x1f';
            rows.push_back(row);
        }
        std::sort(rows.begin(), rows.end());
        std::string all;
        for (const auto& r : rows)
            all += r + '\x1e';
        state.rows[name] = std::hash<std::string>{}(all);
    }
    return state;
}

class DbUpdateRunFixture : public DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        SystemDef.TempDir = SystemDef.WinTempDir;
        SystemDef.SqlDir = (root_.path() / "sql").string();
        // The office's user, who owns the databases: a restore gives the
        // database to the user who restores it.
        SystemDef.DbUser = "VORLEN";
        SystemDef.DbPassword = "secret-pw";
        SystemDef.ComputerName = "TESTPC";
    }

    // The run's reconnection loads the data set's information, which adds
    // the settings it misses; a state to compare with is taken after that.
    DatabaseState settledState()
    {
        dm_.fnAccDatConnected({}, SystemDef.DataDir, 0);
        dm_.fnGetAccInfo();
        dm_.CloseAccDat(SystemDef.DataDir, 1, 1);
        return databaseState(dataFile());
    }

    // A data-set step of version 14.0.minor2 running statements (record last).
    static TUpdateScheme scheme(std::int32_t minor2, std::vector<std::string> statements)
    {
        TUpdateScheme s;
        s.Major = 14;
        s.Minor2 = minor2;
        s.RecordFirst = false;
        s.After = [statements](TUpdateScript& script) {
            for (const auto& line : statements)
                script.Add(line);
        };
        return s;
    }
    static TDbUpdateListRec step(std::int32_t minor2, std::int32_t backup, std::function<std::int32_t()> proc)
    {
        TDbUpdateListRec rec;
        rec.Major = 14;
        rec.Minor2 = minor2;
        rec.BackupFlag = backup;
        rec.Title = "テスト手順 14.0." + std::to_string(minor2);
        rec.Description = "説明 14.0." + std::to_string(minor2);
        rec.UpdateProc = std::move(proc);
        return rec;
    }
    static std::function<std::int32_t()> runs(TUpdateScheme s)
    {
        return [s] { return RunUpdateStep(s); };
    }
    // First and last steps that work; the middle one given.
    static TArrayDbUpdateListRec steps(std::int32_t backup, std::function<std::int32_t()> middle)
    {
        return {step(1, backup, runs(scheme(1, {"CREATE TABLE DBUP_T1 (A INTEGER);",
                                                "UPDATE ACCDEF1 SET SHOUGOU='一番目' WHERE REC=1;"}))),
                step(2, backup, std::move(middle)),
                step(3, backup, runs(scheme(3, {"UPDATE ACCDEF1 SET SHOUGOU='三番目' WHERE REC=1;"})))};
    }

    std::string scalar(const std::string& sql)
    {
        db::Attachment a = db::attachDatabase({dataFile().string(), "SYSDBA", ""});
        db::Transaction tr(a, db::kReadCommitted);
        tr.start();
        db::Statement q(a, tr, sql);
        q.execute();
        return q.fetch() ? q.field(std::size_t{0}).asString() : std::string("<none>");
    }
    std::string version()
    {
        return scalar("SELECT MAJOR||'.'||MINOR1||'.'||MINOR2 FROM ACCVERSION WHERE REC=1");
    }
};

} // namespace vq::test
