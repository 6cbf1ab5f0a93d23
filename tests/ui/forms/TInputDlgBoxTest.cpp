// The input dialog in each of its forms: what OK accepts and refuses, and
// the key filters of the text form.
#include "ShownForm.h"

#include "foundation/calendar/DayNumber.h"
#include "platform/ScriptedInteraction.h"
#include "ui/ModalResult.h"
#include "ui/forms/TInputDlgBox.h"
#include "ui/forms/TMessageBox.h"
#include "ui/forms/TVorlenEdit.h"
#include "ui/forms/TVorlenExDateEdit.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxPlButton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace vq::ui;

namespace {

struct Dialog : ::testing::Test {
    vq::platform::ScopedScriptedInteraction seam;
    TInputDlgBox dlg;

    void open(int mode)
    {
        dlg.Mode = mode;
        dlg.DlgCaption = "入力";
        dlg.MainText = "値を入力してください。";
        dlg.Apply(0);
        vq::test::showActive(dlg);
    }
    // OK; true when the dialog accepted and closed.
    bool ok()
    {
        QTest::mouseClick(dlg.btnOK, Qt::LeftButton);
        QApplication::processEvents();
        return !dlg.isVisible() && dlg.result() == mrOk;
    }
    std::string lastMessage() { return seam->messages.empty() ? "" : seam->messages.back().text; }
};

} // namespace

TEST_F(Dialog, TextRequiredRefusesBlanksOfEitherWidth)
{
    dlg.Required = true;
    open(0);
    EXPECT_TRUE(dlg.pnlText->isVisible());
    EXPECT_FALSE(dlg.btnFuseji->isVisible());
    vq::test::typeText(dlg.txtInput, QStringLiteral(" 　"));
    EXPECT_FALSE(ok());
    EXPECT_EQ(lastMessage(), "入力してから[OK]ボタンを押して下さい。");
    EXPECT_TRUE(dlg.txtInput->hasFocus());
    vq::test::typeText(dlg.txtInput, QStringLiteral("山田"));
    EXPECT_TRUE(ok());
    EXPECT_EQ(dlg.Value, "山田");   // the refusal selected the blanks; typing replaced them
}

TEST_F(Dialog, TextNotRequiredTakesEmpty)
{
    dlg.Value = "old";
    open(0);
    dlg.txtInput->clear();
    EXPECT_TRUE(ok());
    EXPECT_EQ(dlg.Value, "");
    EXPECT_TRUE(seam->messages.empty());
}

