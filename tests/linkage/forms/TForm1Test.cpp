// The wizard's frame: what its creation refuses (command line, application
// information, installed product), the pages by start mode, the start-up
// values on a clean data root, cancel and close, and the result a listening
// caller receives.
#include <gtest/gtest.h>

#include "../CallerListener.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "linkage/LinkageStartup.h"
#include "linkage/forms/TForm1.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/RegistryStore.h"
#include "platform/ScriptedInteraction.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxWizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QTableWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <filesystem>
#include <fstream>

using namespace vq;
using vq::linkage::TForm1;
namespace fs = std::filesystem;

namespace {

const char* const kAppInfoMissing =
    "アプリケーションの設定ファイル(AppInfo.ini)が見つかりませんでした。\rアプリケーションを強制終了します。";
const char* const kAppInfoNoOem =
    "アプリケーションの設定ファイル(AppInfo.ini)の値を参照できませんでした。\rアプリケーションを強制終了します。";
const char* const kAppInfoUnreadable =
    "アプリケーションの設定ファイル(AppInfo.ini)を参照できませんでした。\rアプリケーションを強制終了します。";

class TForm1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedInfo_ = AppInfo;
        savedDef_ = SystemDef;
        savedBase_ = BaseFolder;
        savedName_ = AppName;
        install("ヴォルレン財務 Ver.22", "14.0.0");
    }
    void TearDown() override
    {
        linkage::ReleaseDataModule();
        AppInfo = savedInfo_;
        SystemDef = savedDef_;
        BaseFolder = savedBase_;
        AppName = savedName_;
        ConnectMode = 0;
    }

    static void install(const std::string& product, const std::string& version)
    {
        auto store = platform::RegistryStore::machine();
        store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Product", product);
        store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Version", version);
    }

    std::vector<std::string> shown()
    {
        std::vector<std::string> texts;
        for (const auto& m : seam_->messages)
            texts.push_back(m.text);
        return texts;
    }

    test::ScopedRoot root_;
    platform::ScopedScriptedInteraction seam_;
    TAppInfoRec savedInfo_;
    TSystemDef savedDef_;
    std::string savedBase_;
    std::string savedName_;
};

TEST_F(TForm1Test, StandAloneShowsFivePagesWithTheProductInTheirTexts)
{
    TForm1 form;
    ASSERT_TRUE(form.FormCreate({}));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(form.PageNames(), (QStringList{"page1", "page2", "page3", "page4", "page5"}));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("所得税のOvidal from ヴォルレン財務 Ver.22"));
    EXPECT_EQ(form.Memo1a->toPlainText(),
              QStringLiteral("『ヴォルレン財務 Ver.22』から『所得税のOvidal』へデータを連動させるための中間ファイルを作成します。"));
    EXPECT_TRUE(form.Memo1b->toPlainText().startsWith(QStringLiteral("『ヴォルレン財務 Ver.22』が起動している場合は終了してください。")));
    EXPECT_TRUE(form.Memo1b->toPlainText().endsWith(QStringLiteral("作成を始めるには[次へ]をクリックしてください。")));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("次へ(&N) >"));
    EXPECT_EQ(form.btnCancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(form.ResultCode, 2);
    // The hooks live as long as the form.
    ASSERT_TRUE(MenuHostProc);
    EXPECT_EQ(MenuHostProc(10, ""), 0);
    EXPECT_TRUE(StartProcessProc);
    EXPECT_TRUE(DataBrokenCheckProc);
    form.FormDestroy();
    EXPECT_FALSE(MenuHostProc);
    EXPECT_FALSE(StartProcessProc);
    EXPECT_FALSE(DataBrokenCheckProc);
}

TEST_F(TForm1Test, ACallerGetsFourPagesItsOutputFileAndTheResult)
{
    test::CallerListener caller(1234);
    {
        TForm1 form;
        ASSERT_TRUE(form.FormCreate({"1234,32769,3,/out/qx.xml"}));
        EXPECT_EQ(caller.received(), std::vector<std::string>{"disable"});
        EXPECT_EQ(form.PageNames(), (QStringList{"page1", "page2", "page3", "page5"}));
        EXPECT_EQ(form.Memo1a->toPlainText(),
                  QStringLiteral("『ヴォルレン財務 Ver.22』から『所得税のOvidal』へデータの連動を行います。"));
        EXPECT_EQ(form.ExportObj->ExportFile, "/out/qx.xml");
        EXPECT_EQ(form.ExportObj->FunctionId, 3);
    }
    // Nothing finished the export: the caller learns of the failure.
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"enable", "post 32769 3 2"}));
}

