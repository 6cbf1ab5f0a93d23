#include "ShownForm.h"

#include "platform/Interaction.h"
#include "ui/forms/QtInteraction.h"
#include "ui/forms/TInputDlgBox.h"
#include "ui/forms/TxCheckBox.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace vq::ui;
using namespace vq::platform;

namespace {

struct QtSeam : ::testing::Test {
    std::unique_ptr<Interaction> previous;
    void SetUp() override { previous = installQtInteraction(); }
    void TearDown() override { installInteraction(std::move(previous)); }
};

QStringList buttonTexts(QMessageBox* box)
{
    QStringList texts;
    for (auto* b : box->buttons())
        texts << b->text();
    return texts;
}

} // namespace

TEST_F(QtSeam, MessageBoxesCarryTheCaptionOfTheirKindAndBreakAtCarriageReturns)
{
    EXPECT_TRUE(qtInteractionInstalled());
    const std::pair<MessageKind, const char*> kinds[] = {{MessageKind::Warning, "警告"},
                                                         {MessageKind::Error, "エラー"},
                                                         {MessageKind::Information, "情報"},
                                                         {MessageKind::Confirmation, "確認"}};
    for (const auto& [kind, caption] : kinds) {
        QString title, text;
        vq::test::whenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            box->buttons().first()->click();
        });
        EXPECT_EQ(showMessage("一行目\r二行目", kind), ResultOk);
        EXPECT_EQ(title, QString::fromUtf8(caption));
        EXPECT_EQ(text, QStringLiteral("一行目\n二行目"));
    }
}

TEST_F(QtSeam, ButtonsAreJapaneseAndAnswerWithTheirResults)
{
    QStringList texts;
    vq::test::whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        texts = buttonTexts(box);
        for (auto* b : box->buttons())
            if (b->text() == QStringLiteral("いいえ(&N)"))
                b->click();
    });
    EXPECT_EQ(showMessage("続行しますか？", MessageKind::Confirmation, Buttons::YesNoCancel, "独自"), ResultNo);
    EXPECT_TRUE(texts.contains(QStringLiteral("はい(&Y)")));
    EXPECT_TRUE(texts.contains(QStringLiteral("キャンセル")));

    vq::test::whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(showMessage("x", MessageKind::Warning, Buttons::OkCancel), ResultCancel);
}

// A password question is the input dialog's password form with the
// question's limit, filter, hint and prompt colour; pasting is held to the
// filter as typing is.
TEST_F(QtSeam, PasswordQuestionsUseTheInputDialog)
{
    InputRequest request;
    request.caption = "マイナンバー管理パスワードの確認";
    request.prompt = "正しいパスワードを入力して下さい。";
    request.promptAlert = true;
    request.password = true;
    request.maxLength = 8;
    request.keyFilter = 30;
    request.hint = "パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。";
    TInputDlgBox* seen = nullptr;
    QString hint;
    QColor promptColor;
    vq::test::whenModal([&](QWidget* w) {
        seen = qobject_cast<TInputDlgBox*>(w);
        ASSERT_NE(seen, nullptr);
        vq::test::showActive(*seen);
        hint = seen->HintArea->toPlainText();
        promptColor = seen->lblMain->palette().color(QPalette::WindowText);
        EXPECT_TRUE(seen->btnFuseji->isVisible());
        EXPECT_EQ(seen->txtInput->echoMode(), QLineEdit::Password);
        QApplication::clipboard()->setText(QStringLiteral("ab-12"));
        QTest::keyClick(seen->txtInput, Qt::Key_V, Qt::ControlModifier);   // refused: "-"
        vq::test::typeText(seen->txtInput, QStringLiteral("Ab1-2345678"));
        vq::test::releaseKey(*seen, Qt::Key_F12);
    });
    EXPECT_EQ(interaction().ask(request), std::optional<std::string>("Ab123456"));
    EXPECT_EQ(hint.toStdString(), request.hint);
    EXPECT_EQ(promptColor, QColor(Qt::red));
}
