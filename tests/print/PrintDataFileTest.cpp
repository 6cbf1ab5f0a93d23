// Readers of the print-data format: the one page-end rule, counting, skipping,
// the orientation list, page numbers and form fields; colours and paper.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "foundation/app/SystemDef.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"
#include "print/DefaultPrintRec.h"
#include "print/ErrorLog.h"
#include "print/FormFields.h"
#include "print/PaperTable.h"
#include "print/PrintColors.h"
#include "print/PrintDataFile.h"
#include "print/PrintEngine.h"
#include "print/TZevev360.h"
#include "print/TextFields.h"

#include <QSizeF>

#include <fstream>

using namespace vq;
using namespace vq::print;

namespace {

void writeCp932(const std::filesystem::path& file, const std::string& utf8)
{
    std::ofstream(file, std::ios::binary) << platform::cp932::fromUtf8(utf8);
}

} // namespace

TEST(PrintDataFile, OnePageEndRuleForEveryReader)
{
    struct Case {
        const char* line;
        bool end;
    } cases[] = {{"E;", true}, {"e;", true}, {"E", true}, {"E;x;", true}, {"EX;", false},
                 {"ELINE;1;2;", false}, {"", false}, {" E;", false}, {"*E;", false}};
    for (const auto& c : cases)
        EXPECT_EQ(isPageEnd(c.line), c.end) << c.line;

    // The counter, the index, the skipper and the orientation list agree.
    const std::string bytes = "*ZEVEV360*\r\nTEXT;1;1;a;\r\nE\r\nORIENTATION;1;\r\ne;\r\nLINE;0;0;1;1;\nE;\rTEXT;2;2;b;";
    PrintText text(bytes);
    EXPECT_EQ(countPagesOf(bytes), 4);
    test::TempDir dir;
    std::ofstream(dir / "a.360", std::ios::binary) << bytes;
    EXPECT_EQ(countPagesOfFile(dir / "a.360"), 4);
    std::ofstream(dir / "b.360", std::ios::binary) << "A;\r\ne";
    EXPECT_EQ(countPagesOfFile(dir / "b.360"), 2);
    EXPECT_EQ(countPagesOf("A;\r\ne"), 2);
    PrintText b = PrintText::load(dir / "b.360");
    EXPECT_EQ(b.readLine(), "A;");
    EXPECT_EQ(b.readLine(), "e");
    EXPECT_TRUE(b.atEnd());
    // Read from the file, the same text gives the same lines and pages.
    PrintText a = PrintText::load(dir / "a.360");
    EXPECT_EQ(a.pageStarts(), text.pageStarts());
    EXPECT_EQ(PageOrientationList(a, 0), (std::vector<int>{0, 1, 0, 0}));
    EXPECT_EQ(text.pageStarts().size(), 4u);
    EXPECT_EQ(PageOrientationList(text, 0), (std::vector<int>{0, 1, 0, 0}));
    text.rewind();
    ASSERT_TRUE(SkipToPage(text, 4, false));
    EXPECT_EQ(text.readLine(), "TEXT;2;2;b;");
    EXPECT_EQ(text.position(), bytes.size());
}

TEST(PrintDataFile, CountsSkipsAndWraps)
{
    EXPECT_EQ(countPagesOf("*ZEVEV360*\r\n*[SETTING]\r\n"), 1); // the header alone is one page
    EXPECT_EQ(countPagesOf("A;\r\nE;\r\nB;\r\nE;\r\n"), 3);    // a closed last page leaves an empty one
    PrintText form("A;\r\nE;\r\nB;\r\n");
    ASSERT_TRUE(SkipToPage(form, 3, true)); // two pages: page 3 is page 1 again
    EXPECT_EQ(form.readLine(), "A;");
    form.rewind();
    EXPECT_FALSE(SkipToPage(form, 3, false));
    PrintText empty("");
    EXPECT_FALSE(SkipToPage(empty, 2, true));
    PrintText orientation("ORIENTATION;1\r\nE;\r\n");
    EXPECT_EQ(PageOrientationList(orientation, 0), (std::vector<int>{0, 0})); // no final ';': empty field
}