TEST_F(TForm1Test, ABadCommandLineEndsTheProgramAndTellsANamedCaller)
{
    test::CallerListener caller(1234);
    const std::vector<std::vector<std::string>> refused = {
        {"1234,32769,1,/a.xml", "/b.xml"}, // two arguments: no caller is named
        {"1234,msg,1,/a.xml"},
        {"1234,32769,one,/a.xml"},
        // What the export cannot serve ends the start, not the Finish.
        {"1234,32769,1"},
        {"1234,32769,5,/a.xml"},
    };
    for (const auto& args : refused) {
        seam_->messages.clear();
        {
            TForm1 form;
            EXPECT_FALSE(form.FormCreate(args)) << args.front();
            EXPECT_EQ(shown(), std::vector<std::string>{"不正な引数が渡されました。\r\rアプリケーションを強制終了します。"});
        }
    }
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"enable", "post 0 1 2", "enable", "post 32769 0 2", "enable",
                                                           "post 32769 1 2", "enable", "post 32769 5 2"}));
}

TEST_F(TForm1Test, TheThreeApplicationInformationFailures)
{
    test::TempDir folder;
    const fs::path program = folder / "ovidal-rendo";
    auto attempt = [&] {
        seam_->messages.clear();
        TForm1 form;
        form.ProgramFile = program;
        EXPECT_FALSE(form.FormCreate({}));
        return shown();
    };
    EXPECT_EQ(attempt(), std::vector<std::string>{kAppInfoMissing});
    test::writeBytes(folder / "AppInfo.ini", "[Application]\r\nOEM=\r\n");
    EXPECT_EQ(attempt(), std::vector<std::string>{kAppInfoNoOem});
    fs::remove(folder / "AppInfo.ini");
    fs::create_directory(folder / "AppInfo.ini");
    EXPECT_EQ(attempt(), std::vector<std::string>{kAppInfoUnreadable});
}

TEST_F(TForm1Test, AnInstalledVersionBelow14EndsTheProgram)
{
    const std::string expected =
        "このアプリケーションはインストールされている「ヴォルレン財務」のバージョンに対応していません。\r"
        "バージョン:14.0.0以降をインストールしてください。\r\rアプリケーションを強制終了します。";
    for (const char* version : {"13.9.9", ""}) {
        install("旧製品", version);
        seam_->messages.clear();
        TForm1 form;
        EXPECT_FALSE(form.FormCreate({})) << version;
        EXPECT_EQ(shown(), std::vector<std::string>{expected}) << version;
    }
    install("新製品", "14.0.1");
    TForm1 form;
    EXPECT_TRUE(form.FormCreate({}));
}

TEST_F(TForm1Test, ACleanDataRootGetsTheDefaultSettingsAndTheDataModule)
{
    TForm1 form;
    ASSERT_TRUE(form.FormCreate({}));
    ASSERT_TRUE(form.InitializeApplication());
    EXPECT_TRUE(shown().empty());
    const fs::path settings = platform::folders::commonAppData() / BaseFolder / (AppName + ".ini");
    EXPECT_EQ(fs::path(SystemDef.IniFileName), settings);
    ASSERT_TRUE(fs::exists(settings));
    const platform::IniFile ini(settings);
    EXPECT_EQ(ini.readString("LOCAL", "USER"), "VORLEN");
    EXPECT_EQ(SystemDef.GROUPID, 10000);
    EXPECT_EQ(SystemDef.DbUser, "VORLEN");
    EXPECT_EQ(SystemDef.DbPassword, "tamsin");
    EXPECT_EQ(SystemDef.HostName, "");
    EXPECT_EQ(SystemDef.ComputerName, "TESTPC");
    EXPECT_EQ(SystemDef.LoginUserName, "tester");
    EXPECT_EQ(SystemDef.AppTitle, "");
    EXPECT_EQ(SystemDef.FrameExtra, SystemDef.FrameHeight > 4 ? (SystemDef.FrameHeight - 4) * 2 : 0);
    EXPECT_EQ(SystemDef.BaseFont.name, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(fs::is_directory(SystemDef.LogDir));
    EXPECT_NE(DM, nullptr);
    EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("所得税のOvidal from ヴォルレン財務 Ver.22"));
}

TEST_F(TForm1Test, AStartUpThatCannotWriteTheSettingsShowsItsMessage)
{
    TForm1 form;
    ASSERT_TRUE(form.FormCreate({}));
    // A file stands where the data root's folder belongs.
    const fs::path dataRoot = platform::folders::commonAppData() / BaseFolder;
    fs::remove_all(dataRoot);
    fs::create_directories(dataRoot.parent_path());
    test::writeBytes(dataRoot, "x");
    EXPECT_FALSE(form.InitializeApplication());
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "アプリケーションの初期設定がおこなわれていないため\rOvidal連動コンポーネントを終了します。"});
}

