// The page renderer at 254 dpi, where one pixel is 0.1 mm: graphics are
// checked to the pixel, texts by their ink bounds (within 2 px of where the
// font's own metrics put them). No whole-page comparisons.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"
#include "print/ErrorLog.h"
#include "print/PageRenderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <fstream>

using namespace vq;
using namespace vq::print;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

struct Rendered {
    QImage image;
    bool fileEnded = false;
};

Rendered render(TPrintEngine& engine, const std::string& records, PageKind kind = PageKind::Data,
                bool onPrinter = false, int offsetX = 0, int offsetY = 0, QSize size = {1200, 1200})
{
    Rendered r;
    r.image = QImage(size, QImage::Format_RGB32);
    r.image.setDotsPerMeterX(10000);
    r.image.setDotsPerMeterY(10000);
    r.image.fill(Qt::white);
    QPainter painter(&r.image);
    PrintText text(platform::cp932::fromUtf8(records));
    r.fileEnded = DrawPage(engine, kind, text, DrawTarget::atDpi(&painter, 254, onPrinter), false, 0, offsetX, offsetY);
    return r;
}

bool dark(QRgb c)
{
    return qGray(c) < 160;
}

// Bounds of the pixels in area that satisfy test (empty when none).
template <typename Test>
QRect inkOf(const QImage& image, QRect area, Test test)
{
    area &= image.rect();
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

QRect inkOf(const QImage& image, QRect area = QRect(0, 0, 100000, 100000))
{
    return inkOf(image, area, dark);
}

QFont font(const char* family, int pixels)
{
    QFont f(family);
    f.setPixelSize(pixels);
    return f;
}

// Where the font puts the ink of text whose cell starts at topLeft.
QRect expectedInk(const QImage& image, const QFont& f, const QString& text, QPoint topLeft)
{
    QFontMetrics fm(f, &image);
    return fm.tightBoundingRect(text).translated(topLeft.x(), topLeft.y() + cellAscent(f, const_cast<QImage*>(&image)));
}

void expectNear(const QRect& actual, const QRect& expected, int tolerance = 2)
{
    ASSERT_FALSE(actual.isEmpty());
    EXPECT_NEAR(actual.left(), expected.left(), tolerance);
    EXPECT_NEAR(actual.right(), expected.right(), tolerance);
    EXPECT_NEAR(actual.top(), expected.top(), tolerance);
    EXPECT_NEAR(actual.bottom(), expected.bottom(), tolerance);
}

constexpr int k10pt = 35; // MulDiv(10, 254, 72)

} // namespace

class PageRendererTest : public ::testing::Test {
protected:
    test::ScopedRoot root_;
    platform::ScopedScriptedInteraction seam_;
    TPrintEngine engine_;
};

TEST_F(PageRendererTest, LinesBoxesAndFillsToThePixel)
{
    const auto r = render(engine_, "LINE;100;200;600;200;1;0;黒;\r\n"
                                   "LINE;100;250;600;250;5;0;青;\r\n"
                                   "BOX;100;300;400;500;1;0;黒;黄;0;\r\n"
                                   "FRECT;500;300;700;400;赤;0;\r\n"
                                   "BOX;800;300;900;400;3;0;黒;白;1;\r\n");
    const QImage& im = r.image;
    // A 0.1 mm line is one pixel on row 200.
    EXPECT_EQ(im.pixel(100, 200), kBlack);
    EXPECT_EQ(im.pixel(599, 200), kBlack);
    EXPECT_EQ(im.pixel(300, 199), kWhite);
    EXPECT_EQ(im.pixel(300, 201), kWhite);
    EXPECT_EQ(inkOf(im, QRect(0, 180, 1200, 40)).height(), 1);
    // 0.5 mm: five rows around 250.
    EXPECT_EQ(inkOf(im, QRect(200, 230, 10, 40), [](QRgb c) { return c == 0xFF0000FF; }), QRect(200, 248, 10, 5));
    // The box: border on its first and last pixel, the right and bottom edge outside.
    EXPECT_EQ(im.pixel(100, 400), kBlack);
    EXPECT_EQ(im.pixel(399, 400), kBlack);
    EXPECT_EQ(im.pixel(400, 400), kWhite);
    EXPECT_EQ(im.pixel(250, 300), kBlack);
    EXPECT_EQ(im.pixel(250, 499), kBlack);
    EXPECT_EQ(im.pixel(250, 500), kWhite);
    EXPECT_EQ(im.pixel(250, 400), 0xFFFFFF00);
    // The fill covers 500..699 x 300..399.
    EXPECT_EQ(inkOf(im, QRect(450, 250, 300, 200), [](QRgb c) { return c == 0xFFFF0000; }), QRect(500, 300, 200, 100));
    // A clear brush leaves the inside white; a 0.3 mm pen is three pixels wide.
    EXPECT_EQ(im.pixel(850, 350), kWhite);
    EXPECT_EQ(inkOf(im, QRect(780, 340, 40, 1)).width(), 3);
}

