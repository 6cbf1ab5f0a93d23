// The print loop and its entry printing into PDF files, read back with
// pdfinfo and pdftotext: page ranges with their page numbers, copies and
// collation, orientation changes, MESSAGE pauses, cancel and failures.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"
#include "print/PagePlacement.h"
#include "print/PdfPrintDevice.h"
#include "print/PdfPrintHost.h"
#include "print/TZevev360.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>

using namespace vq;
using namespace vq::print;

namespace {

std::string run(const std::string& command)
{
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return out;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe.get()))
        out.append(buffer.data(), n);
    return out;
}

int pdfPages(const std::filesystem::path& pdf)
{
    std::smatch m;
    const std::string info = run("pdfinfo '" + pdf.string() + "'");
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : -1;
}

// "595.276 x 841.89" style sizes of every page, rounded to points.
std::vector<std::pair<int, int>> pdfSizes(const std::filesystem::path& pdf)
{
    std::vector<std::pair<int, int>> sizes;
    const std::string info = run("pdfinfo -f 1 -l 999 '" + pdf.string() + "'");
    const std::regex re("Page\\s+\\d+ size:\\s+([0-9.]+) x ([0-9.]+)");
    for (auto it = std::sregex_iterator(info.begin(), info.end(), re); it != std::sregex_iterator(); ++it)
        sizes.emplace_back(static_cast<int>(std::lround(std::stod((*it)[1]))),
                           static_cast<int>(std::lround(std::stod((*it)[2]))));
    return sizes;
}

// The text of every page (pdftotext separates pages by form feeds).
std::vector<std::string> pdfPageTexts(const std::filesystem::path& pdf)
{
    std::vector<std::string> pages;
    const std::string text = run("pdftotext -layout '" + pdf.string() + "' -");
    std::size_t start = 0;
    for (std::size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
        pages.push_back(text.substr(start, ff - start));
    return pages;
}

// A report laid out like the data list: a title, a heading row and 55 rows a
// page in portrait (35 in landscape), numbered "(%d/%d)" at the bottom.
void writeDataList(TZevev360& p, const std::filesystem::path& file, int orientation, int pages)
{
    const int rowsPerPage = orientation == 1 ? 35 : 55;
    p.DataFile = file.string();
    p.Title = "データリスト";
    p.Orientation = orientation;
    p.PageBango = true;
    p.setPageBangoFormat("(%d/%d)");
    p.PageBangoLeft = orientation == 1 ? 2870 : 2000;
    p.PageBangoTop = orientation == 1 ? 1950 : 2820;
    p.DataOpen(false);
    int row = 0;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            p.NewPage();
        p.TextOut(150, 100, "データリスト", "ＭＳ ゴシック", 14, "B", "黒", "OFF", "LEFT", 0);
        p.TextOut(150, 200, "No.  会社名", "ＭＳ ゴシック", 9, "", "黒", "OFF", "LEFT", 0);
        for (int r = 0; r < rowsPerPage; ++r) {
            ++row;
            p.TextOut(150, 260 + r * 45, "ROW" + std::to_string(row) + " P" + std::to_string(page), "ＭＳ 明朝", 9,
                      "", "黒", "OFF", "LEFT", 0);
        }
    }
    p.DataClose();
}

// Puts line before the line that holds marker.
void insertBefore(const std::string& file, const std::string& marker, const std::string& line)
{
    std::string text = test::readBytes(file);
    auto at = text.find(marker);
    ASSERT_NE(at, std::string::npos) << marker;
    at = text.rfind('\n', at) + 1;
    text.insert(at, platform::cp932::fromUtf8(line) + "\r\n");
    test::writeBytes(file, text);
}

class PrintLoopTest : public ::testing::Test {
protected:
    // A 7-page data list in portrait as a job record.
    TP360DEF dataList(int orientation = 0, int pages = 7)
    {
        TZevev360 p;
        writeDataList(p, dir_ / "datalist.360", orientation, pages);
        TP360DEF job;
        p.FillJob(job);
        return job;
    }

    test::ScopedRoot root_;
    platform::ScopedScriptedInteraction seam_;
    test::TempDir dir_;
    TPrintEngine engine_;
    std::filesystem::path pdf_ = dir_ / "out.pdf";
};

