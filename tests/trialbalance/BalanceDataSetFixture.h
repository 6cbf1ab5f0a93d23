#pragma once
// A data module with one data set built from schema/ and filled by the test's
// own SQL, opened stand-alone, with both trial-balance engines installed and
// the open-data record set for the data set's edition. The scripted seam
// records every message.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "SchemaDatabase.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/ScriptedInteraction.h"
#include "trialbalance/BalanceEngines.h"
#include "trialbalance/BalanceFront.h"
#include "trialbalance/BalanceTables.h"

namespace vq::test {

class BalanceDataSetFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedDef_ = SystemDef;
        savedInf_ = AccInf;
        savedMode_ = ConnectMode;
        ConnectMode = ConnectStandAlone;
        DbFatalFlag = 0;
        SystemDef.SysDir = (root_.path() / "sys").string();
        SystemDef.DataDir = (root_.path() / "data" / "0001").string();
        SystemDef.LogDir = (root_.path() / "log").string();
        SystemDef.WinTempDir = (root_.path() / "tmp").string();
        SystemDef.HostName.clear();
        SystemDef.DbUser = "SYSDBA";
        SystemDef.DbPassword = "masterkey";
        for (const auto& dir : {SystemDef.SysDir, SystemDef.DataDir, SystemDef.LogDir, SystemDef.WinTempDir})
            std::filesystem::create_directories(dir);
        previousEnd_ = setProgramEndHook([] {});
        InstallBalanceEngines();
    }

    void TearDown() override
    {
        dm_.CloseAccDat("", 0, 0);
        setProgramEndHook(previousEnd_);
        SystemDef = savedDef_;
        AccInf = savedInf_;
        ConnectMode = savedMode_;
        SetBalanceTables(false);
    }

    // Builds the data set from the schema plus sql and opens it as the data
    // set of the given edition.
    void open(const std::string& sql, bool medical)
    {
        const auto file = std::filesystem::path(SystemDef.DataDir) / DataDbFileName;
        buildDatabase(SchemaKind::DataSet, file);
        openAs(sql, medical);
    }

    // Opens a copy of an existing data-set database, filled further by sql.
    void openCopy(const std::filesystem::path& database, const std::string& sql, bool medical)
    {
        std::filesystem::copy_file(database, std::filesystem::path(SystemDef.DataDir) / DataDbFileName);
        openAs(sql, medical);
    }

    void openAs(const std::string& sql, bool medical)
    {
        const auto file = std::filesystem::path(SystemDef.DataDir) / DataDbFileName;
        if (!sql.empty())
            runSql(file, sql);
        ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));
        AccInf.IsIryou = medical ? 1 : 0;
        SetBalanceTables(medical);
        balances_.assign(static_cast<std::size_t>(BalanceCapacity()), TBALANCE{});
        sorts_.assign(balances_.size(), TQSORT{});
    }

    // Account code (or line name when the row holds several) -> the row.
    std::map<std::string, const TBALANCE*> accountRows() const
    {
        std::map<std::string, const TBALANCE*> rows;
        for (const auto& s : sorts_) {
            const TBALANCE& b = balances_[static_cast<std::size_t>(s.SIDX)];
            if (!s.hidden() && !b.Account.KCODE.empty())
                rows.emplace(b.Account.KCODE == "-" ? b.Account.KNAME : b.Account.KCODE, &b);
        }
        return rows;
    }

    // The rows shown, in display order.
    std::vector<const TBALANCE*> shown() const
    {
        std::vector<const TBALANCE*> rows;
        for (const auto& s : sorts_)
            if (!s.hidden())
                rows.push_back(&balances_[static_cast<std::size_t>(s.SIDX)]);
        return rows;
    }

    // Key, name, opening and closing (yen) of every row shown.
    std::string table() const
    {
        std::ostringstream out;
        for (const auto& s : sorts_) {
            if (s.hidden())
                continue;
            const TBALANCE& b = balances_[static_cast<std::size_t>(s.SIDX)];
            out << s.SKEY << '|' << b.Account.KNAME << '|' << b.ZENZAN / CurrencyScale << '|'
                << b.TOUZAN / CurrencyScale << '\n';
        }
        return out.str();
    }

    const TBALANCE* accountRow(const std::string& kcode) const
    {
        for (const auto& b : balances_)
            if (b.Account.KCODE == kcode)
                return &b;
        return nullptr;
    }

    // The row of an account or line; a failure and an empty row when none.
    const TBALANCE& rowOf(const std::string& kcode, const std::string& kname = {}) const
    {
        for (const auto& b : balances_)
            if (b.Account.KCODE == kcode && (kname.empty() || b.Account.KNAME == kname))
                return b;
        ADD_FAILURE() << "no row " << kcode << " " << kname;
        static const TBALANCE none;
        return none;
    }

    TempDir root_;
    platform::ScopedScriptedInteraction seam_;
    TDM dm_;
    std::vector<TBALANCE> balances_;
    std::vector<TQSORT> sorts_;

private:
    TSystemDef savedDef_;
    TACCINF savedInf_;
    std::uint8_t savedMode_ = 0;
    ProgramEndFunc previousEnd_;
};

inline constexpr Currency yen(std::int64_t y) { return YenToCurrency(y); }

} // namespace vq::test
