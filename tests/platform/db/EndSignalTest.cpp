// A program with the database library loaded still ends when it is asked
// to: SIGTERM and SIGINT end it, after the engine was shut down, instead of
// leaving it running with its connections gone.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "DbTestSupport.h"

using namespace vq;

namespace {

// The child's exit status, or -1 when it is still running after the wait.
int waitFor(pid_t child, std::chrono::seconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (::waitpid(child, &status, WNOHANG) == child)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return -1;
}

} // namespace

TEST(EndSignal, EndsAProgramWithAnOpenDatabase)
{
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        test::TempDir dir;
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            db::Attachment db;
            db.create(test::localParams(dir / "test.fdb"));
            test::runDdl(db, {"CREATE TABLE T (N INTEGER)"});
            [[maybe_unused]] const auto written = ::write(ready[1], "r", 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the child could not open its database";
        ::close(ready[0]);
        ASSERT_EQ(::kill(child, signal), 0);
        const int status = waitFor(child, std::chrono::seconds(20));
        ASSERT_NE(status, -1) << "the program kept running";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal) << status;
    }
}