TEST(PrintDataFile, FieldsAndNumbers)
{
    auto f = splitFields("TEXT;1;;a b;");
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[2], "");
    EXPECT_EQ(f[3], "a b");
    EXPECT_EQ(parseNumber("$FF"), 255);
    EXPECT_EQ(parseNumber("-12"), -12);
    EXPECT_EQ(parseNumber("x", 10), 10);
    EXPECT_EQ(parseNumber("", 1), 1);
}

TEST(PrintDataFile, PageNumbersSkipEmptyAndRulePages)
{
    platform::ScopedScriptedInteraction seam;
    test::TempDir dir;
    const auto file = dir / "p.360";
    writeCp932(file, "*ZEVEV360*\r\nTEXT;1;1;a;\r\nE;\r\nE;\r\nTEXT;1;1;b;\r\nE;\r\nLINE;0;0;1;1;\r\n");
    TPrintEngine engine;
    engine.Job.PageBango.Switch = true;
    EXPECT_EQ(CountPages(engine, file.string(), true), 4);
    EXPECT_EQ(engine.PageNoList, (std::vector<std::string>{"1", "0", "2", "0"}));
    EXPECT_EQ(engine.PageNoTotal, 2);
    // Counting without rebuild leaves the numbers alone.
    engine.PageNoList = {"x"};
    EXPECT_EQ(CountPages(engine, file.string(), false), 4);
    EXPECT_EQ(engine.PageNoList.size(), 1u);
    // Missing file: a message and one page; empty name: silence.
    EXPECT_EQ(CountPages(engine, (dir / "none.360").string(), false), 1);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_NE(seam->messages[0].text.find("が見つかりません。"), std::string::npos);
    EXPECT_EQ(CountPages(engine, "", false), 1);
    EXPECT_EQ(seam->messages.size(), 1u);

    // The preview shows whole form cycles.
    const auto form2 = dir / "f2.36F";
    writeCp932(form2, "A;\r\nE;\r\nB;\r\n");
    const auto data5 = dir / "d5.360";
    writeCp932(data5, "A;\r\nE;\r\nB;\r\nE;\r\nC;\r\nE;\r\nD;\r\nE;\r\nF;\r\n");
    engine.JobFormFile = form2.string();
    engine.JobDataFile = data5.string();
    PreviewPageCount(engine);
    EXPECT_EQ(engine.PreviewPageTotal, 6);
}

TEST(PrintColors, WordsCodesAndGrey)
{
    TP360DEF job;
    EXPECT_EQ(ColorOfName("赤", PageKind::Data, job), 0x0000FF);
    EXPECT_EQ(ColorOfName("青", PageKind::Data, job), 0xFF0000);
    EXPECT_EQ(ColorOfName("11", PageKind::Data, job), 0xFF0000);
    EXPECT_EQ(ColorOfName("38", PageKind::Data, job), 0x000026);
    job.NetColor2 = 0x123456;
    EXPECT_EQ(ColorOfName("41", PageKind::Data, job), 0x123456);
    EXPECT_EQ(ColorOfName("濃網掛", PageKind::Data, job), 0x123456);
    EXPECT_EQ(ColorOfName("ocrblue", PageKind::Data, job), kOcrBlue);
    EXPECT_EQ(ColorOfName("何色", PageKind::Data, job), 0);
    job.PrintFom = false;
    EXPECT_EQ(ColorOfName("赤", PageKind::Form, job), 0xE6E6E6);
    EXPECT_EQ(ColorOfName("白", PageKind::Form, job), 0xFFFFFF);
    EXPECT_EQ(ColorOfName("赤", PageKind::None, job), 0x0000FF);
    job.GrayScale = true;
    EXPECT_EQ(ColorOfName("赤", PageKind::Data, job), 0x4C4C4C);
    EXPECT_EQ(BackOfName("1", PageKind::None, job), kTransparent);
    EXPECT_EQ(BackOfName("OFF", PageKind::None, job), kTransparent);
    EXPECT_EQ(BackOfName("ON", PageKind::None, job), 0xFFFFFF);
    EXPECT_FALSE(isOpaqueBack(BackOfName("黒", PageKind::None, job)));
    EXPECT_FALSE(isOpaqueBack(BackOfName("0", PageKind::None, job)));
    EXPECT_EQ(AlignCodeOf("BOTTOM"), 2);
    EXPECT_EQ(AlignCodeOf("1"), 1);
    EXPECT_FALSE(FontStyleOf("UB").underline);
    const FontStyle biu = FontStyleOf("BIU");
    EXPECT_TRUE(biu.bold && biu.italic && biu.underline && !biu.strikeOut);
    EXPECT_EQ(FamilyOfFace("ＭＳ 明朝"), "IPAMincho");
    EXPECT_EQ(FamilyOfFace("@ＭＳ ゴシック"), "IPAGothic");
    EXPECT_EQ(FamilyOfFace("ＭＳ Ｐゴシック"), "IPAPGothic");
}