TEST_F(Dialog, PasswordIsAlwaysRequiredAndHiddenUnlessAsked)
{
    open(1);
    EXPECT_TRUE(dlg.Required);
    EXPECT_TRUE(dlg.btnFuseji->isVisible());
    EXPECT_EQ(dlg.txtInput->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(ok());
    dlg.btnFuseji->setChecked(true);
    EXPECT_EQ(dlg.txtInput->echoMode(), QLineEdit::Normal);
    QTest::keyClicks(dlg.txtInput, "secret");
    EXPECT_TRUE(ok());
    EXPECT_EQ(dlg.Value, "secret");
}

TEST_F(Dialog, ChoiceRequiredNeedsAnItemOrText)
{
    dlg.Items = {QStringLiteral("本店"), QStringLiteral("支店")};
    dlg.Required = true;
    open(2);
    EXPECT_TRUE(dlg.pnlCombo->isVisible());
    EXPECT_FALSE(dlg.pnlText->isVisible());
    EXPECT_EQ(dlg.pnlCombo->pos(), dlg.pnlText->pos());
    EXPECT_EQ(dlg.cmbInput->count(), 2);
    EXPECT_FALSE(ok());
    EXPECT_EQ(lastMessage(), "入力または選択してから[OK]ボタンを押して下さい。");
    dlg.cmbInput->setCurrentIndex(1);
    EXPECT_TRUE(ok());
    EXPECT_EQ(dlg.Value, "支店");
}

TEST_F(Dialog, AmountBlankIsZeroAndTypedAmountsKeepTheirSeparators)
{
    open(3);
    EXPECT_TRUE(dlg.txtKingaku->hasFocus());
    EXPECT_TRUE(ok());
    EXPECT_EQ(dlg.Value, "0");
    dlg.Value.clear();
    open(3);
    QTest::keyClicks(dlg.txtKingaku, "12a34.");
    EXPECT_TRUE(ok());
    EXPECT_EQ(dlg.Value, "1,234,000");
}

TEST_F(Dialog, DateRangeComesBack)
{
    dlg.Date1 = vq::encodeDate(2024, 4, 1);
    dlg.Date2 = vq::encodeDate(2025, 3, 31);
    open(4);
    EXPECT_TRUE(dlg.pnlDate->isVisible());
    dlg.Date1 = dlg.Date2 = 0;
    EXPECT_TRUE(ok());
    EXPECT_EQ(dlg.Date1, vq::encodeDate(2024, 4, 1));
    EXPECT_EQ(dlg.Date2, vq::encodeDate(2025, 3, 31));
}

TEST_F(Dialog, KeyFiltersOfTheTextInput)
{
    struct Case {
        int filter;
        const char* typed;
        const char* kept;
    } cases[] = {{10, "a-1.b2", "-1.2"}, {20, "ab1-C", "abC"}, {30, "a1-B_", "a1B"},
                 {40, "a:b*c|dあ", "abcdあ"}, {0, "a:1", "a:1"}};
    for (const auto& c : cases) {
        dlg.KeyFilter = c.filter;
        dlg.Value.clear();
        open(0);
        vq::test::typeText(dlg.txtInput, QString::fromUtf8(c.typed));
        EXPECT_EQ(dlg.txtInput->text().toStdString(), c.kept) << "filter " << c.filter;
        dlg.hide();
    }
}

TEST_F(Dialog, EscCancelsAndF12IsOk)
{
    open(0);
    QTest::keyClicks(dlg.txtInput, "x");
    vq::test::releaseKey(dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), mrCancel);
    open(0);
    vq::test::releaseKey(dlg, Qt::Key_F12);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), mrOk);
}

TEST_F(Dialog, HintsShowTheirLongPart)
{
    dlg.InputHint = "コード|コードを入力します。";
    open(0);
    EXPECT_EQ(dlg.HintArea->toPlainText(), QStringLiteral("コードを入力します。"));
}

TEST(TMessageBox, KindsButtonsAndAgreement)
{
    TMessageBox box;
    box.Kind = 2;
    box.Caption = "確認";
    box.MainText = "続行しますか？";
    box.SetLines({"一行目", "二行目"});
    box.Apply(1);
    vq::test::showActive(box);
    EXPECT_TRUE(box.cboxAgree->isVisible());
    EXPECT_FALSE(box.btnOK->isEnabled());
    box.cboxAgree->setChecked(true);
    EXPECT_TRUE(box.btnOK->isEnabled());
    box.cboxAgree->setChecked(false);
    EXPECT_FALSE(box.btnOK->isEnabled());
    EXPECT_TRUE(box.MessageArea->isVisible());
    const int withLines = box.height();

    box.Kind = 1;
    box.SetLines({});
    box.Apply(1);
    EXPECT_FALSE(box.btnOK->isVisible());
    EXPECT_EQ(box.btnCancel->CaptionA().Caption, QStringLiteral("OK"));
    EXPECT_FALSE(box.MessageArea->isVisible());
    EXPECT_EQ(withLines - box.height(), 156);

    TMessageInfoRec info;
    InitMessageInfo(info);
    info.Kind = 1;
    info.MainText = "保存しました。";
    vq::test::whenModal([](QWidget* w) { QTest::keyRelease(w, Qt::Key_Escape); });
    EXPECT_EQ(ShowMessageBox(info), mrCancel);
    vq::test::whenModal([](QWidget* w) {
        QTest::mouseClick(static_cast<TMessageBox*>(w)->btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(ShowMessageBox(info), mrOk);
}
