// The program's print entries through the system print host on the "PDF
// file" printer: the page-range form answered in place of the operator, the
// file asked through the interaction seam, the progress window running the
// loop; and the component's Preview and Print reaching them.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/ScriptedInteraction.h"
#include "print/JobOfFile.h"
#include "print/TZevev360.h"
#include "print/forms/PrinterList.h"
#include "print/forms/QtPrintHost.h"
#include "print/forms/TBigHintWindow.h"
#include "print/forms/TImageDispForm.h"
#include "print/forms/TStartPrintDlg.h"
#include "ui/FormFont.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>

using namespace vq;
using namespace vq::print;

namespace {

int pdfPrinter()
{
    return static_cast<int>(printerNames().size()) - 1;
}

class QtPrintHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        installPrintEngine();
        p_.DataFile = (dir_ / "list.360").string();
        p_.Title = "一覧";
        p_.PrinterNum = pdfPrinter();
        p_.DelFile = false;
        p_.PageBango = true;
        p_.DataOpen(false);
        for (int page = 1; page <= 4; ++page) {
            if (page > 1)
                p_.NewPage();
            p_.TextOut(200, 200, "PAGE" + std::to_string(page), "ＭＳ 明朝", 12, "", "黒", "OFF", "LEFT", 0);
        }
        p_.DataClose();
    }
    void TearDown() override { TStartPrintDlg::setAnswer(nullptr); }

    test::ScopedRoot root_;
    platform::ScopedScriptedInteraction seam_;
    test::TempDir dir_;
    TZevev360 p_;
    std::filesystem::path pdf_ = dir_ / "一覧.pdf";
};

TEST_F(QtPrintHostTest, PrintGoesThroughTheRangeFormAndTheProgressWindow)
{
    TStartPrintDlg::setAnswer([](PrintRange& r) {
        EXPECT_EQ(r.maxPage, 4);
        r.pageNumbers = true;
        r.from = 2;
        r.to = 3;
        return true;
    });
    seam_->fileAnswers.push_back(pdf_.string());
    EXPECT_TRUE(p_.Print());
    EXPECT_EQ(p_.PreviewCloseNum(), 1);
    ASSERT_TRUE(std::filesystem::exists(pdf_));
    EXPECT_NE(test::readBytes(pdf_).find("/Count 2"), std::string::npos);
    EXPECT_FALSE(p_.PageBango); // set off after every hand-over
}

TEST_F(QtPrintHostTest, CancellingTheRangeFormOrTheFilePrintsNothing)
{
    TStartPrintDlg::setAnswer([](PrintRange&) { return false; });
    EXPECT_FALSE(p_.Print());
    TStartPrintDlg::setAnswer([](PrintRange&) { return true; });
    seam_->fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(p_.Print());
    EXPECT_FALSE(std::filesystem::exists(pdf_));
}

TEST_F(QtPrintHostTest, PreviewOfAFileWithItsOwnJob)
{
    TP360DEF job = JobOfFile(p_.DataFile);
    EXPECT_EQ(job.Title, "一覧");
    EXPECT_TRUE(job.PageBango.Switch);
    EXPECT_EQ(job.PageBango.FormatCount, 2);
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<TImageDispForm*>(w); form && form->isVisible()) {
                EXPECT_EQ(form->windowTitle(), "一覧");
                EXPECT_EQ(form->WherePage->text(), "1/4");
                form->NextPaperClick();
            }
    });
    EXPECT_EQ(PreviewJob(job), 1);
}

TEST_F(QtPrintHostTest, HintsUseTheFormFace)
{
    EXPECT_EQ(QToolTip::font().family(), ui::formFont().family());
    EXPECT_EQ(TBigHintWindow::font().family(), ui::formFont().family());
}

} // namespace
