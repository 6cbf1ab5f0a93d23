// Whole jobs: sheets with their form cycle, and the same job printed to PDF
// and read back with pdfinfo and pdftotext.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/ScriptedInteraction.h"
#include "print/PageOutput.h"
#include "print/PdfPrintHost.h"
#include "print/TZevev360.h"

#include <QImage>

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

bool hasTool(const char* tool)
{
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// A three-page report: page 2 is landscape, every page carries its name.
class JobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form_ = (dir_ / "帳票.36F").string();
        std::ofstream(form_, std::ios::binary) << "FRECT;0;0;100;100;0;0;\r\nE;\r\nFRECT;200;0;300;100;0;0;\r\n";
        TZevev360 p;
        p.DataFile = (dir_ / "一覧.360").string();
        p.FormFile = form_;
        p.Title = "一覧表";
        p.DataOpen(false);
        const char* names[] = {"FIRSTPAGE", "SECONDPAGE", "THIRDPAGE"};
        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                p.NewPage();
            p.TextOut(300, 500, names[i], "ＭＳ ゴシック", 12, "", "黒", "OFF", "LEFT", 0);
            p.TextOut(300, 700, "日本語の行", "ＭＳ 明朝", 12, "", "黒", "OFF", "LEFT", 0);
        }
        p.DataClose();
        // Landscape for page 2 only.
        std::string text;
        {
            std::ifstream in(p.DataFile, std::ios::binary);
            text.assign(std::istreambuf_iterator<char>(in), {});
        }
        const auto second = text.find("TEXT;300;500;SECONDPAGE");
        text.insert(second, "ORIENTATION;1;\r\n");
        std::ofstream(p.DataFile, std::ios::binary) << text;
        p.FillJob(job_);
    }

    test::ScopedRoot root_;
    platform::ScopedScriptedInteraction seam_;
    test::TempDir dir_;
    std::string form_;
    TP360DEF job_;
    TPrintEngine engine_;
};

} // namespace

TEST_F(JobTest, SheetsCycleTheFormAndTurnPerPage)
{
    JobFiles files(job_);
    prepareJob(engine_, job_, files);
    EXPECT_EQ(files.dataPages(), 3);
    EXPECT_EQ(files.formPages(), 2);
    const QImage first = renderSheet(engine_, files, 1, 254);
    const QImage second = renderSheet(engine_, files, 2, 254);
    const QImage third = renderSheet(engine_, files, 3, 254);
    EXPECT_EQ(first.size(), QSize(2100, 2970));
    EXPECT_EQ(second.size(), QSize(2970, 2100));
    // Form page 1 under sheets 1 and 3, form page 2 under sheet 2.
    EXPECT_EQ(first.pixel(50, 50), 0xFF000000u);
    EXPECT_EQ(first.pixel(250, 50), 0xFFFFFFFFu);
    EXPECT_EQ(second.pixel(250, 50), 0xFF000000u);
    EXPECT_EQ(third.pixel(50, 50), 0xFF000000u);
}

TEST_F(JobTest, PdfHasPagesSizesAndTexts)
{
    if (!hasTool("pdfinfo") || !hasTool("pdftotext"))
        GTEST_SKIP() << "poppler-utils are not installed";
    const auto pdf = dir_ / "out.pdf";
    printToPdf(engine_, job_, pdf);
    const std::string info = run("pdfinfo -f 1 -l 3 '" + pdf.string() + "'");
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    // A4 is 595.276 x 841.89 pt; page 2 is turned.
    std::regex size(R"(Page\s+(\d) size:\s+([\d.]+) x ([\d.]+) pts)");
    std::vector<std::pair<double, double>> sizes;
    for (auto it = std::sregex_iterator(info.begin(), info.end(), size); it != std::sregex_iterator(); ++it)
        sizes.emplace_back(std::stod((*it)[2]), std::stod((*it)[3]));
    ASSERT_EQ(sizes.size(), 3u) << info;
    EXPECT_NEAR(sizes[0].first, 595.3, 0.5);
    EXPECT_NEAR(sizes[0].second, 841.9, 0.5);
    EXPECT_NEAR(sizes[1].first, 841.9, 0.5);
    EXPECT_NEAR(sizes[1].second, 595.3, 0.5);
    EXPECT_NEAR(sizes[2].first, 595.3, 0.5);

    const std::string text = run("pdftotext -f 2 -l 3 '" + pdf.string() + "' -");
    EXPECT_EQ(text.find("FIRSTPAGE"), std::string::npos);
    EXPECT_NE(text.find("SECONDPAGE"), std::string::npos) << text;
    EXPECT_NE(text.find("THIRDPAGE"), std::string::npos);
    EXPECT_NE(text.find("日本語の行"), std::string::npos);

    // A page range of the same job.
    const auto part = dir_ / "part.pdf";
    printToPdf(engine_, job_, part, 2, 2);
    EXPECT_NE(run("pdfinfo '" + part.string() + "'").find("Pages:           1"), std::string::npos);
    EXPECT_NE(run("pdftotext '" + part.string() + "' -").find("SECONDPAGE"), std::string::npos);
}