TEST(PaperTable, SizesAndStretch)
{
    EXPECT_EQ(PaperMM(13).width, 182);
    EXPECT_EQ(PaperMM(13).height, 257);
    EXPECT_FALSE(PaperMM(13).fromPrinter);
    // Code 12 is the JIS B4 of Japanese offices.
    EXPECT_EQ(PaperMM(12).width, 257);
    EXPECT_EQ(PaperMM(12).height, 364);
    const PaperSizeMM user = PaperMM(256, {200, 280});
    EXPECT_TRUE(user.fromPrinter);
    EXPECT_EQ(user.height, 300);

    struct Case {
        int job, printer;
        double v, h;
    } cases[] = {
        {13, 9, 1156, 1154}, {9, 13, 865, 867}, {8, 9, 707, 707}, {9, 8, 1414, 1414}, {9, 11, 707, 705},
        // B4 rows from the JIS size: 364/297, 257/210 and so on.
        {9, 12, 1226, 1224}, {12, 9, 816, 817}, {8, 12, 867, 865}, {12, 8, 1154, 1156}, {12, 13, 706, 708},
        // Pairs outside the table: no stretch, whatever came before.
        {9, 1, 1000, 1000}, {11, 13, 1000, 1000},
    };
    for (const auto& c : cases) {
        const PaperRatios r = PaperRatio(c.job, c.printer, 990, 990);
        EXPECT_EQ(r.vertical, c.v) << c.job << "->" << c.printer;
        EXPECT_EQ(r.horizontal, c.h) << c.job << "->" << c.printer;
    }
    EXPECT_EQ(PaperRatio(9, 9, 990, 1010).vertical, 990);
    EXPECT_EQ(PaperRatio(9, 9, 990, 1010).horizontal, 1010);
    const QSizeF b4 = pageSizeOfCode(12).size(QPageSize::Millimeter);
    EXPECT_NEAR(b4.width(), 257, 0.01);
    EXPECT_NEAR(b4.height(), 364, 0.01);
}