TEST_F(PageRendererTest, FillModesLayerAndTint)
{
    const std::string text = "TEXT;100;100;■■■■;ＭＳ ゴシック;20;;黒;OFF;LEFT;0;0;\r\n";
    // Mode 1 lies under a text written before it; mode 0 covers it.
    auto under = render(engine_, text + "FRECT;80;80;400;200;空;1;\r\n");
    EXPECT_FALSE(inkOf(under.image).isEmpty());
    EXPECT_EQ(under.image.pixel(85, 85), 0xFF00FFFF);
    auto over = render(engine_, text + "FRECT;80;80;400;200;空;0;\r\n");
    EXPECT_TRUE(inkOf(over.image).isEmpty());
    // Mode 2: a yellow tint keeps the black text black, turns the paper
    // yellow, and stays inside its rectangle.
    auto tint = render(engine_, text + "FRECT;80;80;400;200;黄;2;\r\n");
    EXPECT_FALSE(inkOf(tint.image, tint.image.rect(), [](QRgb c) { return c == kBlack; }).isEmpty());
    EXPECT_EQ(tint.image.pixel(85, 85), 0xFFFFFF00);
    EXPECT_EQ(tint.image.pixel(399, 199), 0xFFFFFF00);
    EXPECT_EQ(tint.image.pixel(400, 150), kWhite);
    EXPECT_EQ(tint.image.pixel(79, 150), kWhite);
    // Coordinates far outside the page allocate nothing and draw nothing odd.
    auto huge = render(engine_, "FRECT;0;0;2000000000;2000000000;黄;2;\r\n");
    EXPECT_EQ(huge.image.pixel(5, 5), 0xFFFFFF00);
}

TEST_F(PageRendererTest, TextsSitWhereTheirAnchorSays)
{
    const auto r = render(engine_, "TEXT;200;100;ABC;ＭＳ 明朝;10;;黒;OFF;LEFT;0;0;\r\n"
                                   "TEXT;1000;300;ABC;ＭＳ 明朝;10;;黒;OFF;RIGHT;0;0;\r\n"
                                   "TEXT;600;500;ABC;ＭＳ 明朝;10;;黒;OFF;CENTER;0;0;\r\n"
                                   "TEXT;200;700;ABC;ＭＳ 明朝;10;;黒;OFF;LEFT;0;1;\r\n"
                                   "TEXT;200;900;A\tB;ＭＳ 明朝;10;;黒;ON;LEFT;0;0;\r\n");
    const QFont f = font("IPAMincho", k10pt);
    QFontMetrics fm(f, &r.image);
    const int w = fm.horizontalAdvance("ABC");
    expectNear(inkOf(r.image, QRect(0, 50, 1200, 150)), expectedInk(r.image, f, "ABC", {200, 100}));
    expectNear(inkOf(r.image, QRect(0, 250, 1200, 150)), expectedInk(r.image, f, "ABC", {1000 - w, 300}));
    expectNear(inkOf(r.image, QRect(0, 450, 1200, 150)), expectedInk(r.image, f, "ABC", {600 - nearest(w / 2.0), 500}));
    // Mode 1: y is the middle of the text (lifted by Nearest(17.5 - 0.55) = 17)
    // and the first character is centred on x.
    const int lift = 17;
    const int half = nearest(fm.horizontalAdvance("A") * 0.5);
    expectNear(inkOf(r.image, QRect(0, 650, 1200, 150)), expectedInk(r.image, f, "ABC", {200 - half, 700 - lift}));
    // TAB: the second piece one text height lower.
    expectNear(inkOf(r.image, QRect(0, 900, 1200, fm.height())), expectedInk(r.image, f, "A", {200, 900}));
    expectNear(inkOf(r.image, QRect(0, 900 + fm.height(), 1200, fm.height())),
               expectedInk(r.image, f, "B", {200, 900 + fm.height()}));
}