TEST_F(JobTest, PdfRepeatsCopiesItself)
{
    if (!hasTool("pdftotext"))
        GTEST_SKIP() << "poppler-utils are not installed";
    job_.Copies = 2;
    struct Case {
        int collate;
        const char* order;
    } cases[] = {{1, "SECONDPAGE THIRDPAGE SECONDPAGE THIRDPAGE"}, {0, "SECONDPAGE SECONDPAGE THIRDPAGE THIRDPAGE"}};
    for (const auto& c : cases) {
        job_.Collate = c.collate;
        const auto pdf = dir_ / "copies.pdf";
        printToPdf(engine_, job_, pdf, 2, 3);
        const std::string text = run("pdftotext '" + pdf.string() + "' -");
        std::string order;
        std::regex name("[A-Z]+PAGE");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), name); it != std::sregex_iterator(); ++it)
            order += (order.empty() ? "" : " ") + it->str();
        EXPECT_EQ(order, c.order);
    }
}

TEST_F(JobTest, TintInThePdfLeavesTheTextVisible)
{
    if (!hasTool("pdftoppm"))
        GTEST_SKIP() << "poppler-utils are not installed";
    const auto data = dir_ / "tint.360";
    std::ofstream(data, std::ios::binary) << "*ZEVEV360*\r\nTEXT;100;100;HHHH;;20;;0;OFF;LEFT;0;0;\r\n"
                                             "FRECT;50;50;600;250;$00FFFF;2;\r\n";
    TP360DEF job;
    job.DataFile = data.string();
    printToPdf(engine_, job, dir_ / "tint.pdf");
    run("pdftoppm -r 254 -png -singlefile '" + (dir_ / "tint.pdf").string() + "' '" + (dir_ / "tint").string() + "'");
    QImage page(QString::fromStdString((dir_ / "tint.png").string()));
    ASSERT_FALSE(page.isNull());
    int dark = 0;
    for (int y = 90; y < 200; ++y)
        for (int x = 90; x < 500; ++x)
            dark += qGray(page.pixel(x, y)) < 100;
    EXPECT_GT(dark, 200); // the text still shows
    const QColor paper = page.pixelColor(70, 230);
    EXPECT_GT(paper.red(), 240);
    EXPECT_GT(paper.green(), 240);
    EXPECT_LT(paper.blue(), 20);
    EXPECT_GT(page.pixelColor(700, 230).blue(), 240); // outside the tint the paper stays white
}

