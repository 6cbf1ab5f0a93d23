#pragma once
// A data module over real databases built from schema/: the system database
// in <tmp>/sys and one data set in <tmp>/data/0001, stand-alone mode, the
// scripted interaction seam, and the run state put back afterwards.
#include <gtest/gtest.h>

#include <filesystem>

#include "SchemaDatabase.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/ScriptedInteraction.h"

namespace vq::test {

class DataModuleFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        savedMode_ = ConnectMode;
        savedProduct_ = ProductKind;
        ConnectMode = ConnectStandAlone;
        ProductKind = 0;
        DbFatalFlag = 0;
        SystemDef.SysDir = (root_.path() / "sys").string();
        SystemDef.DataDir = (root_.path() / "data" / "0001").string();
        SystemDef.LogDir = (root_.path() / "log").string();
        SystemDef.WinTempDir = (root_.path() / "tmp").string();
        SystemDef.HostName.clear();
        SystemDef.DbUser = "SYSDBA";
        SystemDef.DbPassword = "masterkey";
        SystemDef.GROUPID = 10000;
        SystemDef.OPCODE = 100001;
        SystemDef.OPNAME = "担当者";
        for (const auto& dir : {SystemDef.SysDir, SystemDef.DataDir, SystemDef.LogDir, SystemDef.WinTempDir})
            std::filesystem::create_directories(dir);
        buildDatabase(SchemaKind::System, std::filesystem::path(SystemDef.SysDir) / SysDbFileName);
        buildDatabase(SchemaKind::DataSet, std::filesystem::path(SystemDef.DataDir) / DataDbFileName);
        previousEnd_ = setProgramEndHook([this] { ++ends_; });
    }

    void TearDown() override
    {
        setProgramEndHook(previousEnd_);
        DbFatalFlag = 0;
        ConnectMode = savedMode_;
        ProductKind = savedProduct_;
        SystemDef = saved_;
    }

    std::filesystem::path dataFile() const { return std::filesystem::path(SystemDef.DataDir) / DataDbFileName; }

    TempDir root_;
    platform::ScopedScriptedInteraction seam_;
    TDM dm_;
    int ends_ = 0;

private:
    TSystemDef saved_;
    std::uint8_t savedMode_ = 0;
    std::uint8_t savedProduct_ = 0;
    ProgramEndFunc previousEnd_;
};

} // namespace vq::test