TEST_F(TForm1Test, AnUnreadableSettingsFileEndsTheStartWithTheGeneralMessage)
{
    TForm1 form;
    ASSERT_TRUE(form.FormCreate({}));
    fs::create_directories(platform::folders::commonAppData() / BaseFolder / (AppName + ".ini") / "x");
    EXPECT_FALSE(form.InitializeApplication());
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "アプリケーションの初期化に失敗しました。\rOvidal連動コンポーネントを終了します。"});
    EXPECT_EQ(DM, nullptr);
}

TEST_F(TForm1Test, CancelAsksAndTheCloseBoxDoesNot)
{
    test::CallerListener caller(77);
    {
        TForm1 form;
        form.LogonRunner = [] { return true; };
        ASSERT_TRUE(form.FormCreate({"77,32770,3,/o.xml"}));
        form.show();
        seam_->messageAnswers = {platform::ResultNo};
        form.btnCancel->click();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.ResultCode, 2);
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_EQ(seam_->messages[0].text,
                  "[キャンセル]ボタンが押されました。\r連動データの作成ウィザードを終了してもよろしいですか？\r");
        EXPECT_EQ(seam_->messages[0].buttons, platform::Buttons::YesNo);
        seam_->messageAnswers = {platform::ResultYes};
        form.btnCancel->click();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.ResultCode, 1);
    }
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"disable", "enable", "post 32770 3 1"}));

    seam_->messages.clear();
    {
        TForm1 form;
        form.LogonRunner = [] { return true; };
        ASSERT_TRUE(form.FormCreate({"77,32770,4,/o.xml"}));
        // The frame alone: no data set is chosen, so the data page's check stays out.
        form.PageCheck = nullptr;
        form.show();
        form.Wizard1->nextStep();
        form.Wizard1->nextStep();
        form.close(); // the close box
        EXPECT_TRUE(seam_->messages.empty());
        EXPECT_EQ(form.ResultCode, 1);
    }
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"disable", "enable", "post 32770 4 1"}));
}

// Enter as a Windows-trained clerk presses it: the focused button, else Next.
TEST_F(TForm1Test, EnterPressesTheFocusedButtonOrNext)
{
    TForm1 form;
    ASSERT_TRUE(form.FormCreate({}));
    int chooserRuns = 0;
    form.DataChooser = [&](TForm1&) { ++chooserRuns; };
    form.PageCheck = nullptr;
    form.show();
    form.activateWindow();
    struct Step {
        QWidget* focus;
        Qt::Key key;
        const char* pageAfter;
        int chooserRunsAfter;
    };
    const Step steps[] = {
        {form.Button2, Qt::Key_Return, "page2", 0},
        {form.btnDataSentaku, Qt::Key_Return, "page2", 1},
        {form.listDataInfo, Qt::Key_Enter, "page3", 1},
        {form.checkSinkokuUtiwake, Qt::Key_Return, "page4", 1},
    };
    for (const Step& s : steps) {
        s.focus->setFocus();
        QKeyEvent press(QEvent::KeyPress, s.key, s.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QApplication::sendEvent(s.focus, &press);
        EXPECT_EQ(form.Wizard1->currentWidget()->objectName(), QString::fromLatin1(s.pageAfter)) << s.pageAfter;
        EXPECT_EQ(chooserRuns, s.chooserRunsAfter) << s.pageAfter;
    }
    EXPECT_FALSE(form.checkSinkokuUtiwake->isChecked()) << "Enter is not the check box's key";
    form.close();
}

TEST_F(TForm1Test, ARefusedLogonEndsTheRunWithResult2)
{
    test::CallerListener caller(78);
    {
        TForm1 form;
        bool asked = false;
        form.LogonRunner = [&] {
            asked = true;
            return false;
        };
        ASSERT_TRUE(form.FormCreate({"78,32771,1,/o.xml"}));
        form.show();
        QApplication::processEvents();
        EXPECT_TRUE(asked);
        EXPECT_TRUE(form.Terminated);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(SystemDef.AppTitle, "Ovidal連動コンポーネント");
    }
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"disable", "enable", "post 32771 1 2"}));
}

TEST_F(TForm1Test, TheSettingsAreSavedWhenTheFormGoesAway)
{
    {
        TForm1 form;
        ASSERT_TRUE(form.FormCreate({}));
        form.ExportObj->ExportFile = "/home/u/qx.xml";
        form.ExportObj->KomonsakiName = "山田";
    }
    TForm1 next;
    ASSERT_TRUE(next.FormCreate({}));
    EXPECT_EQ(next.Edit4a->text(), QStringLiteral("/home/u/qx.xml"));
    EXPECT_EQ(next.ExportObj->KomonsakiName, "山田");

    // A save that fails is told, not thrown out of the destruction.
    const fs::path file = next.ExportObj->IniFileName();
    fs::remove(file);
    fs::create_directories(file / "held");
    seam_->messages.clear();
    next.FormDestroy();
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text.rfind("連動設定ファイル(Ovidal.ini)を保存できませんでした。", 0), 0u);
}

} // namespace
