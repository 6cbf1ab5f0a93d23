#pragma once
// A fixture for runs of the whole program on one sample office made for the
// suite (making it takes most of the time): each test points VQ_ROOT at it,
// answers dialogs by script and gets the program's globals back afterwards.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "linkage/LinkageStartup.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>

#ifndef VQ_MAKE_SAMPLE_OFFICE
#error "VQ_MAKE_SAMPLE_OFFICE must name the make-sample-office program"
#endif

namespace vq::test {

class SampleOfficeProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "sample_office_program_test";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr)
            new QApplication(argc, argv);
        dir_ = new TempDir;
        office_ = dir_->path() / "office";
        const auto run = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {office_.string()});
        officeMade_ = run.succeeded();
        officeError_ = run.standardError;
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(officeMade_) << officeError_;
        const char* previous = std::getenv("VQ_ROOT");
        hadRoot_ = previous != nullptr;
        previousRoot_ = previous ? previous : "";
        ::setenv("VQ_ROOT", office_.c_str(), 1);
        savedInfo_ = AppInfo;
        savedDef_ = SystemDef;
    }
    void TearDown() override
    {
        linkage::ReleaseDataModule();
        AppInfo = savedInfo_;
        SystemDef = savedDef_;
        ConnectMode = 0;
        if (hadRoot_)
            ::setenv("VQ_ROOT", previousRoot_.c_str(), 1);
        else
            ::unsetenv("VQ_ROOT");
    }

    static inline TempDir* dir_ = nullptr;
    static inline std::filesystem::path office_;
    static inline bool officeMade_ = false;
    static inline std::string officeError_;
    bool hadRoot_ = false;
    std::string previousRoot_;
    platform::ScopedScriptedInteraction seam_;
    TAppInfoRec savedInfo_;
    TSystemDef savedDef_;
};

} // namespace vq::test
