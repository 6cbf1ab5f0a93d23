#include "ui/Message2Catalogue.h"
#include "ui/Message2Info.h"
#include "ui/ModalResult.h"

#include <gtest/gtest.h>

using namespace vq::ui;

TEST(Message2Info, InitGivesTheCaptionAndButtonsOfTheKind)
{
    TMessage2InfoRec info;
    info.Lines[4].Text = "left over";
    InitMessage2Info(3, info);
    EXPECT_EQ(info.Caption, "確認");
    EXPECT_EQ(info.Buttons, buttonSet({mbOK, mbCancel}));
    EXPECT_EQ(info.Kind, 3);
    EXPECT_TRUE(info.Lines[4].Text.empty());

    const std::pair<int, const char*> captions[] = {{0, "警告"}, {1, "エラー"}, {2, "情報"}};
    for (const auto& [kind, caption] : captions) {
        InitMessage2Info(static_cast<std::uint8_t>(kind), info);
        EXPECT_EQ(info.Caption, caption);
        EXPECT_EQ(info.Buttons, buttonSet({mbOK}));
    }

    InitMessage2Info(7, info);
    EXPECT_EQ(info.Kind, 4);
    EXPECT_TRUE(info.Caption.empty());
}

TEST(Message2Info, AtMostThreeButtonsInDisplayOrder)
{
    const auto shown = shownButtons(buttonSet({mbHelp, mbCancel, mbOK, mbNo, mbYes}));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], mbYes);
    EXPECT_EQ(shown[1], mbNo);
    EXPECT_EQ(shown[2], mbOK);
    EXPECT_STREQ(message2Button(mbCancel).caption, "ｷｬﾝｾﾙ(&C)");
    EXPECT_EQ(message2Button(mbNoToAll).result, mrNoToAll);
    EXPECT_EQ(message2Button(mbHelp).result, 0);
}

TEST(Message2Info, PredefinedMessagesWinOverTheCallersRecord)
{
    TMessage2InfoRec info;
    info.AgreeMode = 1;
    info.AgreeCaption = "同意する";
    info.Lines[8].Text = "caller's line";
    ASSERT_TRUE(applyPredefinedMessage2(0x10002011, info));
    EXPECT_EQ(info.Code, 0x10002011);
    EXPECT_EQ(info.Kind, 3);
    EXPECT_EQ(info.Caption, "確認");
    EXPECT_EQ(info.Buttons, buttonSet({mbOK, mbCancel}));
    EXPECT_EQ(info.Lines[1].Text, "よろしいですか？");
    EXPECT_EQ(info.Lines[2].Color, clRed);
    EXPECT_EQ(info.Lines[0].Color, clWindowText);
    EXPECT_TRUE(info.Lines[8].Text.empty());
    EXPECT_EQ(effectiveAgreeMode(info), 0);
    EXPECT_EQ(countedLines(info), 3);

    ASSERT_TRUE(applyPredefinedMessage2(0x10003012, info));
    EXPECT_EQ(info.Caption, "内訳書の削除");
    EXPECT_NE(info.Lines[1].Text.find("借入先"), std::string::npos);

    EXPECT_FALSE(applyPredefinedMessage2(0x4242, info));
    EXPECT_EQ(info.Caption, "情報");
    EXPECT_EQ(countedLines(info), 0);

    TMessage2InfoRec untouched;
    untouched.Caption = "mine";
    EXPECT_FALSE(applyPredefinedMessage2(0, untouched));
    EXPECT_EQ(untouched.Caption, "mine");
}

TEST(Message2Info, BlankAgreementCaptionSwitchesTheBoxOff)
{
    TMessage2InfoRec info;
    info.AgreeMode = 1;
    info.AgreeCaption = "  ";
    EXPECT_EQ(effectiveAgreeMode(info), 0);
    info.AgreeCaption = "同意する";
    EXPECT_EQ(effectiveAgreeMode(info), 1);
}

TEST(Message2Info, ClipboardTextHasTitleBetweenRulesAndAllTenLines)
{
    TMessage2InfoRec info;
    InitMessage2Info(1, info);
    info.Lines[0].Text = "一行目";
    info.Lines[2].Text = "三行目";
    const std::string rule = "---------------------------\r\n";
    std::string expected = rule + "エラー\r\n" + rule + "一行目\r\n\r\n三行目\r\n";
    for (int i = 3; i < 10; ++i)
        expected += "\r\n";
    EXPECT_EQ(message2ClipboardText(info), expected);
}

TEST(Message2Info, PlainRequestCarriesLinesKindAndButtons)
{
    TMessage2InfoRec info;
    InitMessage2Info(3, info);
    info.Lines[0].Text = "a";
    info.Lines[3].Text = "b";
    info.DefaultButton = 1;
    const auto request = toMessageRequest(info);
    EXPECT_EQ(request.text, "a\rb");
    EXPECT_EQ(request.caption, "確認");
    EXPECT_EQ(request.kind, vq::platform::MessageKind::Confirmation);
    EXPECT_EQ(request.buttons, vq::platform::Buttons::OkCancel);
    EXPECT_EQ(request.defaultButton, 1);
    info.Buttons = buttonSet({mbYes, mbNo});
    EXPECT_EQ(toMessageRequest(info).buttons, vq::platform::Buttons::YesNo);
}
