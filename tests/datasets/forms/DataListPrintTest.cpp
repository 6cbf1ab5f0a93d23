// [F8] of the data selection screen on a copy of the sample office whose list
// got more named data sets through the store: the list printed through the
// "PDF file" printer and read back (lines per page, the code column only
// across, the orientation kept for the operator), the preview opened and
// closed, and an emptied list refused before the dialog.
#include <gtest/gtest.h>

#include "SelectionScreenFixture.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TDataSentakuPrintDlg.h"
#include "print/PrintEngine.h"
#include "print/forms/PrinterList.h"
#include "print/forms/QtPrintHost.h"
#include "print/forms/TImageDispForm.h"
#include "print/forms/TStartPrintDlg.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <regex>

using namespace vq;
namespace fs = std::filesystem;

namespace {

// Runs act once on the first visible window of type T, from the event loop
// of whatever modal window is running then.
// The timer belongs to owner, so one whose window never came goes with the test.
template <class T>
void whenShown(QObject& owner, std::function<void(T&)> act)
{
    auto* timer = new QTimer(&owner);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<T*>(w); window && window->isVisible()) {
                timer->stop();
                act(*window);
                return;
            }
    });
    timer->start(10);
}

std::size_t countOf(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

std::string run(const std::string& program, const std::vector<std::string>& args)
{
    const auto result = platform::runProcess(program, args);
    EXPECT_TRUE(result.succeeded()) << program << ": " << result.standardError;
    return result.standardOutput;
}

std::string code(int rec)
{
    char text[16];
    std::snprintf(text, sizeof text, "K%04d", rec);
    return text;
}

} // namespace

class DataListPrintTest : public test::SelectionScreenFixture {
protected:
    void SetUp() override
    {
        SelectionScreenFixture::SetUp();
        print::installPrintEngine();
        // The printer of the last job is the printer of the next: the PDF printer.
        savedPrinter_ = print::printEngine().Job.PrinterNum;
        print::printEngine().Job.PrinterNum = static_cast<int>(print::printerNames().size()) - 1;
        print::TStartPrintDlg::setAnswer([](print::PrintRange&) { return true; });
        registerRows(60);
    }

    void TearDown() override
    {
        print::TStartPrintDlg::setAnswer(nullptr);
        print::printEngine().Job.PrinterNum = savedPrinter_;
        SelectionScreenFixture::TearDown();
    }

    // Names count free slots from 6 on, as data sets registered in the list.
    void registerRows(int count)
    {
        TDataSentakuListCtl store;
        store.SetListTable(0);
        store.Execute(0, 0, false, {});
        const auto first = std::find_if(store.DataList.begin(), store.DataList.end(),
                                        [](const TDataSentakuRec& r) { return r.REC == 1; });
        ASSERT_NE(first, store.DataList.end());
        int named = 0;
        for (TDataSentakuRec row : store.DataList) {
            if (!row.ENTTEXT.empty() || row.REC < 6 || named == count)
                continue;
            row.ENTTEXT = "登録商店" + std::to_string(row.REC);
            row.DATACODE = code(row.REC);
            row.SHOUGOU = row.ENTTEXT;
            row.NENDO = 3;
            row.KISHU = first->KISHU;
            row.KIMATU = first->KIMATU;
            row.VER_MAJOR = first->VER_MAJOR;
            ASSERT_TRUE(store.UpdateDataListRecord(row, 1, true));
            ++named;
        }
        ASSERT_EQ(named, count);
    }

    // Lines the list takes: a parent and each of its children one line each.
    static int linesOf(const TDataSentakuBox& box)
    {
        int lines = 0;
        for (std::int32_t i : box.List.DispIndex)
            lines += 1 + static_cast<int>(box.List.Rows[static_cast<std::size_t>(i)].Children.size());
        return lines;
    }

    // [F8], the dialog answered with the orientation and OK, the PDF file
    // given; the pages of the PDF as text.
    std::vector<std::string> printToPdf(TDataSentakuBox& box, bool landscape, const fs::path& pdf)
    {
        bool startedLandscape = false;
        whenShown<TDataSentakuPrintDlg>(timers_, [&](TDataSentakuPrintDlg& dlg) {
            startedLandscape = dlg.btnYousiYoko->isChecked();
            (landscape ? dlg.btnYousiYoko : dlg.btnYousiTate)->setChecked(true);
            dlg.btnOK->Click();
        });
        seam_->fileAnswers.push_back(pdf.string());
        box.F8Click();
        EXPECT_EQ(startedLandscape, keptLandscape_);
        keptLandscape_ = landscape;
        EXPECT_TRUE(fs::exists(pdf)) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
        std::vector<std::string> pages;
        std::string text = run("pdftotext", {"-layout", pdf.string(), "-"});
        for (std::size_t at = text.find('\f'); at != std::string::npos; at = text.find('\f')) {
            pages.push_back(text.substr(0, at));
            text.erase(0, at + 1);
        }
        return pages;
    }

    // The folder texts of the list's lines, as the print shows them.
    static std::vector<std::string> lineFolders(const TDataSentakuBox& box)
    {
        std::vector<std::string> out;
        for (std::int32_t i : box.List.DispIndex) {
            const TDataSentakuRec& parent = box.List.Rows[static_cast<std::size_t>(i)];
            out.push_back(TDataSentakuList::FolderColumnText(parent.PASNAME));
            for (const TDataListRec& child : parent.Children)
                out.push_back(TDataSentakuList::FolderColumnText(child.PASNAME));
        }
        return out;
    }