TEST_F(PageRendererTest, TextContinuesAtThePenAndSpreadsOverItsWidth)
{
    const auto r = render(engine_, "TEXT;100;100;AB;ＭＳ 明朝;10;;黒;OFF;LEFT;0;0;\r\n"
                                   "TEXT;0;100;CD;ＭＳ 明朝;10;;黒;OFF;LEFT;0;0;\r\n"
                                   "UTEXT;100;400;IIII;ＭＳ ゴシック;10;;黒;OFF;LEFT;400;0;\r\n");
    const QFont f = font("IPAMincho", k10pt);
    QFontMetrics fm(f, &r.image);
    expectNear(inkOf(r.image, QRect(0, 50, 1200, 150)), expectedInk(r.image, f, "ABCD", {100, 100}));
    // Spread: the last character ends at x + width.
    const QFont g = font("IPAGothic", k10pt);
    QFontMetrics gm(g, &r.image);
    const double step = (400 - gm.horizontalAdvance("I")) / 3.0;
    const QRect ink = inkOf(r.image, QRect(0, 350, 1200, 150));
    const QRect last = expectedInk(r.image, g, "I", {100 + nearest(3 * step), 400});
    EXPECT_NEAR(ink.right(), last.right(), 2);
    EXPECT_NEAR(ink.left(), expectedInk(r.image, g, "I", {100, 400}).left(), 2);
}

TEST_F(PageRendererTest, EveryRecordKindDraws)
{
    test::TempDir dir;
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const auto bmp = (dir / "logo.bmp").string();
    picture.save(QString::fromStdString(bmp), "BMP");
    const auto sub = (dir / "sub.36F").string();
    std::ofstream(sub, std::ios::binary) << "FRECT;0;0;50;50;0;0;\r\n";
    std::ofstream(dir / "metafile.wmf") << "x";
    struct Case {
        std::string record;
        QRect area; // where ink must appear
    } cases[] = {
        {"TEXT;100;100;文字;;10;;黒;OFF;LEFT;0;0;", {90, 90, 120, 60}},
        {"NTEXT;100;100;文字;;10;;黒;OFF;LEFT;0;0;", {90, 90, 120, 60}},
        {"UTEXT;100;100;文字;;10;;黒;OFF;LEFT;300;0;", {90, 90, 330, 60}},
        {"VTEXT;100;100;文字ー;;10;;黒;OFF;LEFT;300;0;", {90, 90, 60, 330}},
        {"MEMO;100;100;400;400;長い文章を枠の中で折り返して表示します。;1;;10;;黒;", {90, 90, 320, 320}},
        {"MARUMOJI;200;200;100;済;;10;;黒;", {145, 145, 110, 110}},
        {"LINE;100;100;300;100;1;0;黒;", {100, 100, 200, 1}},
        {"ELINE;100;100;300;100;10;0;黒;", {100, 100, 200, 1}},
        {"BOX;100;100;300;300;1;0;黒;白;0;", {100, 100, 1, 200}},
        {"BP;100;100;1;0;黒;\r\nLINEB;200;0;", {200, 100, 200, 1}},
        {"SLINE;600;100;300;3;1;0;黒;;10;", {400, 150, 200, 100}},
        {"RRECT;100;100;300;300;40;40;1;0;黒;白;0;", {150, 100, 100, 1}},
        {"FRECT;100;100;300;300;黒;0;", {100, 100, 200, 200}},
        {"CIRCLE;100;100;300;300;1;0;黒;白;0;", {195, 100, 10, 3}},
        {"IMAGE;100;100;300;300;" + bmp + ";0;", {100, 100, 200, 200}},
        {"FORM;" + sub + ";FALSE;300;300;", {300, 300, 50, 50}},
        {"LEFTMARGIN;100;\r\nFRECT;0;0;10;10;黒;0;", {100, 0, 10, 10}},
        {"TOPMARGIN;100;\r\nFRECT;0;0;10;10;黒;0;", {0, 100, 10, 10}},
    };
    for (const auto& c : cases) {
        const auto r = render(engine_, c.record + "\r\n");
        const QRect ink = inkOf(r.image, c.area);
        EXPECT_FALSE(ink.isEmpty()) << c.record;
        EXPECT_TRUE(inkOf(r.image, QRect(0, 0, 1200, 1200)).intersects(c.area)) << c.record;
    }
    // Records with nothing to draw on this system are logged and skipped.
    render(engine_, "IMAGE;0;0;10;10;" + (dir / "metafile.wmf").string() + ";0;\r\nCHART;" + bmp + ";0;0;10;10;0;\r\n"
                    "MESSAGE;用紙を替えてください;\r\nORIENTATION;1;\r\n");
    std::ifstream log(errorLogPath(), std::ios::binary);
    const std::string text = platform::cp932::toUtf8(std::string(std::istreambuf_iterator<char>(log), {}));
    EXPECT_NE(text.find("ImageOut.(IMAGE)"), std::string::npos);
    EXPECT_NE(text.find("ImageOut.(CHART)"), std::string::npos);
    EXPECT_TRUE(engine_.MessageText.empty()); // MESSAGE counts on the printer only
    render(engine_, "MESSAGE;用紙を替えてください;\r\n", PageKind::Data, true);
    EXPECT_EQ(engine_.MessageText, "用紙を替えてください");
}

