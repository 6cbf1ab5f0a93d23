// The preview window offscreen, over a PDF printer (the whole paper is
// printable): zoom bounds, paging and the page jump, close codes, the margin
// dialog, and the page image against the renderer's image of the page.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/ScriptedInteraction.h"
#include "print/PageOutput.h"
#include "print/PdfPrintHost.h"
#include "print/TZevev360.h"
#include "print/forms/TEdit360.h"
#include "print/forms/TImageDispForm.h"
#include "print/forms/Tfmyohaku.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace vq;
using namespace vq::print;

namespace {

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TZevev360 p;
        p.DataFile = (dir_ / "list.360").string();
        p.Title = "データリスト";
        p.PageBango = true;
        p.PageBangoLeft = 2000;
        p.PageBangoTop = 2820;
        p.EvenLeftMargin = 100; // even pages 10 mm to the right
        p.DataOpen(false);
        for (int page = 1; page <= 5; ++page) {
            if (page > 1)
                p.NewPage();
            p.TextOut(150, 100, "データリスト " + std::to_string(page), "ＭＳ ゴシック", 14, "B", "黒", "OFF", "LEFT", 0);
            for (int r = 0; r < 55; ++r)
                p.TextOut(150, 260 + r * 45, "ROW" + std::to_string(r), "ＭＳ 明朝", 9, "", "黒", "OFF", "LEFT", 0);
            p.BoxOut(140, 250, 1900, 2760, 2, 0, "黒", "白", 1);
        }
        p.DataClose();
        p.FillJob(job_);
    }

    // A preview window shown (not modal) on the job.
    std::unique_ptr<TImageDispForm> open()
    {
        engine_.Job = job_;
        engine_.JobDataFile = job_.DataFile;
        engine_.JobFormFile = job_.FormFile;
        host_.printer(-1)->setPaperCode(job_.PaperSize);
        host_.printer(-1)->setOrientation(job_.Orientation);
        auto form = std::make_unique<TImageDispForm>(engine_, host_);
        form->resize(1000, 800);
        form->show();
        QApplication::processEvents();
        return form;
    }

    test::ScopedRoot root_;
    platform::ScopedScriptedInteraction seam_;
    test::TempDir dir_;
    TP360DEF job_;
    TPrintEngine engine_;
    PdfPrintHost host_{(dir_ / "out.pdf").string(), 300};
};

TEST_F(PreviewTest, ZoomStaysBetweenFiftyAndTwoHundredPercent)
{
    auto form = open();
    form->SpeedButton3Click();
    EXPECT_EQ(form->DispZoom->text(), "100%");
    form->ZoomInButtonClick();
    EXPECT_EQ(form->DispZoom->text(), "110%");
    for (int i = 0; i < 20; ++i)
        form->ZoomInButtonClick();
    EXPECT_EQ(form->PreviewZoom(), 20);
    EXPECT_EQ(form->DispZoom->text(), "200%");
    for (int i = 0; i < 20; ++i)
        form->ZoomOutButtonClick();
    EXPECT_EQ(form->PreviewZoom(), 5);
    EXPECT_EQ(form->DispZoom->text(), "50%");
    // The page image follows the zoom: half of the printable width at 50 %.
    const int p = form->logicalDpiX();
    EXPECT_EQ(form->ImagePaintBox->width(), nearest(210 / 25.4 * p * 0.5) + 2);
}

TEST_F(PreviewTest, OpensAtTheFittingZoom)
{
    auto form = open();
    EXPECT_EQ(form->PreviewZoom(), form->fittingZoom());
    EXPECT_GE(form->PreviewZoom(), 5);
    EXPECT_EQ(form->WherePage->text(), "1/5");
    // The window manager maximises the window after it was laid out: the
    // page follows at the new fitting zoom, until the zoom is chosen by hand.
    const int small = form->PreviewZoom();
    form->resize(1800, 1500);
    QApplication::processEvents();
    EXPECT_GT(form->PreviewZoom(), small);
    EXPECT_EQ(form->PreviewZoom(), form->fittingZoom());
    EXPECT_EQ(form->DispZoom->text(), QString("%1%").arg(form->PreviewZoom() * 10));
    form->ZoomOutButtonClick();
    const int chosen = form->PreviewZoom();
    form->resize(1000, 800);
    QApplication::processEvents();
    EXPECT_EQ(form->PreviewZoom(), chosen);
}