    QObject timers_;    int savedPrinter_ = -1;
    bool keptLandscape_ = false;
};

TEST_F(DataListPrintTest, FiftyFiveLinesAPageUprightAndThirtyFiveWithTheCodesAcross)
{
    TDataSentakuBox* box = open();
    const int lines = linesOf(*box);
    ASSERT_GT(lines, 55);
    struct Case {
        bool landscape;
        int perPage;
        double width;
    };
    for (const Case c : {Case{false, 55, 595.3}, Case{true, 35, 841.9}}) {
        SCOPED_TRACE(c.landscape ? "landscape" : "portrait");
        const fs::path pdf = root_ / (c.landscape ? "across.pdf" : "upright.pdf");
        const auto pages = printToPdf(*box, c.landscape, pdf);
        const int expectedPages = (lines + c.perPage - 1) / c.perPage;
        ASSERT_EQ(static_cast<int>(pages.size()), expectedPages);
        for (int p = 0; p < expectedPages; ++p) {
            SCOPED_TRACE(p + 1);
            const std::string& page = pages[static_cast<std::size_t>(p)];
            // Every line ends in its data folder, shown below the data root as "~".
            EXPECT_EQ(countOf(page, "~/"), static_cast<std::size_t>(std::min(c.perPage, lines - p * c.perPage)));
            EXPECT_NE(page.find("データリスト"), std::string::npos);
            EXPECT_NE(page.find("データフォルダ"), std::string::npos);
            EXPECT_EQ(page.find("コード") != std::string::npos, c.landscape);
            EXPECT_TRUE(std::regex_search(page, std::regex("PAGE +" + std::to_string(p + 1))));
        }
        const std::string all = [&] {
            std::string s;
            for (const auto& page : pages)
                s += page;
            return s;
        }();
        EXPECT_EQ(all.find(code(6)) != std::string::npos, c.landscape);
        EXPECT_EQ(all.find(code(65)) != std::string::npos, c.landscape);
        EXPECT_NE(all.find("登録商店65"), std::string::npos);
        // Page 2 starts with the line after a full page 1.
        const std::string next = lineFolders(*box)[static_cast<std::size_t>(c.perPage)];
        EXPECT_EQ(pages[1].substr(pages[1].find("~/"), next.size()), next);

        const std::string info = run("pdfinfo", {pdf.string()});
        std::smatch size;
        ASSERT_TRUE(std::regex_search(info, size, std::regex(R"(Page size: +([\d.]+) x)"))) << info;
        EXPECT_NEAR(std::stod(size[1]), c.width, 1) << info;
    }
    // The orientation chosen last is kept for the operator in the report style.
    EXPECT_EQ(texts("SELECT SSTR FROM STYLECOLOR WHERE OPCODE=" + std::to_string(SystemDef.OPCODE) +
                    " AND STYLENAME='020-DATASENTAKULIST'"),
              std::vector<std::string>{"P010=1\r\n"});
    bool startedLandscape = false;
    whenShown<TDataSentakuPrintDlg>(timers_, [&](TDataSentakuPrintDlg& dlg) {
        startedLandscape = dlg.btnYousiYoko->isChecked();
        EXPECT_EQ(dlg.windowTitle(), "データリストの印刷");
        EXPECT_FALSE(dlg.btnCopy->isVisible());
        EXPECT_FALSE(dlg.btnColor->isVisible());
        dlg.btnCancel->Click();
    });
    box->F8Click();
    EXPECT_TRUE(startedLandscape);
    EXPECT_TRUE(seam_->messages.empty()) << seam_->messages.front().text;
}

TEST_F(DataListPrintTest, ThePreviewOpensOnTheListAndClosesLeavingNoFile)
{
    TDataSentakuBox* box = open();
    const int pages = (linesOf(*box) + 54) / 55;
    std::string title, where;
    whenShown<TDataSentakuPrintDlg>(timers_, [](TDataSentakuPrintDlg& dlg) { dlg.btnPreview->Click(); });
    whenShown<print::TImageDispForm>(timers_, [&](print::TImageDispForm& form) {
        title = form.windowTitle().toStdString();
        where = form.WherePage->text().toStdString();
        form.CloseButton->click();
    });
    box->F8Click();
    EXPECT_EQ(title, "印刷プレビュー");
    EXPECT_EQ(where, "1/" + std::to_string(pages));
    EXPECT_TRUE(seam_->messages.empty()) << seam_->messages.front().text;
    // The print data was written to the temporary folder and removed after the preview.
    for (const auto& entry : fs::directory_iterator(SystemDef.TempDir))
        EXPECT_NE(entry.path().extension(), ".TMP") << entry.path();
}

TEST_F(DataListPrintTest, AListTheSearchEmptiedIsRefusedBeforeTheDialog)
{
    TDataSentakuBox* box = open();
    box->List.Search.DATANAME = "どの名前にもない文字列";
    box->List.FilterList();
    box->FillGrid(-1);
    ASSERT_TRUE(box->List.DispIndex.empty());
    bool dialogShown = false;
    whenShown<TDataSentakuPrintDlg>(timers_, [&](TDataSentakuPrintDlg& dlg) {
        dialogShown = true;
        dlg.btnCancel->Click();
    });
    box->F8Click();
    EXPECT_FALSE(dialogShown);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "データリストが絞り込みにより表示されていません。\r");
}
