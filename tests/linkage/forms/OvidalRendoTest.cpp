// The program's refusals: the accounting system, its tools or another copy
// of the tool running in another process each give their message, no window
// opens, and a calling program hears of the failure.
#include <gtest/gtest.h>

#include "../CallerListener.h"
#include "TempDir.h"
#include "linkage/InstanceGuard.h"
#include "linkage/forms/OvidalRendo.h"
#include "platform/NamedMutex.h"
#include "platform/RegistryStore.h"
#include "platform/ScriptedInteraction.h"

#include <QApplication>
#include <QWidget>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using namespace vq;
using vq::platform::NamedMutex;

namespace {

// Another process holding named mutexes until it is let go.
class Holder {
public:
    explicit Holder(std::vector<std::string> names)
    {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            std::vector<std::unique_ptr<NamedMutex>> held;
            for (const auto& name : names)
                held.push_back(NamedMutex::tryCreate(name));
            (void)!::write(ready[1], "y", 1);
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
    }
    ~Holder()
    {
        ::close(release_);
        int status;
        ::waitpid(pid_, &status, 0);
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
};

bool anyWindowShown()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            return true;
    }
    return false;
}

class OvidalRendoTest : public ::testing::Test {
protected:
    std::vector<std::string> shown()
    {
        std::vector<std::string> texts;
        for (const auto& m : seam_->messages)
            texts.push_back(m.text);
        return texts;
    }

    test::ScopedRoot root_;
    platform::ScopedScriptedInteraction seam_;
};

TEST_F(OvidalRendoTest, EachRunningProgramOfTheLineRefusesTheStart)
{
    struct Case {
        std::vector<std::string> held;
        const char* message;
    };
    const Case cases[] = {
        {{linkage::kAccountingMutex}, "Pelmora財務が起動しています。同時に起動することは出来ません。"},
        {{linkage::kToolsMutex}, "Pelmora財務ツールが起動しています。同時に起動することは出来ません。"},
        {{linkage::kInstanceMutex}, "アプリケーションは既に起動しています。"},
        // The accounting system decides when its tools run as well.
        {{linkage::kToolsMutex, linkage::kAccountingMutex, linkage::kInstanceMutex},
         "Pelmora財務が起動しています。同時に起動することは出来ません。"},
    };
    for (const auto& c : cases) {
        seam_->messages.clear();
        Holder holder(c.held);
        EXPECT_EQ(linkage::RunOvidalRendo({}), 0);
        EXPECT_EQ(shown(), std::vector<std::string>{c.message});
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_EQ(seam_->messages[0].kind, platform::MessageKind::Information);
        EXPECT_FALSE(anyWindowShown());
    }
    EXPECT_FALSE(linkage::StartRefusalMessage()) << "the names go with the processes";

    // A caller keeps its window disabled until it hears of the end.
    test::CallerListener caller(931);
    for (const char* held : {linkage::kAccountingMutex, linkage::kInstanceMutex}) {
        Holder holder({held});
        EXPECT_EQ(linkage::RunOvidalRendo({"931,32769,2,/x.xml"}), 0);
    }
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"enable", "post 32769 2 2", "enable", "post 32769 2 2"}));
}

TEST_F(OvidalRendoTest, ASecondCopyOfTheProgramIsRefused)
{
    auto store = platform::RegistryStore::machine();
    store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Product", "ヴォルレン財務 Ver.22");
    store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Version", "14.0.0");
    // The first copy runs the real program; it waits at its logon.
    const pid_t first = ::fork();
    if (first == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(VQ_OVIDAL_RENDO, VQ_OVIDAL_RENDO, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    bool running = false;
    for (int i = 0; i < 200 && !running; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        running = NamedMutex::exists(linkage::kInstanceMutex);
    }
    EXPECT_TRUE(running);
    EXPECT_EQ(linkage::RunOvidalRendo({}), 0);
    EXPECT_EQ(shown(), std::vector<std::string>{"アプリケーションは既に起動しています。"});
    EXPECT_FALSE(anyWindowShown());

    ::kill(first, SIGTERM);
    int status = 0;
    ::waitpid(first, &status, 0);
    EXPECT_FALSE(linkage::StartRefusalMessage()) << "a new copy may start once the first is gone";
}

} // namespace