// A tint over what is drawn opaquely - a white box, a picture, a form page's
// black fill - looks the same in the PDF as in the preview's image.
TEST_F(JobTest, TintOverBoxesAndPicturesAgreesWithThePreview)
{
    if (!hasTool("pdftoppm"))
        GTEST_SKIP() << "poppler-utils are not installed";
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    const auto bmp = dir_ / "blue.bmp";
    ASSERT_TRUE(picture.save(QString::fromStdString(bmp.string()), "BMP"));
    const auto form = dir_ / "under.36F";
    std::ofstream(form, std::ios::binary) << "FRECT;700;100;800;200;0;0;\r\n";
    const auto data = dir_ / "tint.360";
    std::ofstream(data, std::ios::binary) << "*ZEVEV360*\r\nBOX;100;100;300;300;1;0;0;$FFFFFF;0;\r\n"
                                             "IMAGE;400;100;600;300;" << bmp.string() << ";0;\r\n"
                                             "FRECT;50;150;900;250;$00FFFF;2;\r\n";
    TP360DEF job;
    job.DataFile = data.string();
    job.FormFile = form.string();
    printToPdf(engine_, job, dir_ / "tint.pdf", 1, 0, 254);
    run("pdftoppm -r 254 -png -singlefile '" + (dir_ / "tint.pdf").string() + "' '" + (dir_ / "tint").string() + "'");
    const QImage printed(QString::fromStdString((dir_ / "tint.png").string()));
    ASSERT_FALSE(printed.isNull());
    TPrintEngine previewEngine;
    JobFiles files(job);
    prepareJob(previewEngine, job, files);
    const QImage shown = renderSheet(previewEngine, files, 1, 254);
    struct Point {
        const char* what;
        int x, y;
        QRgb colour;
    };
    const Point points[] = {
        {"white box under the tint", 200, 200, 0xFFFFFF00},
        {"white box outside it", 200, 120, 0xFFFFFFFF},
        {"picture under the tint", 500, 200, 0xFF000000},
        {"picture outside it", 500, 120, 0xFF0000FF},
        {"form fill under the tint", 750, 180, 0xFF000000},
        {"paper under the tint", 650, 200, 0xFFFFFF00},
    };
    for (const Point& p : points) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(shown.pixel(p.x, p.y), p.colour);
        const QColor c = printed.pixelColor(p.x, p.y);
        const QColor want = QColor::fromRgb(p.colour);
        EXPECT_NEAR(c.red(), want.red(), 8);
        EXPECT_NEAR(c.green(), want.green(), 8);
        EXPECT_NEAR(c.blue(), want.blue(), 8);
    }
}

// A paper the paper table does not know prints on its own sheet with the
// page where the margins put it, not 10 mm up and to the left.
TEST_F(JobTest, PapersOutsideTheTableKeepTheirPlaceInThePdf)
{
    if (!hasTool("pdftotext"))
        GTEST_SKIP() << "poppler-utils are not installed";
    const auto data = dir_ / "mark.360";
    std::ofstream(data, std::ios::binary) << "*ZEVEV360*\r\nTEXT;200;300;MARK;;12;;0;OFF;LEFT;0;0;\r\n";
    struct Case {
        int code, width, length; // 1/10 mm, for the user-defined size
        double widthPt, heightPt;
    };
    const Case cases[] = {{1, 0, 0, 612, 792}, {43, 0, 0, 283.5, 419.5}, {256, 1500, 2000, 425.2, 566.9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        TP360DEF job;
        job.DataFile = data.string();
        job.PaperSize = c.code;
        job.PaperWidth = c.width;
        job.PaperLength = c.length;
        job.PrnDlg = false;
        const auto pdf = dir_ / "mark.pdf";
        PdfPrintHost host(pdf.string());
        TPrintEngine engine;
        ASSERT_TRUE(PrintJobStart(engine, job, host));
        const std::string info = run("pdfinfo '" + pdf.string() + "'");
        std::smatch m;
        ASSERT_TRUE(std::regex_search(info, m, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"))) << info;
        EXPECT_NEAR(std::stod(m[1]), c.widthPt, 1);
        EXPECT_NEAR(std::stod(m[2]), c.heightPt, 1);
        const std::string bbox = run("pdftotext -bbox '" + pdf.string() + "' -");
        ASSERT_TRUE(std::regex_search(bbox, m, std::regex(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>MARK<)re"))) << bbox;
        EXPECT_NEAR(std::stod(m[1]) / 72 * 25.4, 20, 1); // 20 mm from the left edge
        EXPECT_NEAR(std::stod(m[2]) / 72 * 25.4, 30, 1.5);
    }
}

TEST_F(JobTest, JisB4PaperInThePdf)
{
    if (!hasTool("pdfinfo"))
        GTEST_SKIP() << "poppler-utils are not installed";
    job_.PaperSize = 12;
    const auto pdf = dir_ / "b4.pdf";
    printToPdf(engine_, job_, pdf, 1, 1);
    const std::string info = run("pdfinfo '" + pdf.string() + "'");
    // 257 x 364 mm = 728.5 x 1031.8 pt.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(info, m, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"))) << info;
    EXPECT_NEAR(std::stod(m[1]), 728.5, 0.5);
    EXPECT_NEAR(std::stod(m[2]), 1031.8, 0.5);
}

TEST_F(JobTest, FileWithoutMagicIsRefused)
{
    std::ofstream(dir_ / "plain.txt") << "TEXT;0;0;x;\r\n";
    job_.DataFile = (dir_ / "plain.txt").string();
    EXPECT_THROW(JobFiles{job_}, std::runtime_error);
}