TEST_F(PageRendererTest, OriginFollowsKindAndDevice)
{
    engine_.WorkLeftMargin = 100;
    engine_.WorkTopMargin = 50;
    engine_.Job.LeftCorrect = 20;
    engine_.Job.TopCorrect = 10;
    engine_.Job.FormLeftMargin = 200;
    engine_.Job.FormTopMargin = 300;
    struct Case {
        PageKind kind;
        bool printer;
        QPoint origin;
    } cases[] = {
        {PageKind::Form, true, {100 + 200 + 20, 50 + 10 + 300}},
        {PageKind::Data, true, {120, 60}},
        {PageKind::SubForm, true, {120, 60}},
        {PageKind::Form, false, {300, 350}},
        {PageKind::Data, false, {100, 50}},
        {PageKind::SubForm, false, {100, 50}},
    };
    for (const auto& c : cases) {
        const auto r = render(engine_, "FRECT;10;10;20;20;黒;0;\r\n", c.kind, c.printer);
        EXPECT_EQ(inkOf(r.image), QRect(c.origin + QPoint(10, 10), QSize(10, 10)))
            << static_cast<int>(c.kind) << " " << c.printer;
    }
}

TEST_F(PageRendererTest, MarginRecordsLastToThePageEnd)
{
    engine_.WorkLeftMargin = 100;
    const auto r = render(engine_, "LEFTMARGIN;50;\r\nLEFTMARGIN;0;\r\nFRECT;0;0;10;10;黒;0;\r\n"
                                   "LEFTMARGIN;30;\r\nFRECT;0;100;10;110;黒;0;\r\nE;\r\n");
    EXPECT_FALSE(r.fileEnded);
    EXPECT_EQ(inkOf(r.image, QRect(0, 0, 1200, 50)).left(), 150);
    EXPECT_EQ(inkOf(r.image, QRect(0, 90, 1200, 50)).left(), 130);
    EXPECT_EQ(engine_.WorkLeftMargin, 100);
    EXPECT_TRUE(render(engine_, "FRECT;0;0;10;10;黒;0;\r\n").fileEnded);
}

TEST_F(PageRendererTest, StretchAndBasePoint)
{
    engine_.PaperHRatio = 1156;
    engine_.PaperVRatio = 1000;
    auto r = render(engine_, "FRECT;1000;0;1010;10;黒;0;\r\n", PageKind::Data, false, 0, 0, {1300, 100});
    EXPECT_EQ(inkOf(r.image).left(), 1156);
    engine_.PaperHRatio = 1000;
    // BP moves every later record; a FORM after it uses only its own position.
    test::TempDir dir;
    const auto sub = (dir / "s.36F").string();
    std::ofstream(sub, std::ios::binary) << "FRECT;0;0;10;10;黒;0;\r\n";
    r = render(engine_, "BP;100;100;1;0;黒;\r\nLINEB;50;0;\r\nFORM;" + sub + ";FALSE;500;500;\r\n"
                        "FRECT;0;0;10;10;黒;0;\r\n");
    // The line ends before its last pixel, as a Windows LineTo does.
    EXPECT_EQ(inkOf(r.image, QRect(0, 0, 400, 400)), QRect(100, 100, 50, 10)); // line + fill at the base point
    EXPECT_EQ(inkOf(r.image, QRect(400, 400, 400, 400)), QRect(500, 500, 10, 10));
}

