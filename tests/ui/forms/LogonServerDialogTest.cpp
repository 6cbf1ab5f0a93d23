// A clerk sets up client/server on a computer with a fresh settings file:
// the logon's server settings dialog, filled in through its controls, is all
// it takes to log on through the Firebird server of scripts/firebird-server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <cstdlib>
#include <filesystem>

#include "SchemaDatabase.h"
#include "ShownForm.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/ScriptedInteraction.h"
#include "ui/ModalResult.h"
#include "ui/StartupSettings.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/TAppIniCreateBox.h"
#include "ui/forms/TLogonBox.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

using namespace vq;
using namespace vq::ui;
namespace fs = std::filesystem;

namespace {

class LogonServerDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* server = std::getenv("VQ_FB_SERVER");
        if (server == nullptr || *server == '\0')
            GTEST_SKIP() << "VQ_FB_SERVER is not set (scripts/firebird-server start)";
        server_ = server;
        saved_ = SystemDef;
        savedMode_ = ConnectMode;
        ProductKind = 0;
        fs::create_directories(dataDir());
        test::buildDatabase(test::SchemaKind::System, dataDir() / SysDbFileName);
        test::runSql(dataDir() / SysDbFileName,
                     "INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD)"
                     " VALUES (10000, 25, '山田', 5, 'Secret7');");
        SystemDef.AppTitle = "財務";
        SystemDef.ComputerName = "TESTPC";
        SystemDef.LogDir = (root_.path() / "log").string();
        SystemDef.DataRootDir = (root_.path() / "local").string();
        SystemDef.IniFileName = (root_.path() / "dozevid.ini").string();
        LoadLocalSettings(SystemDef.AppTitle);   // the start of the program: a fresh file
    }
    void TearDown() override
    {
        if (server_.empty())
            return;
        SystemDef = saved_;
        ConnectMode = savedMode_;
    }
    fs::path dataDir() const { return root_.path() / "server" / "data"; }

    std::string server_;
    test::TempDir root_;
    TSystemDef saved_;
    std::uint8_t savedMode_ = 0;
};

} // namespace

TEST_F(LogonServerDialogTest, TheSettingsDialogAloneLeadsToTheServer)
{
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    TLogonBox logon;
    test::showActive(logon);
    QTest::mouseClick(logon.btnCS, Qt::LeftButton, {}, QPoint(8, logon.btnCS->height() / 2));
    ASSERT_TRUE(logon.btnCS->isChecked());
    ASSERT_TRUE(logon.btnServerSettei->isEnabled());

    bool settingsShown = false;
    test::whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<TAppIniCreateBox*>(modal);
        if (box == nullptr)
            return;
        settingsShown = true;
        test::showActive(*box);
        box->txtHostName->setFocus();
        QTest::keyClicks(box->txtHostName, QString::fromStdString(server_));
        // The list's first entry: no drive, a Linux server.
        box->cmbDrive->setFocus();
        QTest::keyClick(box->cmbDrive, Qt::Key_Home);
        box->txtDataPath->setFocus();
        box->txtDataPath->selectAll();
        QTest::keyClicks(box->txtDataPath, QString::fromStdString(dataDir().string()));
        QTest::keyClick(box->txtDataPath, Qt::Key_F12);
        if (box->isVisible()) {   // refused: the messages tell why
            ADD_FAILURE() << "the settings dialog stayed open";
            box->reject();
        }
    });
    QTest::mouseClick(logon.btnServerSettei, Qt::LeftButton);
    ASSERT_TRUE(settingsShown);
    ASSERT_TRUE(seam->messages.empty()) << seam->messages[0].text;

    test::showActive(logon);
    logon.txtOpCode->setFocus();
    QTest::keyClicks(logon.txtOpCode, "25");
    logon.txtPassword->setFocus();
    QTest::keyClicks(logon.txtPassword, "Secret7");
    QTest::keyClick(logon.txtPassword, Qt::Key_F12);
    ASSERT_TRUE(seam->messages.empty()) << seam->messages[0].text;
    EXPECT_EQ(modalResult(&logon), mrOk);
    EXPECT_EQ(dm.IBDatabaseDEF.DatabaseName, server_ + ":" + (dataDir() / SysDbFileName).string());
    EXPECT_EQ(SystemDef.OPNAME, "山田");
    dm.DeleteLogonInfo();
}
