#pragma once
// A data module with one data set built from schema/ (an individual's 2024
// fiscal year) and the fixed-asset rows a test inserts, opened stand-alone.
// The open-data record is set to truncating rounding and a 12-month year
// unless a test changes it before it creates its calculator.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "SchemaDatabase.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/ScriptedInteraction.h"

namespace vq::test {

class DepreciationDataSetFixture : public ::testing::Test {
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
    }

    void TearDown() override
    {
        dm_.CloseAccDat("", 0, 0);
        setProgramEndHook(previousEnd_);
        SystemDef = savedDef_;
        AccInf = savedInf_;
        ConnectMode = savedMode_;
    }

    std::filesystem::path databaseFile() const
    {
        return std::filesystem::path(SystemDef.DataDir) / DataDbFileName;
    }

    // Builds the data set, runs sql on it and opens it.
    void open(const std::string& sql)
    {
        buildDatabase(SchemaKind::DataSet, databaseFile());
        if (!sql.empty())
            runSql(databaseFile(), sql);
        ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));
        AccInf.DATATYPE = 2;
        AccInf.KISHU = encodeDate(2024, 1, 1);
        AccInf.KIMATU = encodeDate(2024, 12, 31);
        AccInf.SIME = 99;
        AccInf.SDAI_HASUU1 = 0;
        AccInf.SDAI_HASUU2 = 0;
        AccInf.SDAI_HASUU3 = 0;
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

} // namespace vq::test