TEST(FormFields, DefinitionsPerPageWithOffsetAndLimits)
{
    test::TempDir dir;
    const auto file = dir / "f.36F";
    std::string text = "&;100;200;total;ＭＳ ゴシック;0;b;赤;ON;RIGHT;0;1;0;\r\n&;0;0;行間;;;;;;;50;\r\n$;10;20;sum;\r\n";
    for (int i = 0; i < 205; ++i)
        text += "&;1;1;F" + std::to_string(i) + ";\r\n";
    text += "E;\r\n&;5;5;SECOND;\r\nE;\r\nE;\r\nE;\r\nE;\r\n&;9;9;LOST;\r\n";
    writeCp932(file, text);
    TFormFieldTables t;
    TP360DEF job;
    ASSERT_TRUE(HensuuYomikomi(t, file, 50, 0, job));
    const int i = t.FindVariableField(0, "Total");
    ASSERT_EQ(i, 1);
    const TDataField& d = t.Fields[0][1];
    EXPECT_EQ(d.X, 150);
    EXPECT_EQ(d.Y, 200);
    EXPECT_EQ(d.Size, 12);
    EXPECT_EQ(d.Style, "B");
    EXPECT_EQ(d.Color, 0x0000FF);
    EXPECT_EQ(d.Back, 0xFFFFFF);
    EXPECT_EQ(d.Align, 2);
    EXPECT_EQ(d.Once, 1);
    EXPECT_EQ(t.Fields[0][0].Width, 50); // the row pitch
    EXPECT_EQ(t.FindVariableField(0, "F98"), 100);
    EXPECT_EQ(t.FindVariableField(0, "F99"), 0);   // stored as field 101, never found
    EXPECT_EQ(t.Fields[0][199].Name, "F197");      // the 200th definition and later are ignored
    EXPECT_EQ(t.FindVariableField(1, "second"), 1);
    EXPECT_EQ(t.FormPageCount, 5);
    EXPECT_EQ(t.FindVariableField(4, "LOST"), 0);
    EXPECT_EQ(t.FindVariableField(9, "LOST"), 0);  // a page beyond the tables reads the last one
    ASSERT_EQ(t.Totals[0].size(), 1u);
    EXPECT_EQ(t.Totals[0][0].X, 60);

    EXPECT_TRUE(HensuuYomikomi(t, dir / "missing.36F", 0, 0, job));
    EXPECT_EQ(t.FindVariableField(0, "TOTAL"), 0);
}

TEST(ErrorLog, AppendsAndNeverThrows)
{
    test::ScopedRoot root;
    platform::ScopedScriptedInteraction seam;
    ErrorLog("PRINT.メイン", "紙がない");
    std::ifstream in(errorLogPath(), std::ios::binary);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(platform::cp932::toUtf8(line), "25/12/09 12:00:00  PRINT.メイン:紙がない\r");
    // An unwritable log loses the line, nothing else.
    std::filesystem::remove(errorLogPath());
    std::filesystem::create_directories(errorLogPath());
    EXPECT_NO_THROW(ErrorLog("x"));
}

TEST(MonoPrintColors, UserAndOcrColoursBlackShadingGrey)
{
    TZevev360 p;
    p.UserColor1 = 0x0000FF;
    p.NetColor1 = 0x3060F0;
    p.NetColor2 = 0xFFFFFF;
    ApplyMonoPrintColors(1, p);
    EXPECT_EQ(p.UserColor1, 0x0000FF);
    ApplyMonoPrintColors(0, p);
    EXPECT_EQ(p.UserColor1, 0);
    EXPECT_EQ(p.OcrGreen, 0);
    EXPECT_EQ(p.OcrPurple, 0);
    EXPECT_EQ(p.NetColor1, 0x808080); // (0xF0 + 0x60 + 0x30) / 3 = 128
    EXPECT_EQ(p.NetColor2, 0xFFFFFF);

    EXPECT_EQ(MakeStyleName("DataSentakuList"), "020-DATASENTAKULIST");
    const std::string forty(40, 'a');
    EXPECT_EQ(MakeStyleName(forty), std::string(40, 'A'));
    SystemDef.PLineColor1 = 0x112233;
    TDefaultPrintRec rec;
    InitDefaultPrintRec(rec);
    EXPECT_EQ(rec.LineColor1, 0x112233);
    EXPECT_EQ(rec.StartPage, 1);
    EXPECT_EQ(rec.TitleSize, 16);
}

TEST(TextFields, CommentsFieldsAndReals)
{
    std::vector<std::string> f;
    EXPECT_EQ(SplitFields("a,,b // note", ',', f, 100), 2);
    EXPECT_EQ(f, (std::vector<std::string>{"a", "", "b "}));
    EXPECT_EQ(SplitFields("// only a comment", ',', f, 100), 0);
    EXPECT_TRUE(f.empty());
    EXPECT_EQ(SplitFields("a,b,c", ',', f, 1), 2);
    EXPECT_EQ(f.size(), 2u);
    EXPECT_EQ(NthField("x, y ,z", ',', 1), "y");
    EXPECT_EQ(NthField("x", ',', 3), "");
    EXPECT_EQ(StrToFloatZero("1.5"), 1.5);
    EXPECT_EQ(StrToFloatZero("abc"), 0.0);
}
