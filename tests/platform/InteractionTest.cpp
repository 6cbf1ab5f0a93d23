#include "platform/Interaction.h"
#include "platform/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

using namespace vq::platform;

namespace {

TEST(Interaction, HeadlessDefaultAnswersWithTheDefaultButton)
{
    MessageRequest request;
    request.buttons = Buttons::YesNoCancel;
    EXPECT_EQ(interaction().message(request), ResultYes);
    request.defaultButton = 1;
    EXPECT_EQ(interaction().message(request), ResultNo);
    request.defaultButton = 2;
    EXPECT_EQ(interaction().message(request), ResultCancel);
    request.buttons = Buttons::OkCancel;
    request.defaultButton = 5;   // out of range: the first button
    EXPECT_EQ(defaultResultOf(request), ResultOk);
    EXPECT_EQ(interaction().input("c", "p", "i", false), std::nullopt);
    EXPECT_FALSE(interaction().openUrl("https://example.com"));
    EXPECT_FALSE(interaction().computerName().empty());
}

TEST(Interaction, SystemNowIsADayNumberOfLocalTime)
{
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    double now = systemNow();
    double fraction = now - std::floor(now);
    double expected = (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
    EXPECT_NEAR(fraction, expected, 5.0 / 86400);
    EXPECT_GT(now, 45000.0);   // after 2023
    EXPECT_LT(now, 80000.0);
}

TEST(Interaction, ScriptedSeamRecordsAndAnswers)
{
    {
        ScopedScriptedInteraction seam;
        seam->messageAnswers = {ResultNo};
        seam->inputAnswers = {std::string("secret")};
        EXPECT_EQ(showMessage("続けますか?", MessageKind::Confirmation, Buttons::YesNo), ResultNo);
        EXPECT_EQ(showMessage("again", MessageKind::Warning, Buttons::OkCancel), ResultOk);   // queue empty
        EXPECT_EQ(interaction().input("c", "パスワード", "", true), "secret");
        EXPECT_EQ(interaction().input("c", "again", "", false), std::nullopt);
        EXPECT_TRUE(interaction().openUrl("https://example.com/"));
        EXPECT_EQ(interaction().now(), 46000.5);
        EXPECT_EQ(interaction().userName(), "tester");
        ASSERT_EQ(seam->messages.size(), 2u);
        EXPECT_EQ(seam->messages[0].text, "続けますか?");
        EXPECT_EQ(seam->messages[0].kind, MessageKind::Confirmation);
        EXPECT_EQ(seam->inputs, (std::vector<std::string>{"パスワード", "again"}));
        EXPECT_EQ(seam->urls, (std::vector<std::string>{"https://example.com/"}));
    }
    EXPECT_NE(interaction().now(), 46000.5);   // the default is back
}

TEST(Interaction, Captions)
{
    EXPECT_EQ(captionOf(MessageKind::Warning), "警告");
    EXPECT_EQ(captionOf(MessageKind::Error), "エラー");
    EXPECT_EQ(captionOf(MessageKind::Information), "情報");
    EXPECT_EQ(captionOf(MessageKind::Confirmation), "確認");
    EXPECT_EQ(captionOf(MessageKind::None), "");
}

} // namespace