TEST_F(PrintLoopTest, PageRangeKeepsTheNumbersOfTheWholeJob)
{
    TP360DEF job = dataList();
    PdfPrintHost host(pdf_.string());
    host.chooseRange = [](PrintRange& r) {
        EXPECT_EQ(r.maxPage, 7);
        r.pageNumbers = true;
        r.from = 4;
        r.to = 5;
        return true;
    };
    ASSERT_TRUE(PrintJobStart(engine_, job, host));
    EXPECT_EQ(pdfPages(pdf_), 2);
    const auto pages = pdfPageTexts(pdf_);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[0].find("(4/7)"), std::string::npos) << pages[0];
    EXPECT_NE(pages[0].find("ROW166 P4"), std::string::npos);
    EXPECT_NE(pages[1].find("(5/7)"), std::string::npos);
    EXPECT_NE(pages[1].find("ROW275 P5"), std::string::npos);
    EXPECT_EQ(pages[1].find("(6/7)"), std::string::npos);
}

TEST_F(PrintLoopTest, AllPagesIgnoreTheFirstPageBox)
{
    TP360DEF job = dataList(0, 3);
    PdfPrintHost host(pdf_.string());
    host.chooseRange = [](PrintRange& r) {
        r.pageNumbers = false; // "all pages", with 2 left in the first-page box
        r.from = 2;
        return true;
    };
    ASSERT_TRUE(PrintJobStart(engine_, job, host));
    const auto pages = pdfPageTexts(pdf_);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_NE(pages[0].find("(1/3)"), std::string::npos);
    EXPECT_NE(pages[0].find("ROW1 P1"), std::string::npos);
}

