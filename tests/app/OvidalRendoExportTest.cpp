// The tool's whole job as the operator does it: log on, choose a sample
// individual on the selection screen, walk the pages and finish. Each file
// is kept under e2e-out/ in the build folder and must equal its golden file
// byte for byte; a caller gets result 0 and no output-file page. An output
// file that exists or a folder that does not keep the operator on the
// output page with every choice.
#include <gtest/gtest.h>

#include "../linkage/CallerListener.h"
#include "SampleOfficeProgramTest.h"
#include "SchemaDatabase.h"
#include "TempDir.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "linkage/LinkageStartup.h"
#include "linkage/datamake/SyotokuZeiDataNode.h"
#include "linkage/forms/OvidalRendo.h"
#include "linkage/forms/TForm1.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"
#include "ui/forms/TLogonBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxWizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#ifndef VQ_MAKE_SAMPLE_OFFICE
#error "VQ_MAKE_SAMPLE_OFFICE must name the make-sample-office program"
#endif

using namespace vq;
namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

int rowOfCode(const TDataSentakuBox& box, const std::string& code)
{
    for (int r = 0; r < box.List.Grid.RowCount(); ++r)
        if (box.List.Grid.Cell(r, ColCode) == code)
            return r;
    return -1;
}

// What one run does on the pages.
struct Walk {
    std::string code;                   // data-list code of the data set to choose
    bool breakdowns = false;            // the options page's check box
    std::vector<fs::path> outputs;      // stand-alone: typed into the output-file page, one for each Next there
    std::function<void()> beforeFinish; // on the summary, before the first Finish
};

// Plays the operator on whatever window is up; every step that opens a
// modal window is queued, so the driver never waits inside it.
class Operator {
public:
    explicit Operator(Walk walk) : walk_(std::move(walk))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
        timer_.start(50);
    }

    QStringList pagesSeen;
    QString summary;
    bool chose = false;
    bool finished = false;

private:
    static void later(std::function<void()> f) { QTimer::singleShot(0, qApp, std::move(f)); }

    void step()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* logon = qobject_cast<ui::TLogonBox*>(modal)) {
            logon->txtOpCode->setText(QStringLiteral("10"));
            logon->txtPassword->clear();
            logon->OKBtn->Click();
            return;
        }
        if (auto* box = qobject_cast<TDataSentakuBox*>(modal)) {
            if (chose)
                return;
            chose = true;
            box->SelectRow(rowOfCode(*box, walk_.code));
            later([box] { box->F12Click(); });
            return;
        }
        if (modal != nullptr)
            return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* wizard = qobject_cast<linkage::TForm1*>(w);
            if (wizard && wizard->isVisible() && wizard->SystemDbInUse && !busy_)
                onPage(*wizard);
        }
    }

    void next(linkage::TForm1& wizard)
    {
        busy_ = true;
        QPushButton* button = wizard.Button2;
        later([this, button] {
            button->click();
            busy_ = false;
        });
    }

    void onPage(linkage::TForm1& wizard)
    {
        const QString page = wizard.Wizard1->currentWidget()->objectName();
        const bool arrived = pagesSeen.isEmpty() || pagesSeen.back() != page;
        if (arrived)
            pagesSeen << page;
        if (page == QStringLiteral("page2") && wizard.listDataInfo->rowCount() <= 1) {
            if (clickedData_)
                return;
            clickedData_ = true;
            busy_ = true;
            QPushButton* button = wizard.btnDataSentaku;
            later([this, button] {
                button->click();
                busy_ = false;
            });
            return;
        }
        if (page == QStringLiteral("page3"))
            wizard.checkSinkokuUtiwake->setChecked(walk_.breakdowns);
        if (page == QStringLiteral("page4")) {
            if (typed_ == walk_.outputs.size()) {
                // Nothing left to try: the operator gives up.
                wizard.close();
                return;
            }
            wizard.Edit4a->setText(QString::fromStdString(walk_.outputs[typed_++].string()));
        }
        if (page == QStringLiteral("page5")) {
            // Finish once for each arrival on the summary.
            if (!arrived)
                return;
            summary = wizard.Memo5b->toPlainText();
            if (!finished && walk_.beforeFinish)
                walk_.beforeFinish();
            finished = true;
        }
        next(wizard);
    }

    Walk walk_;
    QTimer timer_;
    bool busy_ = false;
    bool clickedData_ = false;
    std::size_t typed_ = 0;
};

