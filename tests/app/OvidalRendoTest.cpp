// The tool on a whole sample office: started by a caller, it logs the
// operator on at first show, reads the operator's settings and the eras,
// and on the close box saves the settings, logs off and reports result 1.
#include <gtest/gtest.h>

#include "../linkage/CallerListener.h"
#include "SampleOfficeProgramTest.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/data/DataModule.h"
#include "linkage/LinkageStartup.h"
#include "linkage/forms/TForm1.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"
#include "ui/LogonProcedure.h"
#include "ui/forms/TLogonBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxWizard.h"
#include "ui/forms/TxPlButton.h"
#include "foundation/data/DataSetDescriptionPort.h"
#include "linkage/forms/OvidalRendo.h"
#include "trialbalance/TrialBalanceEngine.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

#ifndef VQ_MAKE_SAMPLE_OFFICE
#error "VQ_MAKE_SAMPLE_OFFICE must name the make-sample-office program"
#endif

using namespace vq;
namespace fs = std::filesystem;

namespace {

class OvidalRendoTest : public test::SampleOfficeProgramTest {};

TEST_F(OvidalRendoTest, ACallerRunLogsOnAndReportsTheCloseBox)
{
    test::CallerListener caller(901);
    {
        linkage::TForm1 form;
        ui::LogonProcedure logon;
        form.LogonRunner = [&] { return logon.OperatorLogon(0, "10", "").outcome == ui::LogonOutcome::LoggedOn; };
        ASSERT_TRUE(form.FormCreate({"901,32769,1," + (office_ / "qx.xml").string()}));
        ASSERT_TRUE(form.InitializeApplication());
        form.show();
        QApplication::processEvents();
        for (const auto& m : seam_->messages)
            ADD_FAILURE() << m.text;
        EXPECT_FALSE(form.Terminated);
        EXPECT_TRUE(form.SystemDbInUse);
        EXPECT_EQ(SystemDef.GROUPID, 10000);
        EXPECT_EQ(SystemDef.OperatorNo, 10);
        EXPECT_EQ(SystemDef.AppTitle, "Ovidal連動コンポーネント");
        EXPECT_FALSE(GengoTable.empty());

        form.close();
        EXPECT_FALSE(form.SystemDbInUse);
        EXPECT_FALSE(DM->IBDatabaseDEF.connected());
        EXPECT_EQ(form.ResultCode, 1);
    }
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"disable", "enable", "post 32769 1 1"}));

    // The operator was logged off: the next run logs on again.
    linkage::TForm1 again;
    ui::LogonProcedure logon;
    again.LogonRunner = [&] { return logon.OperatorLogon(0, "10", "").outcome == ui::LogonOutcome::LoggedOn; };
    ASSERT_TRUE(again.FormCreate({}));
    ASSERT_TRUE(again.InitializeApplication());
    again.show();
    QApplication::processEvents();
    EXPECT_TRUE(again.SystemDbInUse);
    EXPECT_TRUE(seam_->messages.empty());
}

// The whole program as the operator meets it: the logon dialog at first
// show, the wizard, and the close box ending the event loop. An Enter typed
// while the logon connects is not lost: it takes the wizard to its next page.
TEST_F(OvidalRendoTest, TheProgramRunsFromLogonToTheCloseBox)
{
    test::CallerListener caller(902);
    bool loggedOn = false;
    bool closed = false;
    QString pageAtClose;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (auto* logon = qobject_cast<ui::TLogonBox*>(QApplication::activeModalWidget())) {
            logon->txtOpCode->setText(QStringLiteral("10"));
            logon->txtPassword->clear();
            // Queued now, the key waits as one typed during the logon would.
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                QCoreApplication::postEvent(logon->OKBtn, new QKeyEvent(type, Qt::Key_Return, Qt::NoModifier));
            logon->OKBtn->Click();
            loggedOn = true;
            return;
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* wizard = qobject_cast<linkage::TForm1*>(w);
            if (loggedOn && wizard && wizard->isVisible() && wizard->SystemDbInUse && !closed) {
                closed = true;
                pageAtClose = wizard->Wizard1->currentWidget()->objectName();
                wizard->close();
            }
        }
    });
    driver.start(50);
    QTimer::singleShot(60000, [] { QCoreApplication::exit(99); });

    EXPECT_EQ(linkage::RunOvidalRendo({"902,32769,4," + (office_ / "qx.xml").string()}), 0);
    EXPECT_TRUE(loggedOn);
    EXPECT_TRUE(closed);
    EXPECT_EQ(pageAtClose, QStringLiteral("page2"));
    for (const auto& m : seam_->messages)
        ADD_FAILURE() << m.text;
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"disable", "enable", "post 32769 4 1"}));
    // The library's start-up ports were connected for the run.
    EXPECT_NE(TrialBalanceEngineOf(BalanceEdition::General), nullptr);
    EXPECT_NE(TrialBalanceEngineOf(BalanceEdition::Medical), nullptr);
    EXPECT_TRUE(dataSetDescriptionReader());
    EXPECT_FALSE(MenuHostProc) << "the hooks go with the wizard";
}

} // namespace