TEST_F(PreviewTest, KeysPageAndClose)
{
    auto form = open();
    struct Key {
        Qt::Key key;
        int page;
    };
    for (const Key& k : {Key{Qt::Key_PageDown, 2}, Key{Qt::Key_PageDown, 3}, Key{Qt::Key_PageUp, 2},
                         Key{Qt::Key_End, 5}, Key{Qt::Key_PageDown, 5}, Key{Qt::Key_Home, 1}}) {
        QTest::keyClick(form->ImagePaintScrollBox, k.key);
        EXPECT_EQ(form->currentPage(), k.page) << k.key;
    }
    form->CloseCode = 1;
    QTest::keyClick(form->ImagePaintScrollBox, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->CloseCode, 0);
}

// The data file shrinks while the window is up: paging to a page that is no
// longer there tells the read error instead of killing the program.
TEST_F(PreviewTest, AFileThatShrinksIsToldWhenItsPageIsShown)
{
    TZevev360 p;
    p.DataFile = (dir_ / "long.360").string();
    p.DataOpen(false);
    for (int page = 1; page <= 60; ++page) {
        if (page > 1)
            p.NewPage();
        for (int r = 0; r < 55; ++r)
            p.TextOut(150, 260 + r * 45, "ROW" + std::to_string(r), "ＭＳ 明朝", 9, "", "黒", "OFF", "LEFT", 0);
    }
    p.DataClose();
    p.FillJob(job_);
    auto form = open();
    std::filesystem::resize_file(job_.DataFile, 5000);
    form->Bottom_PageClick();
    EXPECT_EQ(form->currentPage(), 60);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_NE(seam_->messages[0].text.find("を読み込めません。"), std::string::npos) << seam_->messages[0].text;
    EXPECT_FALSE(form->drawProblem().empty());
}

TEST_F(PreviewTest, PagingAndThePageJump)
{
    auto form = open();
    form->DispPrev();
    EXPECT_EQ(form->currentPage(), 1);
    form->Bottom_PageClick();
    EXPECT_EQ(form->currentPage(), 5);
    form->DispNext();
    EXPECT_EQ(form->currentPage(), 5);
    form->DispPrev();
    form->DispPrev();
    EXPECT_EQ(form->WherePage->text(), "3/5");
    EXPECT_EQ(engine_.PageNoIndex, 3);

    struct Jump {
        std::optional<std::string> answer;
        int page; // after the jump, from page 3
    };
    for (const Jump& j : {Jump{"abc", 1}, Jump{"0", 3}, Jump{"9", 3}, Jump{std::nullopt, 3}, Jump{" 4", 4}}) {
        SCOPED_TRACE(j.answer.value_or("(cancel)"));
        form->Top_PageClick();
        form->DispNext();
        form->DispNext();
        seam_->inputAnswers.push_back(j.answer);
        form->PgJumpClick();
        EXPECT_EQ(form->currentPage(), j.page);
        EXPECT_EQ(form->WherePage->text(), QString("%1/5").arg(j.page));
    }
    EXPECT_EQ(seam_->inputs.back(), "表示したいページ番号を入力してください");
}

// The page image is the renderer's page: same placement, same even-page
// shift, same page number.
TEST_F(PreviewTest, PageImageIsTheRenderersImage)
{
    auto form = open();
    form->SpeedButton3Click();
    for (int page : {1, 2}) {
        SCOPED_TRACE(page);
        if (page == 2)
            form->DispNext();
        const QImage shown = form->ImagePaintBox->image;
        TPrintEngine engine;
        JobFiles files(job_);
        prepareJob(engine, job_, files);
        const QImage drawn = renderSheet(engine, files, page, form->logicalDpiX());
        const QRect inside(1, 1, drawn.width() - 2, drawn.height() - 2);
        ASSERT_GE(shown.width(), drawn.width());
        EXPECT_TRUE(shown.copy(inside) == drawn.copy(inside));
        int ink = 0;
        for (int y = 0; y < drawn.height(); y += 3)
            for (int x = 0; x < drawn.width(); x += 3)
                ink += drawn.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_GT(ink, 100);
    }
}

TEST_F(PreviewTest, AMissingFileIsToldOncePerPage)
{
    const std::string form = (dir_ / "form.36F").string();
    test::writeBytes(form, "BOX;100;100;200;200;1;0;黒;白;1;\r\n");
    job_.FormFile = form;
    auto preview = open();
    std::filesystem::remove(form);
    seam_->messages.clear();
    preview->RenderPage();
    preview->RenderPage();
    preview->ZoomOutButtonClick();
    EXPECT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "<" + form + "> が見つかりません。");
    preview->DispNext();
    EXPECT_EQ(seam_->messages.size(), 2u);
}