TEST_F(PageRendererTest, PageNumberThreeOfSeven)
{
    engine_.Job.PageBango.Switch = true;
    engine_.Job.PageBango.Left = 1000;
    engine_.Job.PageBango.Top = 100;
    engine_.Job.PageBango.Alignment = 2;
    engine_.Job.PageBango.FormatCount = 2;
    engine_.PageNoList = {"1", "0", "3"};
    engine_.PageNoTotal = 7;
    engine_.PageNoIndex = 3;
    auto r = render(engine_, "LINE;0;1000;10;1000;1;0;黒;\r\nTEXT;0;500;x;;10;;黒;OFF;LEFT;0;0;\r\n");
    const QFont f = font("IPAMincho", k10pt);
    const int w = QFontMetrics(f, &r.image).horizontalAdvance("(3/7)");
    expectNear(inkOf(r.image, QRect(0, 50, 1200, 150)), expectedInk(r.image, f, "(3/7)", {1000 - w, 100}));
    engine_.PageNoIndex = 2; // entry "0": no number
    r = render(engine_, "TEXT;0;500;x;;10;;黒;OFF;LEFT;0;0;\r\n");
    EXPECT_TRUE(inkOf(r.image, QRect(0, 50, 1200, 150)).isEmpty());
    engine_.PageNoIndex = 3; // a closing fragment with one rule gets no number
    r = render(engine_, "LINE;0;1000;10;1000;1;0;黒;\r\n");
    EXPECT_TRUE(inkOf(r.image, QRect(0, 50, 1200, 150)).isEmpty());
}

TEST_F(PageRendererTest, VariableFieldsWithRowPitchAndOnce)
{
    test::TempDir dir;
    const auto form = dir / "v.36F";
    std::ofstream(form, std::ios::binary) << "&;0;0;0;;;;;;;50;\r\n&;100;1000;ROW;;10;;0;OFF;LEFT;0;0;0;\r\n"
                                             "&;600;1000;HEAD;;10;;0;OFF;LEFT;0;1;0;\r\n";
    ASSERT_TRUE(HensuuYomikomi(engine_.FormFields, form, 0, 0, engine_.Job));
    const auto r = render(engine_, "@;row;A;\r\n@;row;A;\r\n@;ROW;A;\r\n@;head;A;\r\n@;head;A;\r\n@;none;A;\r\n",
                          PageKind::Data, false, 0, 0, {1200, 1300});
    const QFont f = font("IPAMincho", k10pt);
    // Third use on a pitch of 5 mm: 10 mm lower.
    expectNear(inkOf(r.image, QRect(0, 1080, 500, 60)), expectedInk(r.image, f, "A", {100, 1100}));
    EXPECT_FALSE(inkOf(r.image, QRect(0, 1030, 500, 40)).isEmpty());
    // Marked once: only its first use draws.
    EXPECT_FALSE(inkOf(r.image, QRect(550, 990, 200, 40)).isEmpty());
    EXPECT_TRUE(inkOf(r.image, QRect(550, 1040, 200, 60)).isEmpty());
}

TEST_F(PageRendererTest, FormsThatNameThemselvesAreRefusedOnce)
{
    test::TempDir dir;
    const auto self = (dir / "self.36F").string();
    std::ofstream(self, std::ios::binary) << "&;100;100;OWN;;10;;0;OFF;LEFT;0;0;0;\r\nFRECT;0;0;10;10;黒;0;\r\nFORM;"
                                          << self << ";TRUE;20;0;\r\n";
    const auto jobForm = dir / "job.36F";
    std::ofstream(jobForm, std::ios::binary) << "&;500;500;JOB;;10;;0;OFF;LEFT;0;0;0;\r\n";
    ASSERT_TRUE(HensuuYomikomi(engine_.FormFields, jobForm, 0, 0, engine_.Job));
    const auto r = render(engine_, "FORM;" + self + ";TRUE;0;0;\r\n@;OWN;X;\r\nE;\r\n");
    EXPECT_FALSE(r.fileEnded);
    // The form draws once; where it names itself it is refused.
    EXPECT_EQ(inkOf(r.image, QRect(0, 0, 1200, 50)), QRect(0, 0, 10, 10));
    // The page's own "@" found the field of the form it loaded ...
    EXPECT_FALSE(inkOf(r.image, QRect(80, 60, 100, 100)).isEmpty());
    // ... and the job's form fields are as they were.
    EXPECT_EQ(engine_.FormFields.FindVariableField(0, "JOB"), 1);
    EXPECT_EQ(engine_.FormFields.FindVariableField(0, "OWN"), 0);
}

