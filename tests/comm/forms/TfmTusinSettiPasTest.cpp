// The password confirmation before a slot is deleted or released.
#include "comm/forms/TfmTusinSettiPas.h"

#include "platform/ScriptedInteraction.h"
#include "ui/ModalResult.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

using vq::comm::TfmTusinSettiPas;

TEST(TfmTusinSettiPasTest, OkClosesOnlyWithTheTickAndTheRightPassword)
{
    struct Case {
        bool release;
        bool tick;
        const char* typed;
        int result;            // mrNone: still open
        const char* message;
    };
    const Case cases[] = {
        {false, true, "ABC123", vq::ui::mrOk, nullptr},
        {false, true, "ABC124", vq::ui::mrNone, "パスワードが違います。"},
        {false, true, "abc123", vq::ui::mrNone, "パスワードが違います。"},
        {false, false, "ABC123", vq::ui::mrNone, "「削除処理を実行します」をチェックしてください。"},
        {true, false, "ABC123", vq::ui::mrNone, "「解除処理を実行します」をチェックしてください。"},
        {true, true, "ABC123", vq::ui::mrOk, nullptr},
    };
    for (const auto& c : cases) {
        vq::platform::ScopedScriptedInteraction seam;
        TfmTusinSettiPas dialog;
        if (c.release)
            dialog.SetReleaseTexts();
        dialog.Label2->setText(QStringLiteral("ABC123"));
        int result = -1;
        QTimer::singleShot(0, [&] {
            dialog.CheckBox1->setChecked(c.tick);
            dialog.txtConPasswd->setText(QString::fromUtf8(c.typed));
            dialog.btnOK->Click();
            if (dialog.isVisible()) {
                result = vq::ui::mrNone;
                dialog.ESC->Click();
            }
        });
        const int shown = dialog.exec();
        if (result != vq::ui::mrNone)
            result = shown;
        EXPECT_EQ(result, c.result) << c.typed << c.tick << c.release;
        if (c.message) {
            ASSERT_EQ(seam->messages.size(), 1u);
            EXPECT_EQ(seam->messages[0].text, c.message);
        } else {
            EXPECT_TRUE(seam->messages.empty());
        }
    }
}

TEST(TfmTusinSettiPasTest, OnlyLettersAndDigitsAreTakenAndABlankIsRefusedOnLeaving)
{
    vq::platform::ScopedScriptedInteraction seam;
    TfmTusinSettiPas dialog;
    dialog.txtConPasswd->setFocus();
    dialog.txtConPasswd->insert(QStringLiteral("AB C1"));
    EXPECT_EQ(dialog.txtConPasswd->text(), QString());  // a paste with a blank is not taken
    dialog.txtConPasswd->insert(QStringLiteral("ABC1234"));
    EXPECT_EQ(dialog.txtConPasswd->text(), QStringLiteral("ABC123"));
    EXPECT_TRUE(dialog.txtConPasswdExit());
    dialog.txtConPasswd->setValidator(nullptr);
    dialog.txtConPasswd->setText(QStringLiteral("AB　C"));
    EXPECT_FALSE(dialog.txtConPasswdExit());
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "パスワードはスペース（空白）なしの英数６桁以内で入力して下さい。");
}
