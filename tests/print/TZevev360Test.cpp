// The print component writing print data: the header, the records, the text
// fitting and the checked settings.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "foundation/calendar/DayNumber.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"
#include "print/PrintEngine.h"
#include "print/TZevev360.h"

#include <fstream>
#include <iterator>

using namespace vq;
using namespace vq::print;

namespace {

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string crlf(std::initializer_list<const char*> lines)
{
    std::string out;
    for (const char* l : lines)
        out += std::string(l) + "\r\n";
    return out;
}

} // namespace

TEST(TZevev360, SmallReportIsWrittenByteForByte)
{
    platform::ScopedScriptedInteraction seam;
    seam->clock = encodeDate(2026, 3, 5) + 0.75;
    test::TempDir dir;
    TZevev360 p;
    p.DataFile = (dir / "list.tmp").string();
    p.Title = "データリスト";
    p.PageBango = true;
    p.PageBangoLeft = 2000;
    p.PageBangoTop = 250;
    p.DataOpen(false);
    p.WriteHeader(); // a second call writes nothing
    p.TextOut(1000, 150, "データリスト", "ＭＳ 明朝", 16, "", "黒", "OFF", "center", 0);
    p.LineOut(150, 300, 2000, 300, 4, 0, "0", false);
    p.BoxOut(100, 100, 200, 200, 1, 0, "黒", "白", 0);
    p.NewPage();
    p.TextOut(170, 405, "  1", "ＭＳ 明朝", 9, "", "黒", "OFF", "LEFT", 0);
    p.LineOut(150, 439, 2000, 439, 5, 2, "赤", true);
    p.DataClose();

    const std::string folder = dir.path().string();
    const std::string expected = crlf({
        "*ZEVEV360*************************************************************",
        "*[SETTING]",
        ("*PATH=" + folder).c_str(),
        "*VERSION=VCL.2.5",
        "*DATE=2026/03/05",
        "*TITLE=データリスト",
        "*FORMFILE=",
        "*PAPERSIZE=9",
        "*OUTPUTPAPER=0",
        "*ORIENTATION=0",
        "*TOPMARGIN=0",
        "*LEFTMARGIN=0",
        "*FORMTOPMARGIN=0",
        "*FORMLEFTMARGIN=0",
        "*NETC1=$C0C0C0",
        "*NETC2=$C0C0C0",
        "*USERC1=$000000",
        "*USERC2=$000000",
        "*FORMPRINT=TRUE",
        "*COPIES=1",
        "*PAGENOSWITCH=TRUE",
        "*PAGENOLEFT=2000",
        "*PAGENOTOP=250",
        "*PAGENOALIGNMENT=2",
        "*PAGENOFORMAT=(%d/%d)",
        "*************************************************************ZEVEV360*",
        "TEXT;1000;150;データリスト;ＭＳ 明朝;16;;黒;1;CENTER;0;0;",
        "LINE;150;300;2000;300;4;0;0;",
        "BOX;100;100;200;200;1;0;黒;白;0;",
        "E;",
        "TEXT;170;405;  1;ＭＳ 明朝;9;;黒;1;LEFT;0;0;",
        "ELINE;150;439;2000;439;5;2;赤;",
    });
    const std::string bytes = readBytes(p.DataFile);
    EXPECT_EQ(bytes, platform::cp932::fromUtf8(expected));
    // The file is CP932: "データ" is 83 66 81 5B 83 5E.
    EXPECT_NE(bytes.find("\x83\x66\x81\x5B\x83\x5E"), std::string::npos);
    EXPECT_EQ(std::string(70, '*').size(), std::string("*ZEVEV360*************************************************************").size());
    EXPECT_EQ(p.PageNo, 2);
    EXPECT_EQ(p.DocTitle, "list");
}

TEST(TZevev360, TextIsFittedToItsWidthInBytes)
{
    struct Case {
        const char* text;
        const char* align;
        int width;
        const char* expected;
    } cases[] = {
        {"あいう", "LEFT", 6, "あいう"},       // six bytes fit whole
        {"あいう", "LEFT", 5, "あい"},         // the third character would be cut in half
        {"ab", "RIGHT", 6, "    ab"},         // blanks in front
        {"ab", "LEFT", 6, "ab    "},          // blanks behind
        {"abcdef", "RIGHT", 4, "cdef"},       // the last four bytes
        {"aあいう", "RIGHT", 5, " いう"},     // never starts on half of "あ"
        {"あいう", "RIGHT", 3, " う"},        // likewise
        {"aいう", "RIGHT", 5, "aいう"},       // exactly the width
        {"ab", "CENTER", 6, "ab"},            // centred texts are never fitted
        {"ab", "LEFT", 0, "ab"},              // no width
        {"ab", "LEFT", 127, "ab"},            // blanks only up to 126
    };
    for (const auto& c : cases)
        EXPECT_EQ(TZevev360::fitText(c.text, c.align, c.width), c.expected) << c.text << " " << c.align << " " << c.width;
}

