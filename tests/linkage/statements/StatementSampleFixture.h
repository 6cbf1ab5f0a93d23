#pragma once
// A data module with one of the sample office's individuals opened
// stand-alone: the data set is built from schema/ and filled by the same SQL
// that tools/make-sample-office writes, with the trial-balance engines
// installed and the open-data record filled. More SQL can change the data
// set before it is opened. The scripted seam records every message.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "SchemaDatabase.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/ScriptedInteraction.h"
#include "tools/SampleBusinesses.h"
#include "tools/SampleFixedAssets.h"
#include "tools/SampleStatements.h"
#include "trialbalance/BalanceEngines.h"
#include "trialbalance/BalanceTables.h"

namespace vq::test {

enum class SampleClient { General, RealEstate, Agriculture, HandEntered };

class StatementSampleFixture : public ::testing::Test {
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
        LoadBuiltinEraTable();
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

    static tools::SampleDataSet sample(SampleClient client)
    {
        std::vector<tools::SampleDataSet> sets = {tools::generalBusinessSample(1, 0), tools::realEstateSample(2, 0),
                                                  tools::agricultureSample(3, 0)};
        tools::addStatementSamples(sets);
        for (auto& set : sets)
            tools::addSampleFixedAssets(set);
        switch (client) {
        case SampleClient::General: return sets[0];
        case SampleClient::RealEstate: return sets[1];
        case SampleClient::Agriculture: return sets[2];
        case SampleClient::HandEntered: break;
        }
        return sets[3];
    }

    // Builds the client's data set, runs moreSql on it and opens it.
    void open(SampleClient client, const std::string& moreSql = {}) { open(sample(client), moreSql); }
    void open(const tools::SampleDataSet& set, const std::string& moreSql = {})
    {
        const auto file = std::filesystem::path(SystemDef.DataDir) / DataDbFileName;
        buildDatabase(SchemaKind::DataSet, file);
        runSql(file, tools::dataSetSql(set, 100000010) + moreSql);
        ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));
        AccInf = TACCINF{};
        ASSERT_TRUE(dm_.fnGetAccInfo());
    }

    TempDir root_;
    platform::ScopedScriptedInteraction seam_;
    TDM dm_;

private:
    TSystemDef savedDef_;
    TACCINF savedInf_;
    std::uint8_t savedMode_ = 0;
    ProgramEndFunc previousEnd_;
};

inline constexpr Currency yen(std::int64_t y) { return YenToCurrency(y); }

} // namespace vq::test