// Runs PreviewStart and acts on the window once it is up.
int previewAnd(TPrintEngine& engine, TP360DEF& job, PrintHost& host, std::function<void(TImageDispForm*)> act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<TImageDispForm*>(w); form && form->isVisible())
                act(form);
    });
    return PreviewStart(engine, job, host);
}

TEST_F(PreviewTest, CloseCodes)
{
    struct Case {
        const char* how;
        bool reportButtons;
        std::function<void(TImageDispForm*)> close;
        int code;
    };
    const Case cases[] = {
        {"close box, report buttons hidden", false, [](TImageDispForm* f) { f->close(); }, 1},
        {"close box, report buttons shown", true, [](TImageDispForm* f) { f->close(); }, 0},
        {"close button", false, [](TImageDispForm* f) { f->CloseButton->click(); }, 0},
        {"next report", true, [](TImageDispForm* f) { f->NextPaper->click(); }, 1},
        {"previous report", true, [](TImageDispForm* f) { f->PrevPaper->click(); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        TP360DEF job = job_;
        job.PrevPaperButton = job.NextPaperButton = c.reportButtons;
        EXPECT_EQ(previewAnd(engine_, job, host_, c.close), c.code);
    }
}

TEST_F(PreviewTest, RefusedWithoutTheDataFile)
{
    TP360DEF job = job_;
    job.DataFile = (dir_ / "gone.360").string();
    EXPECT_EQ(PreviewStart(engine_, job, host_), 0);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "<" + job.DataFile + "> が見つかりません。");
}

TEST_F(PreviewTest, WithoutPermissionPrintingIsOff)
{
    TP360DEF job = job_;
    job.Permit = false;
    job.CurrentPage = false;
    bool print = true, setup = true, current = true, currentShown = true;
    previewAnd(engine_, job, host_, [&](TImageDispForm* f) {
        print = f->PrintButton->isEnabled();
        setup = f->PrintSetupButton->isEnabled();
        current = f->CurrentPage->isEnabled();
        currentShown = f->CurrentPage->isVisible();
        f->close();
    });
    EXPECT_FALSE(print);
    EXPECT_FALSE(setup);
    EXPECT_FALSE(current);
    EXPECT_FALSE(currentShown);
}

TEST_F(PreviewTest, MarginDialogOffersSpacingOnlyOnTheJobsPaper)
{
    struct Case {
        int printerPaper;
        int height;
        bool spacing;
        int vratio; // after OK with the vertical correction -20
    };
    for (const Case c : {Case{9, 320, true, 980}, Case{12, 220, false, 1000}}) {
        SCOPED_TRACE(c.printerPaper);
        job_.VRATIO = 1000;
        auto form = open();
        host_.printer(-1)->setPaperCode(c.printerPaper);
        int height = 0;
        bool spacing = false;
        QObject::connect(form.get(), &TImageDispForm::marginBoxReady, [&](Tfmyohaku* box) {
            height = box->height();
            spacing = box->GroupBox3->isVisibleTo(box);
            QTimer::singleShot(0, box, [box] {
                box->TopMarginEdit->setText("30");
                box->VRatioEdit->setText("-20");
                box->Button1->click();
            });
        });
        form->SB_MARGINClick();
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(spacing, c.spacing);
        EXPECT_EQ(engine_.Job.TopMargin, 30);
        EXPECT_EQ(engine_.Job.VRATIO, c.vratio);
        EXPECT_EQ(engine_.WorkTopMargin, 30);
    }
}

TEST_F(PreviewTest, PrintingFromThePreviewStaysOnThePage)
{
    auto form = open();
    form->DispNext();
    form->DispNext();
    bool asked = false;
    host_.chooseRange = [&](PrintRange& r) {
        asked = true; // the range is asked for even though the job's PrnDlg was off
        r.pageNumbers = true;
        r.from = 2;
        r.to = 3;
        return true;
    };
    engine_.Job.PrnDlg = false;
    form->PrintButtonClick();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(engine_.Job.PrnDlg);
    EXPECT_EQ(engine_.Job.Zoom, 10);

    // The current page alone, without the dialog.
    asked = false;
    std::filesystem::remove(dir_ / "out.pdf");
    form->CurrentPageClick();
    EXPECT_FALSE(asked);
    EXPECT_EQ(form->currentPage(), 3);
    ASSERT_TRUE(std::filesystem::exists(dir_ / "out.pdf"));
    const std::string info = test::readBytes(dir_ / "out.pdf");
    EXPECT_NE(info.find("/Count 1"), std::string::npos);
    EXPECT_EQ(form->currentPage(), 3);
    EXPECT_EQ(form->WherePage->text(), "3/5");
    EXPECT_TRUE(std::filesystem::exists(dir_ / "out.pdf"));
}

} // namespace