TEST(TZevev360, RecordTextsCarryNoQuoteNoLineBreakNoSemicolon)
{
    EXPECT_EQ(TZevev360::recordText("a\"b;c\r\nd"), "a＂b:c  d");
    platform::ScopedScriptedInteraction seam;
    test::TempDir dir;
    TZevev360 p;
    p.DataFile = (dir / "q.tmp").string();
    p.DataOpen(false);
    p.TextOut(0, 0, "1\"2;3\n4", "", 10, "", "黒", "ON", "left", 0);
    p.DataClose();
    const std::string text = platform::cp932::toUtf8(readBytes(p.DataFile));
    EXPECT_NE(text.find("TEXT;0;0;1＂2:3 4;;10;;黒;ON;LEFT;0;0;\r\n"), std::string::npos);
}

TEST(TZevev360, LongJapanesePathIsKeptWhole)
{
    platform::ScopedScriptedInteraction seam;
    test::TempDir dir;
    std::filesystem::path folder = dir.path();
    for (int i = 0; i < 6; ++i)
        folder /= "会計事務所の共有フォルダ階層" + std::to_string(i);
    std::filesystem::create_directories(folder);
    TZevev360 p;
    p.DataFile = (folder / "データリスト.TMP").string();
    p.FormFile = (folder / "帳票様式.36F").string();
    ASSERT_GT(platform::cp932::byteLength(p.DataFile), 200u);
    p.DataOpen(true);
    // A unique temporary file in the same folder.
    EXPECT_EQ(std::filesystem::path(p.DataFile).parent_path(), folder);
    EXPECT_EQ(std::filesystem::path(p.DataFile).filename().string().front(), '~');
    EXPECT_EQ(p.DocTitle, "データリスト");
    p.DataClose();
    const std::string text = platform::cp932::toUtf8(readBytes(p.DataFile));
    EXPECT_NE(text.find("*PATH=" + folder.string() + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("*FORMFILE=" + p.FormFile + "\r\n"), std::string::npos);
    TP360DEF job;
    p.FillJob(job);
    EXPECT_EQ(job.DataFile, p.DataFile);
    EXPECT_EQ(job.FormFile, p.FormFile);
}

TEST(TZevev360, CheckedSettingsKeepTheirRules)
{
    TZevev360 p;
    p.setCopie(0);
    p.setCopie(100);
    EXPECT_EQ(p.Copie(), 1);
    p.setZoom(25);
    EXPECT_EQ(p.Zoom(), 10);
    p.setVRATIO(20);
    EXPECT_EQ(p.VRATIO(), 1020);
    p.setVRATIO(500);
    EXPECT_EQ(p.VRATIO(), 1000);
    p.setVRATIO(980);
    EXPECT_EQ(p.VRATIO(), 980);
    p.setColorMode(3);
    EXPECT_EQ(p.ColorMode(), 0);
    p.PageBango = true;
    p.setPageBangoFormat("PAGE %d");
    EXPECT_TRUE(p.PageBango);
    EXPECT_EQ(p.PageBangoFormatCount(), 1);
    p.setPageBangoFormat("%d-%d-%d");
    EXPECT_FALSE(p.PageBango);
    EXPECT_EQ(p.PageBangoFormat(), "(%d/%d)");
    // A format never reaches printf: only %d is replaced.
    EXPECT_EQ(formatPageNumber("%s %n %d/%D %x 100%%", 3, 7), "%s %n 3/7 %x 100%");
}

TEST(TZevev360, BlankPageSettingKeepsAnEmptyPageDrawable)
{
    platform::ScopedScriptedInteraction seam;
    test::TempDir dir;
    TZevev360 p;
    p.DataFile = (dir / "b.tmp").string();
    p.BlankPage = 1;
    p.DataOpen(false);
    p.NewPage();
    p.DataClose();
    const std::string text = platform::cp932::toUtf8(readBytes(p.DataFile));
    EXPECT_NE(text.find("BOX;100;100;101;101;0;0;黒;白;1;\r\nE;\r\n"), std::string::npos);
}

TEST(TZevev360, PreviewFillsTheSharedJobAndCleansUp)
{
    platform::ScopedScriptedInteraction seam;
    test::TempDir dir;
    TP360DEF seen;
    TZevev360::installRunners([&seen](TP360DEF& job) { seen = job; return 1; }, nullptr);
    TZevev360 p;
    p.DataFile = (dir / "job.tmp").string();
    p.LeftMargin = 100;
    p.EvenLeftMargin = 150;
    p.PageBango = true;
    p.DataOpen(false);
    p.DataClose();
    EXPECT_TRUE(p.Preview());
    TZevev360::installRunners(nullptr, nullptr);
    EXPECT_EQ(seen.DocTitle, "job");
    EXPECT_EQ(seen.EvenLeftMargin, 50);
    EXPECT_TRUE(seen.PageBango.Switch);
    EXPECT_EQ(p.PreviewCloseNum(), 1);
    EXPECT_FALSE(p.PageBango);
    EXPECT_TRUE(p.DocTitle.empty());
    EXPECT_FALSE(std::filesystem::exists(p.DataFile));
}
