#include "platform/LockedAppend.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <system_error>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(LockedAppend, CreatesThenAppendsAfterWhatIsThere)
{
    vq::test::TempDir dir;
    const auto file = dir / "app.log";
    vq::platform::appendFileLocked(file, "one\r\n");
    vq::platform::appendFileLocked(file, std::string("t\0o\r\n", 5));
    EXPECT_EQ(vq::test::readBytes(file), std::string("one\r\nt\0o\r\n", 10));

    EXPECT_THROW(vq::platform::appendFileLocked(dir / "missing" / "app.log", "x"), std::system_error);
}

// A record that does not fit (a full disk, here a file size limit) is taken
// back whole, so the next record does not start inside it.
TEST(LockedAppend, RecordThatDoesNotFitIsTakenBack)
{
    vq::test::TempDir dir;
    const auto file = dir / "app.log";
    vq::platform::appendFileLocked(file, "first\r\n");

    // The limit is set in a child so the test process keeps its own.
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{10, 10};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            vq::platform::appendFileLocked(file, "a record too long to fit\r\n");
        } catch (const std::system_error&) {
            ::_exit(0);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the append did not fail";
    EXPECT_EQ(vq::test::readBytes(file), "first\r\n");

    vq::platform::appendFileLocked(file, "next\r\n");
    EXPECT_EQ(vq::test::readBytes(file), "first\r\nnext\r\n");
}

} // namespace