// Print and preview place a page with the same rule; a paper the table does
// not know has the same border on every side.
TEST(PagePlacement, BordersOfKnownAndUnknownPaper)
{
    struct Case {
        int code, orientation;
        PrintableArea printable;
        PagePlacement expected;
    };
    const Case cases[] = {
        {9, 0, {200, 287}, {210, 297, 50, 50}},
        {9, 1, {287, 200}, {297, 210, 50, 50}},
        {9, 0, {210, 297}, {210, 297, 0, 0}},
        {1, 0, {203, 266}, {223, 286, 100, 100}},
        {256, 1, {266, 203}, {286, 223, 100, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + "/" + std::to_string(c.orientation));
        const PagePlacement p = placePage(c.code, c.orientation, c.printable);
        EXPECT_EQ(p.paperWidth, c.expected.paperWidth);
        EXPECT_EQ(p.paperHeight, c.expected.paperHeight);
        EXPECT_EQ(p.borderX, c.expected.borderX);
        EXPECT_EQ(p.borderY, c.expected.borderY);
    }
}

TEST_F(PrintLoopTest, PortraitAndLandscapeListsFillTheirPaper)
{
    struct Case {
        int orientation;
        int width, height; // points
        const char* lastRow;
    };
    for (const Case c : {Case{0, 595, 842, "ROW385 P7"}, Case{1, 842, 595, "ROW245 P7"}}) {
        SCOPED_TRACE(c.orientation);
        TP360DEF job = dataList(c.orientation);
        job.PrnDlg = false;
        PdfPrintHost host(pdf_.string());
        ASSERT_TRUE(PrintJobStart(engine_, job, host));
        const auto sizes = pdfSizes(pdf_);
        ASSERT_EQ(sizes.size(), 7u);
        for (const auto& s : sizes)
            EXPECT_EQ(s, std::make_pair(c.width, c.height));
        const auto pages = pdfPageTexts(pdf_);
        ASSERT_EQ(pages.size(), 7u);
        EXPECT_NE(pages[6].find(c.lastRow), std::string::npos) << pages[6];
        EXPECT_NE(pages[6].find("(7/7)"), std::string::npos);
    }
}

TEST_F(PrintLoopTest, CopiesComePageByPageOrAsWholeSets)
{
    struct Case {
        bool collate;
        std::vector<std::string> order;
    };
    for (const Case& c : {Case{false, {"(1/3)", "(1/3)", "(2/3)", "(2/3)", "(3/3)", "(3/3)"}},
                          Case{true, {"(1/3)", "(2/3)", "(3/3)", "(1/3)", "(2/3)", "(3/3)"}}}) {
        SCOPED_TRACE(c.collate);
        TP360DEF job = dataList(0, 3);
        PdfPrintHost host(pdf_.string());
        host.chooseRange = [&](PrintRange& r) {
            r.copies = 2;
            r.collate = c.collate;
            return true;
        };
        ASSERT_TRUE(PrintJobStart(engine_, job, host));
        const auto pages = pdfPageTexts(pdf_);
        ASSERT_EQ(pages.size(), c.order.size());
        for (std::size_t i = 0; i < pages.size(); ++i)
            EXPECT_NE(pages[i].find(c.order[i]), std::string::npos) << i << ": " << pages[i].substr(0, 200);
    }
}

// Records how many sheets the PDF held when each message was shown.
class TimedSeam : public platform::ScriptedInteraction {
public:
    PdfPrintHost* host = nullptr;
    std::vector<std::pair<std::string, int>> shown;
    int message(const platform::MessageRequest& request) override
    {
        auto* device = static_cast<PdfPrintDevice*>(host->printer(0));
        shown.emplace_back(request.text, device->sheetsWritten());
        return ScriptedInteraction::message(request);
    }
};

TEST_F(PrintLoopTest, MessagePausesAndOrientationChangesComeBetweenTheRightPages)
{
    TP360DEF job = dataList(0, 5);
    job.PrnDlg = false;
    // Page 2 asks for a pause after it; page 4 is landscape.
    std::string text = test::readBytes(job.DataFile);
    auto pageStart = [&](int page) {
        std::size_t at = 0;
        for (int i = 1; i < page; ++i)
            at = text.find("E;\r\n", at) + 4;
        return at;
    };
    text.insert(pageStart(4), "ORIENTATION;1;\r\n");
    text.insert(pageStart(2), platform::cp932::fromUtf8("MESSAGE;用紙を入れ替えてください;\r\n"));
    test::writeBytes(job.DataFile, text);

    PdfPrintHost host(pdf_.string());
    auto seam = std::make_unique<TimedSeam>();
    TimedSeam* timed = seam.get();
    timed->host = &host;
    auto previous = platform::installInteraction(std::move(seam));
    const bool printed = PrintJobStart(engine_, job, host);
    auto mine = platform::installInteraction(std::move(previous)); // keeps timed alive

    ASSERT_TRUE(printed);
    ASSERT_EQ(timed->shown.size(), 1u);
    EXPECT_EQ(timed->shown[0].first, "用紙を入れ替えてください");
    EXPECT_EQ(timed->shown[0].second, 2); // after page 2, before page 3
    const auto sizes = pdfSizes(pdf_);
    ASSERT_EQ(sizes.size(), 5u);
    EXPECT_EQ(sizes[2], std::make_pair(595, 842));
    EXPECT_EQ(sizes[3], std::make_pair(842, 595));
    EXPECT_EQ(sizes[4], std::make_pair(595, 842));
    const auto pages = pdfPageTexts(pdf_);
    EXPECT_NE(pages[3].find("ROW166 P4"), std::string::npos);
}

TEST_F(PrintLoopTest, CancelAfterAPageLeavesNoFile)
{
    TP360DEF job = dataList(0, 7);
    job.PrnDlg = false;
    PdfPrintHost host(pdf_.string());
    int sheets = 0;
    host.cancelRequested = [&] { return ++sheets == 2; };
    EXPECT_FALSE(PrintJobStart(engine_, job, host));
    EXPECT_EQ(sheets, 2);
    EXPECT_FALSE(std::filesystem::exists(pdf_));
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        EXPECT_EQ(entry.path().extension(), ".360") << entry.path();
}

TEST_F(PrintLoopTest, FailuresSayWhichAndPrintNothing)
{
    struct Case {
        const char* what;
        std::function<void(TP360DEF&)> spoil;
        std::string said;
    };
    const std::string missingForm = (dir_ / "missing.36F").string();
    const std::string noMagic = (dir_ / "plain.txt").string();
    test::writeBytes(noMagic, "TEXT;0;0;hello;\r\n");
    const std::string broken = (dir_ / "broken.bmp").string();
    test::writeBytes(broken, "BMnot a picture");
    const Case cases[] = {
        {"missing form", [&](TP360DEF& j) { j.FormFile = missingForm; }, "<" + missingForm + "> が見つかりません。"},
        {"empty data name", [](TP360DEF& j) { j.DataFile.clear(); }, "印刷ファイルの指定がありません。"},
        {"no magic", [&](TP360DEF& j) { j.DataFile = noMagic; }, "<ZEVEV360>印刷データではありません。"},
        {"page fails", [&](TP360DEF& j) { insertBefore(j.DataFile, "ROW111 P3", "IMAGE;0;0;100;100;" + broken + ";0;"); },
         "3ページ目を印刷できませんでした。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seam_->messages.clear();
        TP360DEF job = dataList(0, 4);
        job.PrnDlg = false;
        c.spoil(job);
        PdfPrintHost host(pdf_.string());
        EXPECT_FALSE(PrintJobStart(engine_, job, host));
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_EQ(seam_->messages[0].text.rfind(c.said, 0), 0u) << seam_->messages[0].text;
        EXPECT_FALSE(std::filesystem::exists(pdf_));
    }
}

// Shortens the data file when a message is shown (the MESSAGE pause).
class TruncatingSeam : public platform::ScriptedInteraction {
public:
    std::string file;
    int message(const platform::MessageRequest& request) override
    {
        if (request.kind == platform::MessageKind::Information)
            std::filesystem::resize_file(file, 4000);
        return ScriptedInteraction::message(request);
    }
};

// The data file shrinks while the loop prints - between two pages, or while
// a MESSAGE pause is shown: the print ends with the read error, told once,
// and leaves no file, neither the PDF nor its temporary.
TEST_F(PrintLoopTest, AFileThatShrinksWhilePrintingEndsWithTheReadError)
{
    for (const bool duringPause : {false, true}) {
        SCOPED_TRACE(duringPause ? "during the pause" : "between pages");
        TP360DEF job = dataList(0, 60); // larger than one piece the reader takes
        job.PrnDlg = false;
        if (duringPause)
            insertBefore(job.DataFile, "ROW56 P2", "MESSAGE;用紙を入れ替えてください;");
        PdfPrintHost host(pdf_.string());
        if (!duringPause)
            host.progress = [&](const std::string& page) {
                if (page == "(Page=1)")
                    std::filesystem::resize_file(job.DataFile, 4000);
            };
        auto seam = std::make_unique<TruncatingSeam>();
        seam->file = job.DataFile;
        TruncatingSeam* truncating = seam.get();
        auto previous = platform::installInteraction(std::move(seam));
        const bool printed = PrintJobStart(engine_, job, host);
        auto mine = platform::installInteraction(std::move(previous));

        EXPECT_FALSE(printed);
        std::vector<std::string> errors;
        for (const auto& m : truncating->messages)
            if (m.kind == platform::MessageKind::Error)
                errors.push_back(m.text);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find("ページ目を印刷できませんでした。"), std::string::npos) << errors[0];
        EXPECT_NE(errors[0].find("を読み込めません。"), std::string::npos) << errors[0];
        EXPECT_FALSE(std::filesystem::exists(pdf_));
        EXPECT_FALSE(std::filesystem::exists(pdf_.string() + ".part"));
    }
}

TEST_F(PrintLoopTest, WithoutPermissionThePreviewShowsTheCallersWholeJob)
{
    // The shared record holds an earlier job's stretch, colours and numbering.
    engine_.Job.VRATIO = 1040;
    engine_.Job.OcrBlue = 0x123456;
    engine_.Job.GrayScale = true;
    engine_.Job.PageBango.Switch = false;
    TP360DEF job = dataList(0, 2);
    job.Permit = false;
    job.VRATIO = 980;
    job.HRATIO = 1010;
    job.GrayScale = false;
    PdfPrintHost host(pdf_.string());
    TP360DEF seen;
    host.previewAnswer = [&](TPrintEngine& e) {
        seen = e.Job;
        return 1;
    };
    EXPECT_FALSE(PrintJobStart(engine_, job, host));
    EXPECT_EQ(host.previewsOpened(), 1);
    EXPECT_EQ(seen.VRATIO, 980);
    EXPECT_EQ(seen.HRATIO, 1010);
    EXPECT_EQ(seen.OcrBlue, kOcrBlue);
    EXPECT_FALSE(seen.GrayScale);
    EXPECT_TRUE(seen.PageBango.Switch);
    EXPECT_EQ(seen.DataFile, job.DataFile);
    EXPECT_FALSE(std::filesystem::exists(pdf_));
}

// Even pages take the even-page shift by their own number, also after a
// pause restarted the device's page counter.
TEST_F(PrintLoopTest, EvenPageShiftFollowsTheDataPageAfterAPause)
{
    TP360DEF job = dataList(0, 4);
    job.PrnDlg = false;
    job.PageBango.Switch = false;
    job.EvenLeftMargin = 200; // 20 mm to the right on even pages
    insertBefore(job.DataFile, "ROW1 P1", "MESSAGE;次へ;");
    PdfPrintHost host(pdf_.string());
    ASSERT_TRUE(PrintJobStart(engine_, job, host));
    const std::string bbox = run("pdftotext -bbox '" + pdf_.string() + "' -");
    // The x of the first row word on every page.
    std::vector<double> xs;
    const std::regex word("<word xMin=\"([0-9.]+)\"[^>]*>ROW\\d+</word>");
    std::size_t page = 0;
    for (std::size_t at = 0; (at = bbox.find("<page", at)) != std::string::npos; ++at, ++page) {
        std::smatch m;
        const std::string rest = bbox.substr(at);
        ASSERT_TRUE(std::regex_search(rest, m, word));
        xs.push_back(std::stod(m[1]));
    }
    ASSERT_EQ(xs.size(), 4u);
    const double shift = 20 / 25.4 * 72;
    // Page 2 is the first sheet of the job after the pause, yet even.
    EXPECT_NEAR(xs[1] - xs[0], shift, 1.0);
    EXPECT_NEAR(xs[2], xs[0], 0.5);
    EXPECT_NEAR(xs[3] - xs[0], shift, 1.0);
}

// The form page under a data page and the variable fields its "@" records
// use follow the data page number, also after a pause restarted the device's
// page counter; outside a range the form runs to the end of its cycle.
TEST_F(PrintLoopTest, FormPagesFollowTheDataPage)
{
    const std::string form = (dir_ / "form.36F").string();
    test::writeBytes(form, platform::cp932::fromUtf8(
                               "TEXT;100;100;FORMA;ＭＳ 明朝;12;;黒;OFF;LEFT;0;0;\r\n"
                               "&;300;500;NAME;ＭＳ 明朝;12;;黒;OFF;LEFT;0;0;0;\r\n"
                               "E;\r\n"
                               "TEXT;100;100;FORMB;ＭＳ 明朝;12;;黒;OFF;LEFT;0;0;\r\n"
                               "&;1200;500;NAME;ＭＳ 明朝;12;;黒;OFF;LEFT;0;0;0;\r\n"));
    const std::string data = (dir_ / "fields.360").string();
    test::writeBytes(data, "*ZEVEV360*\r\n@;NAME;VALUE1;\r\nMESSAGE;next;\r\nE;\r\n@;NAME;VALUE2;\r\nE;\r\n"
                           "@;NAME;VALUE3;\r\n");
    struct Case {
        bool range;
        std::vector<std::string> forms;  // the form text of every sheet
        std::vector<std::string> values; // the value of every sheet, "" for none
        std::vector<int> valueMM;        // its x in whole millimetres
    };
    const Case cases[] = {
        {false, {"FORMA", "FORMB", "FORMA", "FORMB"}, {"VALUE1", "VALUE2", "VALUE3", ""}, {30, 120, 30, 0}},
        {true, {"FORMB", "FORMA"}, {"VALUE2", "VALUE3"}, {120, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.range ? "pages 2 to 3" : "all pages");
        TP360DEF job;
        job.DataFile = data;
        job.FormFile = form;
        PdfPrintHost host(pdf_.string());
        host.chooseRange = [&](PrintRange& r) {
            r.pageNumbers = c.range;
            r.from = 2;
            r.to = 3;
            return true;
        };
        ASSERT_TRUE(PrintJobStart(engine_, job, host));
        const auto pages = pdfPageTexts(pdf_);
        ASSERT_EQ(pages.size(), c.forms.size());
        const std::string bbox = run("pdftotext -bbox '" + pdf_.string() + "' -");
        std::size_t at = 0;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_NE(pages[i].find(c.forms[i]), std::string::npos) << pages[i];
            at = bbox.find("<page", at) + 1;
            const std::size_t end = bbox.find("</page>", at);
            const std::string page = bbox.substr(at, end - at);
            std::smatch m;
            const bool hasValue = std::regex_search(page, m, std::regex("<word xMin=\"([0-9.]+)\"[^>]*>(VALUE\\d)</word>"));
            if (c.values[i].empty()) {
                EXPECT_FALSE(hasValue);
                continue;
            }
            ASSERT_TRUE(hasValue);
            EXPECT_EQ(m[2].str(), c.values[i]);
            EXPECT_NEAR(std::stod(m[1]) / 72 * 25.4, c.valueMM[i], 1.0);
        }
    }
}

} // namespace
