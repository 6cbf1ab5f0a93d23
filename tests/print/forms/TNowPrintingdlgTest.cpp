// The progress window of a print run: its timer starts the loop, the page
// just sent shows, and its cancel button asks first and then stops the run.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/ScriptedInteraction.h"
#include "print/PdfPrintDevice.h"
#include "print/PrintLoop.h"
#include "print/TZevev360.h"
#include "print/forms/TNowPrintingdlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace vq;
using namespace vq::print;

namespace {

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TZevev360 p;
        p.DataFile = (dir_ / "list.360").string();
        p.DataOpen(false);
        for (int page = 1; page <= 5; ++page) {
            if (page > 1)
                p.NewPage();
            p.TextOut(200, 200, "PAGE" + std::to_string(page), "ＭＳ 明朝", 12, "", "黒", "OFF", "LEFT", 0);
        }
        p.DataClose();
        p.FillJob(engine_.Job);
        engine_.JobDataFile = p.DataFile;
    }

    test::ScopedRoot root_;
    platform::ScopedScriptedInteraction seam_;
    test::TempDir dir_;
    TPrintEngine engine_;
    PdfPrintDevice device_{dir_ / "out.pdf", 150};
    PrintRange all_{false, 1, 5, 5, false, 1};
};

TEST_F(ProgressTest, RunsTheLoopAndCloses)
{
    PrintLoop loop(engine_, device_, all_, false);
    TNowPrintingdlg dialog(loop);
    EXPECT_EQ(dialog.windowTitle(), "印刷");
    EXPECT_EQ(dialog.PrintMessage->text(), " 印刷中です。");
    EXPECT_EQ(dialog.Timer->interval(), 500);
    dialog.exec();
    EXPECT_EQ(loop.sheetsSent(), 5);
    EXPECT_EQ(dialog.PageMessage->text(), "(Page=5)");
    EXPECT_TRUE(std::filesystem::exists(dir_ / "out.pdf"));
}

TEST_F(ProgressTest, CancelAsksAndStopsTheRun)
{
    struct Case {
        int answer;
        int sheets;
        bool file;
    };
    for (const Case c : {Case{platform::ResultNo, 5, true}, Case{platform::ResultYes, 1, false}}) {
        SCOPED_TRACE(c.answer);
        std::filesystem::remove(dir_ / "out.pdf");
        seam_->messages.clear();
        seam_->messageAnswers.push_back(c.answer);
        PrintLoop loop(engine_, device_, all_, false);
        TNowPrintingdlg dialog(loop);
        // Pressed before the loop starts; served after the first sheet.
        QTimer::singleShot(50, &dialog, [&dialog] { dialog.CancelButton->click(); });
        dialog.exec();
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_EQ(seam_->messages[0].text, "印刷を中止しますか？");
        EXPECT_EQ(loop.sheetsSent(), c.sheets);
        EXPECT_EQ(loop.cancelled(), !c.file);
        EXPECT_EQ(std::filesystem::exists(dir_ / "out.pdf"), c.file);
    }
}

} // namespace
