#include "platform/NamedMutex.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using vq::platform::NamedMutex;

namespace {

// A second process holding a mutex until told to let go.
class Holder {
public:
    explicit Holder(const std::string& name)
    {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            auto mutex = NamedMutex::tryCreate(name);
            char answer = mutex ? 'y' : 'n';
            (void)!::write(ready[1], &answer, 1);
            char c;
            (void)!::read(release[0], &c, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char answer = 0;
        (void)!::read(ready[0], &answer, 1);
        ::close(ready[0]);
        held_ = answer == 'y';
    }
    ~Holder() { stop(); }
    bool held() const { return held_; }
    void stop()
    {
        if (pid_ <= 0)
            return;
        ::close(release_);
        int status;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool held_ = false;
};

TEST(NamedMutex, HeldByAnotherProcess)
{
    vq::test::ScopedRoot root;
    const std::string name = "Global\\Vorlen/Accounting";
    EXPECT_FALSE(NamedMutex::exists(name));

    Holder other(name);
    ASSERT_TRUE(other.held());
    EXPECT_TRUE(NamedMutex::exists(name));
    EXPECT_EQ(NamedMutex::tryCreate(name), nullptr);

    other.stop();   // the lock goes with the process
    EXPECT_FALSE(NamedMutex::exists(name));
    auto mine = NamedMutex::tryCreate(name);
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(mine->name(), name);

    Holder late(name);
    EXPECT_FALSE(late.held());
}

TEST(NamedMutex, HeldInThisProcess)
{
    vq::test::ScopedRoot root;
    {
        auto first = NamedMutex::tryCreate("app");
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(NamedMutex::exists("app"));
        EXPECT_EQ(NamedMutex::tryCreate("app"), nullptr);   // as CreateMutex reports "already exists"
        EXPECT_FALSE(NamedMutex::exists("App"));            // names keep their case
        EXPECT_FALSE(NamedMutex::exists("other"));
    }
    EXPECT_FALSE(NamedMutex::exists("app"));
    EXPECT_NE(NamedMutex::tryCreate("app"), nullptr);
}

} // namespace