class OvidalRendoExportTest : public test::SampleOfficeProgramTest {
protected:
    static void SetUpTestSuite()
    {
        SampleOfficeProgramTest::SetUpTestSuite();
        fs::create_directories(VQ_E2E_OUT);
    }

    // Runs the program with args while op walks it; false when it hung.
    static bool run(const std::vector<std::string>& args)
    {
        bool hung = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            hung = true;
            for (QWidget* w : QApplication::topLevelWidgets())
                w->close();
            QCoreApplication::exit(99);
        });
        watchdog.start(120000);
        linkage::RunOvidalRendo(args);
        return !hung;
    }

    static void expectGolden(const fs::path& produced, const std::string& goldenName)
    {
        ASSERT_TRUE(fs::exists(produced)) << produced;
        const fs::path golden = fs::path(VQ_APP_GOLDEN_DIR) / goldenName;
        ASSERT_TRUE(fs::exists(golden)) << "no golden file " << golden << " for " << produced;
        EXPECT_TRUE(readBytes(produced) == readBytes(golden)) << produced << " differs from " << golden;
    }

    std::vector<std::string> shown()
    {
        std::vector<std::string> texts;
        for (const auto& m : seam_->messages)
            texts.push_back(m.text);
        return texts;
    }

};

TEST_F(OvidalRendoExportTest, EachSampleIndividualGivesItsGoldenFile)
{
    struct Case {
        const char* code;
        bool breakdowns;
        const char* file;
        const char* incomeLine;
    };
    const Case cases[] = {
        {"0001", false, "linkage-general.xml", " 所得種類      : 営業所得用"},
        {"0001", true, "linkage-general-breakdowns.xml", " 所得種類      : 営業所得用"},
        {"0005", true, "linkage-hand-entered.xml", " 所得種類      : 営業所得用"},
        {"0002", false, "linkage-real-estate.xml", " 所得種類      : 不動産所得用"},
        {"0002", true, "linkage-real-estate-breakdowns.xml", " 所得種類      : 不動産所得用"},
        {"0003", false, "linkage-agriculture.xml", " 所得種類      : 農業所得用"},
        {"0003", true, "linkage-agriculture-breakdowns.xml", " 所得種類      : 農業所得用"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        seam_->messages.clear();
        const fs::path out = fs::path(VQ_E2E_OUT) / c.file;
        fs::remove(out);
        Operator op({c.code, c.breakdowns, {out}, {}});
        ASSERT_TRUE(run({}));
        EXPECT_TRUE(op.chose);
        EXPECT_EQ(op.pagesSeen, (QStringList{"page1", "page2", "page3", "page4", "page5"}));
        const QStringList summary = op.summary.split(QLatin1Char('\n'));
        ASSERT_EQ(summary.size(), 14);
        EXPECT_EQ(summary[0], QStringLiteral("【連動元情報】"));
        EXPECT_TRUE(summary[1].startsWith(QStringLiteral(" 会社名        : ")));
        EXPECT_TRUE(summary[2].endsWith(QStringLiteral(" 期")));
        EXPECT_TRUE(summary[3].startsWith(QStringLiteral(" 会計期間      : ")));
        EXPECT_EQ(summary[6], QString::fromUtf8(c.incomeLine));
        EXPECT_EQ(summary[8], QStringLiteral("【計算条件】"));
        EXPECT_TRUE(summary[9].startsWith(QStringLiteral(" 計算対象期間  : ")));
        EXPECT_TRUE(summary[10].startsWith(QStringLiteral(" 消費税計算区分: ")));
        EXPECT_EQ(summary[12], QStringLiteral("【中間ファイル】"));
        EXPECT_EQ(summary[13], QString::fromStdString(" " + out.string()));
        EXPECT_EQ(shown(), std::vector<std::string>{"中間ファイルが作成されました。\r"});
        expectGolden(out, c.file);
    }
}

TEST_F(OvidalRendoExportTest, ACallerReceivesResultZeroAndNoOutputPage)
{
    test::CallerListener caller(911);
    const fs::path out = fs::path(VQ_E2E_OUT) / "linkage-general-caller.xml";
    // A caller that names its file wants it replaced: no question.
    test::writeBytes(out, "an older file");
    Operator op({"0001", false, {}, {}});
    ASSERT_TRUE(run({"911,32769,1," + out.string()}));
    EXPECT_EQ(op.pagesSeen, (QStringList{"page1", "page2", "page3", "page5"}));
    EXPECT_FALSE(op.summary.contains(QStringLiteral("【中間ファイル】")));
    EXPECT_TRUE(shown().empty()) << shown().front();
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"disable", "enable", "post 32769 1 0"}));
    // The same data set and options as the stand-alone run.
    expectGolden(out, "linkage-general.xml");
}

