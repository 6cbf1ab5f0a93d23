#include "platform/IniFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using vq::platform::IniFile;

namespace {

// "設定" = 90 DD 92 E8, "表示" = 95 5C 8E A6 (a trail byte 0x5C),
// "ｱｲ" = B1 B2, "①" = 87 40.
const std::string sample =
    "; comment line\r\n"
    "[General]\r\n"
    "Name = \x95\x5C\x8E\xA6 \r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "Half=\"unbalanced\r\n"
    "Empty=\r\n"
    "Count=  42abc\r\n"
    "\r\n"
    "[\x90\xDD\x92\xE8]\r\n"
    "Kana=\xB1\xB2\r\n"
    "Circle=\x87\x40\r\n"
    "\r\n"
    "[Last]\r\n"
    "A=1\r\n";

class IniFileTest : public ::testing::Test {
protected:
    vq::test::TempDir dir;
    std::filesystem::path file = dir / "app.ini";
    void SetUp() override { vq::test::writeBytes(file, sample); }
};

TEST_F(IniFileTest, ReadsLikeTheWindowsProfileFunctions)
{
    IniFile ini(file);
    EXPECT_EQ(ini.readString("general", "NAME"), "表示");       // names without case, value trimmed
    EXPECT_EQ(ini.readString("General", "Quoted"), "  spaced  "); // one pair of quotes stripped
    EXPECT_EQ(ini.readString("General", "Single"), "x");
    EXPECT_EQ(ini.readString("General", "Half"), "\"unbalanced");
    EXPECT_EQ(ini.readString("General", "Empty", "dflt"), "");   // present but empty
    EXPECT_EQ(ini.readString("General", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.readString("Nowhere", "Name", "dflt"), "dflt");
    EXPECT_EQ(ini.readString("設定", "kana"), "ｱｲ");
    EXPECT_EQ(ini.readString("設定", "Circle"), "①");
    EXPECT_EQ(ini.readString("General", "comment line", "d"), "d");

    EXPECT_TRUE(ini.sectionExists("GENERAL"));
    EXPECT_FALSE(ini.sectionExists("Missing"));
    EXPECT_TRUE(ini.valueExists("general", "empty"));
    EXPECT_FALSE(ini.valueExists("general", "missing"));
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"General", "設定", "Last"}));
    EXPECT_EQ(ini.keys("Last"), (std::vector<std::string>{"A"}));
}

TEST_F(IniFileTest, IntegersAndBooleans)
{
    // The profile rule: a missing key or an empty value gives the default; any
    // other value its leading digits, as far as they go, and 0 without any.
    vq::test::writeBytes(file, "[N]\r\na=42abc\r\nb=-7\r\nc=+3\r\nd=abc\r\ne=\r\nf=99999999999\r\ng=0\r\n"
                               "h=-\r\ni=\"  12\"\r\nj=x12\r\nk=\"\"\r\n");
    IniFile ini(file);
    struct Case {
        const char* key;
        std::int32_t expected;
    } cases[] = {{"a", 42}, {"b", -7}, {"c", 3},  {"d", 0},  {"e", 5}, {"missing", 5}, {"f", 2147483647},
                 {"g", 0},  {"h", 0},  {"i", 12}, {"j", 0},  {"k", 5}};
    for (const auto& c : cases)
        EXPECT_EQ(ini.readInteger("N", c.key, 5), c.expected) << c.key;
    EXPECT_TRUE(ini.readBool("N", "a", false));
    EXPECT_FALSE(ini.readBool("N", "g", true));
    EXPECT_TRUE(ini.readBool("N", "missing", true));
    EXPECT_TRUE(ini.readBool("N", "e", true));
    EXPECT_FALSE(ini.readBool("N", "d", true)); // a non-numeric value reads 0
}

TEST_F(IniFileTest, WritesInPlaceAndKeepsEverythingElse)
{
    IniFile ini(file);
    ini.writeString("GENERAL", "name", "変更");   // in place, the file's spelling of the key kept
    ini.writeInteger("General", "New", -3);       // appended to its section, before the blank line
    ini.writeBool("Added", "Flag", true);          // new section at the end
    std::string expected = sample;
    expected.replace(expected.find("Name = \x95\x5C\x8E\xA6 \r\n"), 14, "Name=\x95\xCF\x8D\x58\r\n");
    expected.replace(expected.find("Count=  42abc\r\n") + 15, 0, "New=-3\r\n");
    expected += "[Added]\r\nFlag=1\r\n";
    EXPECT_EQ(vq::test::readBytes(file), expected);
    EXPECT_EQ(ini.readInteger("general", "new", 0), -3);
    EXPECT_TRUE(ini.readBool("added", "flag", false));
}

TEST(IniFile, LinesItDoesNotWriteKeepTheirBytes)
{
    // 0xED40 is the NEC-selected copy of an IBM kanji (Unicode gives it back
    // as 0xFA5C); 0x85 0x40 is no character at all.
    vq::test::TempDir dir;
    const auto file = dir / "odd.ini";
    const std::string odd = "[S]\r\nNec=\xED\x40\r\nJunk=\x85\x40\r\nKey=old\r\n";
    vq::test::writeBytes(file, odd);
    IniFile ini(file);
    ini.writeString("S", "Key", "new");
    ini.deleteKey("S", "Missing");
    EXPECT_EQ(vq::test::readBytes(file), "[S]\r\nNec=\xED\x40\r\nJunk=\x85\x40\r\nKey=new\r\n");
}

