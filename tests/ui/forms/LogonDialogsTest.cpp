// The logon, data-server settings and password dialogs: what their controls
// put into the run state and the settings file, and their keys.
#include <gtest/gtest.h>

#include <QTest>

#include "ShownForm.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/IniFile.h"
#include "platform/ScriptedInteraction.h"
#include "ui/ModalResult.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/TAppIniCreateBox.h"
#include "ui/forms/TLogonBox.h"
#include "ui/forms/TUpPasswordBox.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

#include <QApplication>
#include <QGroupBox>

#include <functional>
#include <memory>

using namespace vq;
using namespace vq::ui;

namespace {

class LogonDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        savedMode_ = ConnectMode;
        ProductKind = 0;
        ConnectMode = ConnectStandAlone;
        SystemDef.IniFileName = (root_.path() / "dozevid.ini").string();
        SystemDef.AppTitle = "財務";
    }
    void TearDown() override
    {
        SystemDef = saved_;
        ConnectMode = savedMode_;
    }
    platform::IniFile ini() const { return platform::IniFile(SystemDef.IniFileName); }

    test::TempDir root_;
    TSystemDef saved_;
    std::uint8_t savedMode_ = 0;
    platform::ScopedScriptedInteraction seam_;
};

} // namespace

TEST_F(LogonDialogsTest, ServerSettingsRefuseABlankHostAndStoreTheServerLowerCased)
{
    ConnectMode = ConnectClientServer;
    TAppIniCreateBox box;
    box.LoadBoxes();
    box.txtHostName->setText("   ");
    box.OKBtnClick();
    EXPECT_EQ(modalResult(&box), mrNone);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "コンピュータ名が指定されていません。\r入力してください。");
    EXPECT_FALSE(std::filesystem::exists(SystemDef.IniFileName)) << "nothing written";

    box.txtHostName->setText("FileServer");
    box.cmbDrive->setCurrentIndex(box.cmbDrive->findText("D:"));
    box.OKBtnClick();
    EXPECT_EQ(modalResult(&box), mrOk);
    EXPECT_EQ(ini().readString("SERVER", "HOSTNAME"), "fileserver");
    EXPECT_EQ(ini().readString("SERVER", "SYSDIR"), "d:" + ServerDataDir);
    EXPECT_FALSE(ini().sectionExists("LOCAL"));

    // Shown again, the dialog selects the stored drive.
    TAppIniCreateBox again;
    again.LoadBoxes();
    EXPECT_EQ(again.cmbDrive->currentText(), "D:");
    EXPECT_EQ(again.txtHostName->text(), "fileserver");
}

// The place of the data is a drive from the list (or none, for a server
// without drives) and a folder from the server's root; stored places of
// either kind come back into the boxes.
TEST_F(LogonDialogsTest, ServerSettingsTakeTheDataFolderFromTheRoot)
{
    ConnectMode = ConnectClientServer;
    TAppIniCreateBox box;
    EXPECT_FALSE(box.cmbDrive->isEditable());
    box.LoadBoxes();
    EXPECT_EQ(box.cmbDrive->currentIndex(), 0) << "no drive for a new file";
    EXPECT_EQ(box.txtDataPath->text().toStdString(), ServerDataDir);
    box.txtHostName->setText("dbhost");
    struct Refused {
        const char* folder;
        const char* message;
    } refused[] = {
        {"  ", "データの場所が指定されていません。\r入力してください。"},
        {"data/zeverivurev", "データの場所は、サーバー上のフォルダを「/」から始まる形で入力してください。"},
    };
    for (const auto& r : refused) {
        seam_->messages.clear();
        box.txtDataPath->setText(r.folder);
        box.OKBtnClick();
        EXPECT_EQ(modalResult(&box), mrNone) << r.folder;
        ASSERT_EQ(seam_->messages.size(), 1u) << r.folder;
        EXPECT_EQ(seam_->messages[0].text, r.message);
    }
    EXPECT_FALSE(std::filesystem::exists(SystemDef.IniFileName)) << "nothing written";

    struct Stored {
        const char* sysDir;
        const char* drive;
        const char* folder;
        const char* written;   // by OK, unchanged but the drive's letter case
    } stored[] = {{"/srv/Vq/data", "なし", "/srv/Vq/data", "/srv/Vq/data"},
                  {"d:/zeverivurev/data", "D:", "/zeverivurev/data", "d:/zeverivurev/data"},
                  {"E:\\zeverivurev\\data", "E:", "\\zeverivurev\\data", "e:\\zeverivurev\\data"}};
    for (const auto& st : stored) {
        ini().writeString("SERVER", "SYSDIR", st.sysDir);
        TAppIniCreateBox again;
        again.LoadBoxes();
        EXPECT_EQ(again.cmbDrive->currentText().toStdString(), st.drive) << st.sysDir;
        EXPECT_EQ(again.txtDataPath->text().toStdString(), st.folder) << st.sysDir;
        again.txtHostName->setText("dbhost");
        again.OKBtnClick();
        EXPECT_EQ(modalResult(&again), mrOk) << st.sysDir;
        EXPECT_EQ(ini().readString("SERVER", "SYSDIR"), st.written);
    }
}