TEST_F(OvidalRendoExportTest, AnExistingFileIsReplacedOnlyWhenTheOperatorSaysSo)
{
    const fs::path out = fs::path(VQ_E2E_OUT) / "linkage-replaced.xml";
    test::writeBytes(out, "the first client's file");
    seam_->messageAnswers = {platform::ResultNo, platform::ResultYes};
    bool keptAfterNo = false;
    Operator op({"0001", false, {out, out}, [&] { keptAfterNo = test::readBytes(out) == "the first client's file"; }});
    ASSERT_TRUE(run({}));
    const std::string question =
        "中間ﾌｧｲﾙ「" + out.string() + "」は既に存在します。\r上書きしてもよろしいですか？\r";
    EXPECT_EQ(shown(), (std::vector<std::string>{question, question, "中間ファイルが作成されました。\r"}));
    ASSERT_EQ(seam_->messages.size(), 3u);
    EXPECT_EQ(seam_->messages[0].defaultButton, 1) << "No is the default";
    EXPECT_TRUE(keptAfterNo);
    expectGolden(out, "linkage-general.xml");
}

TEST_F(OvidalRendoExportTest, AFolderThatIsMissingOrGoneKeepsTheWizardOnTheOutputPage)
{
    test::TempDir dir;
    const fs::path gone = dir / "gone";
    fs::create_directories(gone);
    const fs::path out = fs::path(VQ_E2E_OUT) / "linkage-general-breakdowns-second-try.xml";
    fs::remove(out);
    // A folder never made, then one removed while the summary shows, then a good one.
    Operator op({"0001", true, {dir / "missing" / "qx.xml", gone / "qx.xml", out}, [&] { fs::remove_all(gone); }});
    ASSERT_TRUE(run({}));
    EXPECT_EQ(op.pagesSeen, (QStringList{"page1", "page2", "page3", "page4", "page5", "page4", "page5"}));
    EXPECT_EQ(shown(), (std::vector<std::string>{
                           "中間ﾌｧｲﾙの保存先のﾌｫﾙﾀﾞが見つかりません。\r" + (dir / "missing").string() +
                               "\r別のﾌｫﾙﾀﾞを指定してから[次へ]をｸﾘｯｸしてください。\r",
                           "中間ﾌｧｲﾙを保存できませんでした。\r" + (gone / "qx.xml").string() +
                               "\r\r[詳細情報]\r指定されたパスが見つかりません。",
                           "中間ファイルが作成されました。\r",
                       }));
    // The options chosen before the failure were kept.
    expectGolden(out, "linkage-general-breakdowns.xml");
}

TEST_F(OvidalRendoExportTest, AStatementLineBeyondTheFormGivesTheCallerResultTwoAndNoFile)
{
    // The farm's miscellaneous expenses moved to a line the form does not
    // have; the office's data set is put back afterwards.
    TSystemDef folders;
    ASSERT_TRUE(InitSystemFolders(folders));
    const fs::path database = fs::path(folders.SysDir) / "0003" / DataDbFileName;
    ASSERT_TRUE(fs::exists(database)) << database;
    const std::string saved = readBytes(database);
    test::runSql(database, "UPDATE EXTERKS SET SUBREC = 24 WHERE KGROUP = '6100' AND SUBREC = 23;\n");

    test::CallerListener caller(912);
    const fs::path out = fs::path(VQ_E2E_OUT) / "linkage-agriculture-outside-form.xml";
    fs::remove(out);
    Operator op({"0003", false, {}, {}});
    ASSERT_TRUE(run({"912,32769,1," + out.string()}));
    {
        std::ofstream restore(database, std::ios::binary | std::ios::trunc);
        restore << saved;
    }
    EXPECT_TRUE(op.finished);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(shown(), (std::vector<std::string>{
                           std::string(linkage::OutsideFormMessage) + "\r" +
                               "科目 6290 雑費：決算書行 6100-24「雑費」は青色申告決算書（農業所得用）の様式にありません。\r",
                           "中間ファイルの作成に失敗しました。\r"}));
    EXPECT_EQ(caller.received(), (std::vector<std::string>{"disable", "enable", "post 32769 1 2"}));
}

} // namespace