// Many self-references, a ring of two forms, a file that draws itself and a
// wide tree of distinct forms: each page draws a bounded number of forms and
// logs its refusal once.
TEST_F(PageRendererTest, FormWorkIsBoundedAndLoggedOnce)
{
    test::TempDir dir;
    auto write = [&](const char* name, const std::string& body) {
        const auto file = (dir / name).string();
        std::ofstream(file, std::ios::binary) << body;
        return file;
    };
    std::string tenSelf = "LINE;0;0;10;0;1;0;黒;\r\n";
    for (int i = 0; i < 10; ++i)
        tenSelf += "FORM;" + (dir / "ten.36F").string() + ";FALSE;0;0;\r\n";
    write("ten.36F", tenSelf);
    write("a.36F", "FORM;" + (dir / "b.36F").string() + ";FALSE;0;0;\r\n");
    write("b.36F", "FORM;" + (dir / "a.36F").string() + ";FALSE;0;0;\r\n");
    // Ten levels of ten distinct forms each: far more than a page may draw.
    for (int level = 0; level < 10; ++level) {
        std::string body = "LINE;0;0;10;0;1;0;黒;\r\n";
        for (int i = 0; i < 10; ++i)
            body += "FORM;" + (dir / ("t" + std::to_string(level + 1) + "_" + std::to_string(i) + ".36F")).string() +
                    ";FALSE;0;0;\r\n";
        for (int i = 0; i < 10; ++i)
            write(("t" + std::to_string(level) + "_" + std::to_string(i) + ".36F").c_str(), body);
    }
    const auto page = write("page.360", "LINE;0;0;10;0;1;0;黒;\r\nFORM;" + (dir / "page.360").string() + ";FALSE;0;0;\r\n");
    struct Case {
        std::string what, records;
    };
    const Case cases[] = {
        {"ten self-references", "FORM;" + (dir / "ten.36F").string() + ";FALSE;0;0;\r\n"},
        {"a ring of two", "FORM;" + (dir / "a.36F").string() + ";FALSE;0;0;\r\n"},
        {"a wide tree", "FORM;" + (dir / "t0_0.36F").string() + ";FALSE;0;0;\r\n"},
    };
    auto logLines = [] {
        std::ifstream log(errorLogPath(), std::ios::binary);
        const std::string text(std::istreambuf_iterator<char>(log), {});
        int n = 0;
        for (std::size_t at = 0; (at = text.find("ImageOut.(FORM)", at)) != std::string::npos; ++at)
            ++n;
        return n;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = logLines();
        const auto r = render(engine_, c.records);
        EXPECT_EQ(logLines(), before + 1);
        EXPECT_NE(engine_.DrawFailure.find("ImageOut.(FORM)"), std::string::npos);
        engine_.DrawFailure.clear();
    }
    // The page's own file, read from disk, is on the stack too.
    const int before = logLines();
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PrintText file = PrintText::load(page);
    DrawPage(engine_, PageKind::Data, file, DrawTarget::atDpi(&painter, 254, false), false, 0);
    EXPECT_EQ(logLines(), before + 1);
}

