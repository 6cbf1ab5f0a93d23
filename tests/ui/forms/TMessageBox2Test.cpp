#include "ShownForm.h"

#include "platform/ScriptedInteraction.h"
#include "ui/ModalResult.h"
#include "ui/forms/QtInteraction.h"
#include "ui/forms/TMessageBox2.h"
#include "ui/forms/TxCheckBox.h"

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace vq::ui;

namespace {

TMessage2InfoRec infoOf(std::uint8_t kind, std::initializer_list<const char*> lines)
{
    TMessage2InfoRec info;
    InitMessage2Info(kind, info);
    int i = 0;
    for (const char* l : lines)
        info.Lines[static_cast<std::size_t>(i++)].Text = l;
    return info;
}

void apply(TMessageBox2& box, const TMessage2InfoRec& info)
{
    box.setCode(info.Code);
    box.ApplyInfo(info);
    box.Refresh();
}

struct MessageBox2QtSeam : ::testing::Test {
    std::unique_ptr<vq::platform::Interaction> previous;
    void SetUp() override { previous = installQtInteraction(); }
    void TearDown() override { vq::platform::installInteraction(std::move(previous)); }
};

} // namespace

TEST(TMessageBox2, ShowsTheFirstThreeButtonsWithTheirCaptions)
{
    TMessageBox2 box;
    auto info = infoOf(3, {"よろしいですか？"});
    info.Buttons = buttonSet({mbHelp, mbOK, mbNo, mbYes, mbCancel});
    info.ButtonCaptions[0] = "とても長いボタンの表題です";
    info.ButtonCaptions[1] = "短";
    apply(box, info);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("確認"));
    EXPECT_EQ(box.button(0)->text(), QStringLiteral("とても長いボタンの表題です"));
    EXPECT_GT(box.button(0)->width(), 75);
    EXPECT_EQ(box.button(1)->text(), QStringLiteral("短"));
    EXPECT_EQ(box.button(1)->width(), 75);
    EXPECT_EQ(box.button(2)->text(), QStringLiteral("OK(&O)"));
    // The middle button is centred, the others 10 pixels beside it.
    EXPECT_EQ(box.button(1)->x(), (box.width() - 75) / 2);
    EXPECT_EQ(box.button(0)->geometry().right() + 1 + 10, box.button(1)->x());
    EXPECT_EQ(box.button(1)->geometry().right() + 1 + 10, box.button(2)->x());
    EXPECT_EQ(box.label(0)->text(), QStringLiteral("よろしいですか？"));
}

TEST(TMessageBox2, HeightFollowsTheNumberOfLines)
{
    TMessageBox2 one;
    apply(one, infoOf(2, {"一"}));
    EXPECT_EQ(one.textAreaHeight(), 72);
    EXPECT_EQ(one.height(), 72 + 38);

    TMessageBox2 three;
    apply(three, infoOf(2, {"一", "二", "三"}));
    EXPECT_EQ(three.textAreaHeight(), 24 + 4 * 24);

    TMessageBox2 nine;
    apply(nine, infoOf(2, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(nine.textAreaHeight(), 269);
    EXPECT_GE(nine.width(), 530);
}

TEST(TMessageBox2, AgreementCheckBox)
{
    TMessageBox2 blank;
    auto info = infoOf(0, {"規約"});
    info.AgreeMode = 1;
    apply(blank, info);
    EXPECT_TRUE(blank.agreePanel()->isHidden());
    EXPECT_TRUE(blank.button(0)->isEnabled());

    TMessageBox2 required;
    info.AgreeCaption = "同意する";
    apply(required, info);
    EXPECT_FALSE(required.agreePanel()->isHidden());
    EXPECT_FALSE(required.button(0)->isEnabled());
    required.agreeBox()->click();
    EXPECT_TRUE(required.button(0)->isEnabled());
    required.agreeBox()->click();
    EXPECT_FALSE(required.button(0)->isEnabled());

    TMessageBox2 predefined;
    info.Code = 0x1010;
    apply(predefined, info);
    EXPECT_TRUE(predefined.agreePanel()->isHidden());
    EXPECT_EQ(predefined.label(3)->text().left(4), QStringLiteral("（ウィル"));
}

TEST(TMessageBox2, EscCancelsAndCtrlCCopiesTheText)
{
    TMessageBox2 box;
    apply(box, infoOf(1, {"失敗しました。", "", "再実行してください。"}));
    vq::test::whenModal([](QWidget* w) {
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(box.exec(), mrCancel);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("---------------------------\r\nエラー\r\n---")));
    EXPECT_TRUE(copied.contains(QStringLiteral("失敗しました。\r\n\r\n再実行してください。\r\n")));
}

TEST(TMessageBox2, HelpButtonHasNoResultAndLeavesTheBoxOpen)
{
    TMessageBox2 box;
    auto info = infoOf(2, {"操作方法を確認できます。"});
    info.Buttons = buttonSet({mbOK, mbHelp});
    apply(box, info);
    ASSERT_EQ(box.button(1)->text(), QStringLiteral("ヘルプ(&H)"));
    vq::test::whenModal([&](QWidget*) {
        box.button(1)->click();
        EXPECT_TRUE(box.isVisible());
        box.button(0)->click();
    });
    EXPECT_EQ(box.exec(), mrOk);
}

TEST(TMessageBox2, LinkLinesOpenTheirAddress)
{
    vq::platform::ScopedScriptedInteraction seam;
    TMessageBox2 box;
    auto info = infoOf(2, {"詳しくはこちら"});
    info.Lines[0].Link = "https://example.invalid/help";
    apply(box, info);
    box.show();
    QTest::mouseClick(box.label(0), Qt::LeftButton);
    ASSERT_EQ(seam->urls.size(), 1u);
    EXPECT_EQ(seam->urls[0], "https://example.invalid/help");
}

TEST_F(MessageBox2QtSeam, ShowMessage2ReturnsTheButtonAndTheAgreement)
{
    auto info = infoOf(3, {"規約に同意しますか？"});
    info.AgreeMode = 1;
    info.AgreeCaption = "同意する";
    vq::test::whenModal([](QWidget* w) {
        auto* box = qobject_cast<TMessageBox2*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->focusWidget(), box->agreeBox());
        box->agreeBox()->click();
        box->button(0)->click();
    });
    EXPECT_EQ(ShowMessage2(info), mrOk);
    EXPECT_TRUE(info.Agreed);
}

TEST(TMessageBox2, WithoutTheQtSeamTheMessageGoesToTheInteraction)
{
    vq::platform::ScopedScriptedInteraction seam;
    seam->messageAnswers.push_back(mrCancel);
    TMessage2InfoRec info;
    info.Code = 0x1010;
    EXPECT_EQ(ShowMessage2(info), mrCancel);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].caption, "確認");
    EXPECT_EQ(seam->messages[0].kind, vq::platform::MessageKind::Confirmation);
    EXPECT_NE(seam->messages[0].text.find("\r続行してもよろしいですか？\r"), std::string::npos);
}
