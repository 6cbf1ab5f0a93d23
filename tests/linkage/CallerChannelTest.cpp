// The channel back to a calling program: a listening caller receives the
// three messages; without one the tool goes on and logs the loss.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "linkage/CallerChannel.h"
#include "foundation/app/SystemDef.h"
#include "CallerListener.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using vq::linkage::CallerChannel;
namespace fs = std::filesystem;

namespace {

class CallerChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = vq::SystemDef;
        vq::SystemDef.LogDir = (root_.path() / "log").string();
    }
    void TearDown() override { vq::SystemDef = saved_; }

    vq::test::ScopedRoot root_;
    vq::TSystemDef saved_;
};

TEST_F(CallerChannelTest, AListeningCallerReceivesTheMessages)
{
    vq::test::CallerListener caller(4711);
    CallerChannel channel(4711);
    EXPECT_TRUE(channel.Disable());
    EXPECT_TRUE(channel.EnableAndRaise());
    EXPECT_TRUE(channel.Post(32769, 3, 1));
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"disable", "enable", "post 32769 3 1"}));
    EXPECT_FALSE(fs::exists(CallerChannel::LogFile()));
}

TEST_F(CallerChannelTest, WithoutAListenerTheLossIsLogged)
{
    CallerChannel channel(815);
    EXPECT_FALSE(channel.Post(32769, 1, 2));
    std::ifstream log(CallerChannel::LogFile());
    std::stringstream text;
    text << log.rdbuf();
    EXPECT_NE(text.str().find("caller 815 did not receive \"post 32769 1 2\""), std::string::npos) << text.str();

    CallerChannel standAlone;
    EXPECT_FALSE(standAlone.Disable());
}

} // namespace