// Counts and coordinates far beyond the paper: what lands on the sheet is
// drawn straight, and the page ends (an unbounded count never would).
TEST_F(PageRendererTest, HugeCountsAndFarCoordinatesStayOnThePaper)
{
    struct Case {
        const char* what;
        std::string records;
        QRect area, ink; // where to look, and the ink expected there
    };
    const Case cases[] = {
        {"line to the far right", "LINE;100;100;2000000000;100;1;0;0;\r\n", QRect(0, 0, 1200, 200),
         QRect(100, 100, 1100, 1)},
        {"line from far up-left", "LINE;-2000000000;500;600;500;1;0;0;\r\n", QRect(0, 400, 1200, 200),
         QRect(0, 500, 600, 1)},
        {"box to the far corner", "BOX;100;200;2147483647;2147483647;1;0;0;0;0;\r\n", QRect(0, 150, 1200, 1050),
         QRect(100, 200, 1100, 1000)},
        {"separators without end", "SLINE;1000;400;500;2000000000;1;0;0;;10;\r\n", QRect(0, 300, 1200, 300),
         QRect()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto r = render(engine_, c.records);
        const QRect ink = inkOf(r.image, c.area);
        if (!c.ink.isNull()) {
            EXPECT_EQ(ink, c.ink);
            continue;
        }
        // Every separator that fits, each "000" apart, and none beyond x.
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink.top(), 400);
        EXPECT_EQ(ink.bottom(), 499);
        EXPECT_LT(ink.right(), 1000);
        const int group = QFontMetrics(font("IPAMincho", k10pt), &r.image).horizontalAdvance("000");
        EXPECT_LT(ink.left(), group);
    }
    // A memo of 20,000 characters wraps within its box.
    std::string memo = "MEMO;100;100;500;400;";
    for (int i = 0; i < 20000; ++i)
        memo += i % 7 == 6 ? "x" : "あ";
    memo += ";-1;;10;;黒;\r\n";
    const auto r = render(engine_, memo);
    const QRect ink = inkOf(r.image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.right(), 500);
    EXPECT_LE(ink.bottom(), 400);
}

// A data-list row: 9-point text with a dotted rule 3.4 mm under its top.
// At the preview's 100 % (96 dpi) and at print resolutions the letters,
// descenders included, end above the rule.
TEST_F(PageRendererTest, RowRulesPassUnderTheLetters)
{
    for (const int dpi : {96, 150, 300}) {
        SCOPED_TRACE(dpi);
        const int width = dpi * 1000 / 254, height = dpi * 500 / 254; // 100 x 50 mm
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PrintText text(platform::cp932::fromUtf8("TEXT;50;405;株式会社 gypjq 第1期;ＭＳ 明朝;9;;黒;OFF;LEFT;0;0;\r\n"));
            DrawPage(engine_, PageKind::Data, text, DrawTarget::atDpi(&painter, dpi, false), false, 0);
        }
        const int rule = nearest((405 + 34) * dpi / 254.0);
        const QRect letters = inkOf(image);
        ASSERT_FALSE(letters.isEmpty());
        EXPECT_LT(letters.bottom(), rule);
    }
}

TEST_F(PageRendererTest, FormLayerIsLeftOutOnThePrinterWhenNotPrinted)
{
    test::TempDir dir;
    const auto sub = (dir / "s.36F").string();
    std::ofstream(sub, std::ios::binary) << "FRECT;0;0;10;10;赤;0;\r\n";
    engine_.Job.PrintFom = false;
    EXPECT_TRUE(inkOf(render(engine_, "FORM;" + sub + ";FALSE;0;0;\r\n", PageKind::Data, true).image,
                      QRect(0, 0, 50, 50), [](QRgb c) { return c != kWhite; })
                    .isEmpty());
    // The preview shows it, in light grey.
    const auto r = render(engine_, "FORM;" + sub + ";FALSE;0;0;\r\n");
    EXPECT_EQ(r.image.pixel(5, 5), 0xFFE6E6E6);
}

TEST_F(PageRendererTest, EvenPagesShiftAndMemoStopsAtItsBox)
{
    engine_.WorkLeftMargin = 100;
    engine_.WorkEvenShift = 50;
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PrintText text("FRECT;0;0;10;10;0;0;\r\n");
        DrawPage(engine_, PageKind::Data, text, DrawTarget::atDpi(&painter, 254, false), true, 0);
    }
    EXPECT_EQ(inkOf(image).left(), 150);

    // Lines of 3.9 mm in a box of 10 mm: only those wholly above y2 - h are drawn.
    engine_.WorkLeftMargin = 0;
    engine_.WorkEvenShift = 0;
    const auto r = render(engine_, "MEMO;100;100;300;200;あいうえおかきくけこさしすせそたちつてと;-1;;10;;黒;\r\n");
    const int h = QFontMetrics(font("IPAMincho", k10pt), &r.image).height();
    const QRect ink = inkOf(r.image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.bottom(), 100 + 2 * h); // lines 0 and 1 at most (100 + k*h < 200 - h)
    EXPECT_GT(ink.bottom(), 100 + h);     // but the second line is there
    EXPECT_LE(ink.right(), 300);          // wrapped inside the box, no frame (border -1)
    EXPECT_TRUE(inkOf(r.image, QRect(90, 90, 200, 8)).isEmpty());
}