TEST_F(LogonDialogsTest, LogonPicksTheLastConnectionKind)
{
    ini().writeString("APPLICATION", "CONNECT", "1");
    TLogonBox box;
    EXPECT_TRUE(box.btnCS->isChecked());
    EXPECT_EQ(ConnectMode, ConnectClientServer);
    EXPECT_EQ(box.GetConnectKind(), 1);
    box.btnSA->click();
    EXPECT_EQ(ConnectMode, ConnectStandAlone);
    EXPECT_FALSE(box.btnServerSettei->isEnabled());
    EXPECT_TRUE(box.txtGroupID->isHidden());

    ini().writeString("APPLICATION", "CONNECT", "abc");
    TLogonBox standAlone;
    EXPECT_TRUE(standAlone.btnSA->isChecked());
}

TEST_F(LogonDialogsTest, TerminalModeHidesTheConnectionKindAndShortensTheDialog)
{
    ConnectMode = ConnectTerminal;
    SystemDef.GroupLogon = 1;
    TLogonBox box;
    EXPECT_TRUE(box.GroupBox2->isHidden());
    EXPECT_EQ(box.GetConnectKind(), 2);
    EXPECT_TRUE(box.FUseGroupEntry);
    EXPECT_FALSE(box.txtGroupID->isHidden());
    EXPECT_LT(box.height(), scaledFromDesign(300));
}

TEST_F(LogonDialogsTest, WrongCodeKeepsTheLogonOpenAndF12NeedsAnEnabledOk)
{
    TLogonBox box;
    test::showActive(box);
    box.txtOpCode->setText("9");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, kWrongCodeMessage);
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(box.txtOpCode->hasFocus());

    box.OKBtn->setEnabled(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12);
    EXPECT_EQ(seam_->messages.size(), 1u);
}

// F12 presses OK and Esc cancels from whichever control has the focus, a text
// box included; on the logon Esc does nothing (only its cancel button ends
// the program).
TEST_F(LogonDialogsTest, DialogKeysActFromTheTextBoxes)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> make;
        std::function<QWidget*(QDialog&)> textBox;
        std::string okMessage;   // what OK says about the empty boxes
        bool escapeCancels;
    };
    const Case cases[] = {
        {"logon", [] { return std::make_unique<TLogonBox>(); },
         [](QDialog& d) { return static_cast<TLogonBox&>(d).txtPassword; }, kWrongCodeMessage, false},
        {"server settings",
         [] {
             ConnectMode = ConnectClientServer;   // the logon before chose stand-alone
             return std::make_unique<TAppIniCreateBox>();
         },
         [](QDialog& d) { return static_cast<TAppIniCreateBox&>(d).txtHostName; },
         "コンピュータ名が指定されていません。\r入力してください。", true},
        {"password",
         [] {
             auto box = std::make_unique<TUpPasswordBox>();
             box->Setup("");
             return box;
         },
         [](QDialog& d) { return static_cast<TUpPasswordBox&>(d).txtPasswordNew2; },
         "新しいパスワードが入力されていません。両方のボックスに入力して下さい。", true},
    };
    for (const Case& c : cases) {
        seam_->messages.clear();
        std::unique_ptr<QDialog> dialog = c.make();
        test::showActive(*dialog);
        QWidget* box = c.textBox(*dialog);
        box->setFocus();
        ASSERT_TRUE(box->hasFocus()) << c.name;
        QTest::keyClick(box, Qt::Key_F12);
        ASSERT_EQ(seam_->messages.size(), 1u) << c.name;
        EXPECT_EQ(seam_->messages[0].text, c.okMessage) << c.name;

        box->setFocus();
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_EQ(dialog->isVisible(), !c.escapeCancels) << c.name;
        EXPECT_EQ(dialog->result(), c.escapeCancels ? mrCancel : mrNone) << c.name;
    }
}

TEST_F(LogonDialogsTest, PasswordDialogModesAndBoxes)
{
    TUpPasswordBox box;
    box.Setup("");
    EXPECT_EQ(box.windowTitle(), "パスワードの設定");
    EXPECT_TRUE(box.txtPasswordNow->isHidden());
    box.txtPasswordNew1->setText("Ab12");
    box.txtPasswordNew2->setText("Ab12");
    box.btnOkClick();
    EXPECT_EQ(modalResult(&box), mrOk);
    EXPECT_EQ(box.FNewPassword, "Ab12");

    box.Setup("Ab12");
    EXPECT_EQ(box.windowTitle(), "パスワードの変更");
    EXPECT_FALSE(box.txtPasswordNow->isHidden());
    EXPECT_EQ(box.txtPasswordNew1->text(), "");
    box.txtPasswordNow->setText("ab12");
    box.btnOkClick();
    EXPECT_EQ(modalResult(&box), mrNone);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].kind, platform::MessageKind::Warning);

    // The boxes take letters and digits only, ten at most.
    test::showActive(box);
    box.txtPasswordNew1->setFocus();
    QTest::keyClicks(box.txtPasswordNew1, "a-b c_1234567890");
    EXPECT_EQ(box.txtPasswordNew1->text(), "abc1234567");
}
