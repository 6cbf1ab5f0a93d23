#include "platform/Process.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace std::chrono_literals;
using vq::platform::ProcessOptions;
using vq::platform::runProcess;

namespace {

const std::string tool = VQ_FAKE_TOOL;

TEST(Process, ExitCodeAndBothOutputs)
{
    auto r = runProcess(tool, {"out", "表示\n", "err", "oops", "exit", "3"});
    EXPECT_TRUE(r.started);
    EXPECT_FALSE(r.crashed);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.standardOutput, "表示\n");
    EXPECT_EQ(r.standardError, "oops");
    EXPECT_FALSE(r.succeeded());
    EXPECT_TRUE(runProcess(tool, {}).succeeded());
}

TEST(Process, LargeOutputOnBothPipesAndInput)
{
    // More than a pipe holds on each stream: reading one after the other would hang.
    auto big = runProcess(tool, {"big", "1000000"});
    EXPECT_TRUE(big.succeeded());
    EXPECT_EQ(big.standardOutput.size(), 1000000u);
    EXPECT_EQ(big.standardError.size(), 1000000u);

    ProcessOptions options;
    options.standardInput = std::string(300000, 'i') + "end";
    auto echo = runProcess(tool, {"echo"}, options);
    EXPECT_TRUE(echo.succeeded());
    EXPECT_EQ(echo.standardOutput, options.standardInput);

    // A child that never reads its input must not stop us (nor kill us by SIGPIPE).
    auto deaf = runProcess(tool, {"exit", "0"}, options);
    EXPECT_TRUE(deaf.succeeded());
}

TEST(Process, WorkingDirectoryAndEnvironment)
{
    vq::test::TempDir dir;
    ::setenv("VQ_PROCESS_TEST_KEPT", "kept", 1);
    ProcessOptions options;
    options.workingDirectory = dir.path();
    options.environment = {{"VQ_PROCESS_TEST", "値"}, {"VQ_PROCESS_TEST_KEPT", "overridden"}};
    auto r = runProcess(tool, {"pwd", "env", "VQ_PROCESS_TEST", "env", "VQ_PROCESS_TEST_KEPT", "env", "HOME"}, options);
    ::unsetenv("VQ_PROCESS_TEST_KEPT");
    EXPECT_TRUE(r.succeeded());
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    EXPECT_EQ(r.standardOutput, dir.path().string() + "\n値\noverridden\n" + home + "\n");
}

TEST(Process, TimeLimitCrashAndMissingProgram)
{
    ProcessOptions limited;
    limited.timeLimit = 300ms;
    auto start = std::chrono::steady_clock::now();
    auto hung = runProcess(tool, {"out", "partial", "hang"}, limited);
    EXPECT_TRUE(hung.started);
    EXPECT_TRUE(hung.timedOut);
    EXPECT_FALSE(hung.crashed);
    EXPECT_FALSE(hung.succeeded());
    EXPECT_EQ(hung.standardOutput, "partial");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);   // SIGTERM was enough

    // SIGTERM ignored: killed after the grace period.
    auto stubborn = runProcess(tool, {"ignore-term", "hang"}, limited);
    EXPECT_TRUE(stubborn.timedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 6s);

    ProcessOptions generous;
    generous.timeLimit = 30s;
    auto quick = runProcess(tool, {"exit", "0"}, generous);
    EXPECT_TRUE(quick.succeeded());

    auto crash = runProcess(tool, {"out", "before", "crash"});
    EXPECT_TRUE(crash.started);
    EXPECT_TRUE(crash.crashed);
    EXPECT_FALSE(crash.succeeded());
    EXPECT_EQ(crash.standardOutput, "before");

    auto missing = runProcess("/nonexistent/tool", {});
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(missing.succeeded());
    EXPECT_FALSE(runProcess("vq-no-such-program-on-path", {}).started);
    ProcessOptions nowhere;
    nowhere.workingDirectory = "/nonexistent/folder";
    auto lost = runProcess(tool, {}, nowhere);
    EXPECT_FALSE(lost.started);
    EXPECT_FALSE(lost.standardError.empty());   // why it could not run
    EXPECT_TRUE(runProcess("true", {}).succeeded());   // found on PATH
}

TEST(Process, ToolProgramsCanBeRedirected)
{
    ::unsetenv("VQ_GBAK");
    ::unsetenv("VQ_ISQL");
    EXPECT_EQ(vq::platform::gbakProgram(), "gbak");
    EXPECT_EQ(vq::platform::isqlProgram(), "isql-fb");
    ::setenv("VQ_GBAK", tool.c_str(), 1);
    ::setenv("VQ_ISQL", "/x/isql", 1);
    EXPECT_EQ(vq::platform::gbakProgram(), tool);
    EXPECT_EQ(vq::platform::isqlProgram(), "/x/isql");
    ::unsetenv("VQ_GBAK");
    ::unsetenv("VQ_ISQL");
}

} // namespace
