#pragma once
// The sample office (tools/make-sample-office, made once per test run by the
// ctest fixture) copied for one test: VQ_ROOT at the copy, the settings of its
// tax accountant logged on stand-alone, the data module on its system
// database, the data list pointing at the copy, and the scripted seam.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "SystemQueries.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"

#ifndef VQ_SAMPLE_OFFICE
#error "VQ_SAMPLE_OFFICE must name the sample office the test fixture made"
#endif

namespace vq::test {

class SampleOfficeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        savedMode_ = ConnectMode;
        savedBroken_ = DataBrokenCheckProc;
        const char* previous = std::getenv("VQ_ROOT");
        hadRoot_ = previous != nullptr;
        previousRoot_ = previous ? previous : "";
        openOffice(root_ / "office");
    }

    // Another copy of the sample office in place of the one in use: VQ_ROOT
    // and the settings at the copy, the data module on its system database.
    // A second office root stands for a second computer with its own office.
    void openOffice(const std::filesystem::path& office)
    {
        namespace fs = std::filesystem;
        ASSERT_TRUE(fs::is_directory(VQ_SAMPLE_OFFICE)) << "the sample office was not made";
        if (dm_.IBDatabaseDAT.connected())
            dm_.IBDatabaseDAT.disconnect();
        if (dm_.IBDatabaseDEF.connected())
            dm_.IBDatabaseDEF.disconnect();
        auto copied = platform::runProcess("cp", {"-a", VQ_SAMPLE_OFFICE, office.string()});
        ASSERT_TRUE(copied.succeeded()) << copied.standardError;
        ::setenv("VQ_ROOT", office.c_str(), 1);
        SystemDef = TSystemDef{};
        ASSERT_TRUE(InitSystemFolders(SystemDef));
        ConnectMode = ConnectStandAlone;
        DbFatalFlag = 0;
        SystemDef.HostName.clear();
        // The office's own database user, as its operators log on: the
        // owner of its databases, without the server administrator's rights.
        SystemDef.DbUser = DefaultDbUser;
        SystemDef.DbPassword = DefaultDbPassword;
        SystemDef.GROUPID = 10000;
        SystemDef.OperatorNo = 10;
        SystemDef.OPCODE = 100000010;
        SystemDef.OPNAME = "鈴木 一郎";
        SystemDef.JOBLEVEL = 9;
        SystemDef.DataDir.clear();
        ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
        dm_.GetLatestProgramVersion();
        const std::string copy = SystemDef.SysDir;
        const std::string original = (fs::path(VQ_SAMPLE_OFFICE) / fs::relative(copy, office)).string();
        exec("UPDATE DATALIST SET PASNAME = REPLACE(PASNAME, '" + original + "', '" + copy + "')");
    }

    void TearDown() override
    {
        DataBrokenCheckProc = savedBroken_;
        if (dm_.IBDatabaseDEF.connected())
            dm_.IBDatabaseDEF.disconnect();
        if (hadRoot_)
            ::setenv("VQ_ROOT", previousRoot_.c_str(), 1);
        else
            ::unsetenv("VQ_ROOT");
        ConnectMode = savedMode_;
        SystemDef = saved_;
    }

    std::string dataFolder(const char* slot) const { return (std::filesystem::path(SystemDef.SysDir) / slot).string(); }

    void exec(const std::string& sql) { execOn(dm_, sql); }
    std::int64_t scalar(const std::string& sql) { return scalarOn(dm_, sql); }
    // The first column of every row, as text.
    std::vector<std::string> texts(const std::string& sql) { return textsOn(dm_, sql); }

    TempDir root_;
    platform::ScopedScriptedInteraction seam_;
    TDM dm_;

private:
    TSystemDef saved_;
    std::uint8_t savedMode_ = 0;
    DataBrokenCheckFunc savedBroken_;
    bool hadRoot_ = false;
    std::string previousRoot_;
};

} // namespace vq::test