// Lines that decode to the same text each keep their own bytes when the file
// is written elsewhere: the IBM kanji 0xFA5C and its NEC copy 0xED40, and two
// byte pairs that are no characters.
TEST(IniFile, LinesThatDecodeAlikeKeepTheirOwnBytes)
{
    vq::test::TempDir dir;
    const auto file = dir / "alike.ini";
    const std::string alike = "[A]\r\na=\xFA\x5C\r\nj=\x85\x40\r\n"
                              "[B]\r\na=\xED\x40\r\nj=\x86\x40\r\n"
                              "[C]\r\na=\xFA\x5C\r\nj=\x85\x40\r\n";
    vq::test::writeBytes(file, alike);
    IniFile ini(file);
    ini.writeString("Z", "k", "1");
    EXPECT_EQ(vq::test::readBytes(file), alike + "[Z]\r\nk=1\r\n");
    // Writing the value a line already holds leaves its bytes too.
    ini.writeString("B", "a", ini.readString("B", "a"));
    EXPECT_EQ(vq::test::readBytes(file), alike + "[Z]\r\nk=1\r\n");
    ini.deleteKey("A", "j");
    ini.eraseSection("C");
    EXPECT_EQ(vq::test::readBytes(file), "[A]\r\na=\xFA\x5C\r\n[B]\r\na=\xED\x40\r\nj=\x86\x40\r\n[Z]\r\nk=1\r\n");
}

TEST_F(IniFileTest, EraseSectionAndDeleteKey)
{
    IniFile ini(file);
    ini.eraseSection("設定");
    ini.deleteKey("general", "QUOTED");
    ini.deleteKey("general", "missing");   // nothing to do
    ini.eraseSection("missing");
    std::string expected = sample;
    expected.erase(expected.find("Quoted="), std::string("Quoted=\"  spaced  \"\r\n").size());
    auto from = expected.find("[\x90\xDD");
    expected.erase(from, expected.find("[Last]") - from);
    EXPECT_EQ(vq::test::readBytes(file), expected);
    EXPECT_FALSE(ini.sectionExists("設定"));
    EXPECT_EQ(ini.readString("Last", "A"), "1");
}

TEST(IniFile, MissingFileReadsDefaultsAndIsNotCreated)
{
    vq::test::TempDir dir;
    IniFile ini(dir / "none.ini");
    EXPECT_EQ(ini.readString("S", "K", "d"), "d");
    EXPECT_EQ(ini.readInteger("S", "K", 9), 9);
    EXPECT_TRUE(ini.sections().empty());
    ini.eraseSection("S");
    ini.deleteKey("S", "K");
    EXPECT_FALSE(std::filesystem::exists(dir / "none.ini"));

    ini.writeString("S", "K", "値\r\nInjected=1");   // a value is one line
    EXPECT_EQ(vq::test::readBytes(dir / "none.ini"), "[S]\r\nK=\x92\x6C  Injected=1\r\n");
    EXPECT_FALSE(ini.valueExists("S", "Injected"));
    EXPECT_THROW(ini.writeString("S", "A=B", "x"), std::invalid_argument);
    EXPECT_THROW(ini.writeString("", "K", "x"), std::invalid_argument);
}

TEST(IniFile, ToleratesLfLinesBomAndJunk)
{
    vq::test::TempDir dir;
    auto lf = dir / "lf.ini";
    vq::test::writeBytes(lf, "[A]\nx=1\ny = two\n[B]\nz=3");
    IniFile ini(lf);
    EXPECT_EQ(ini.readString("A", "y"), "two");
    EXPECT_EQ(ini.readInteger("B", "z", 0), 3);
    ini.writeString("A", "x", "9");
    EXPECT_EQ(vq::test::readBytes(lf), "[A]\r\nx=9\r\ny = two\r\n[B]\r\nz=3\r\n");

    auto bom = dir / "bom.ini";
    vq::test::writeBytes(bom, "\xEF\xBB\xBF[設定]\r\n名前=値😀\r\n");
    IniFile utf8(bom);
    EXPECT_EQ(utf8.readString("設定", "名前"), "値😀");
    utf8.writeString("設定", "追加", "1");   // stays UTF-8, nothing lost
    EXPECT_EQ(vq::test::readBytes(bom), "\xEF\xBB\xBF[設定]\r\n名前=値😀\r\n追加=1\r\n");

    auto junk = dir / "junk.ini";
    vq::test::writeBytes(junk, std::string("\x00\xFF\x81\r\n[S\r\nno equals here\r\n=orphan\r\nk=v\x00z\r\n\x82", 42));
    IniFile broken(junk);
    EXPECT_EQ(broken.readString("S", "k"), std::string("v\0z", 3));
    EXPECT_EQ(broken.keys("S"), (std::vector<std::string>{"k"}));
    broken.writeString("S", "n", "1");
    EXPECT_EQ(broken.readString("S", "n"), "1");
}

} // namespace
