#include "foundation/text/EasyEncoder.h"
#include "foundation/text/NumberUtils.h"
#include "foundation/accounting/QuickSortByKey.h"
#include "foundation/text/StoredValueCodec.h"
#include "foundation/text/VersionUtils.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vq;

TEST(NumberUtils, RoundKingakuByMode)
{
    struct Case {
        int mode;
        Currency value;
        Currency expected;
    };
    const Case cases[] = {
        {0, 19999, 10000},      {0, -19999, -10000},    {2, 1000000, 1000000},  {2, 1000001, 1010000},
        {2, -1000001, -1010000}, {2, 10001, 20000},     {1, 25000, 30000},      {1, -25000, -30000},
        {1, 4999, 0},           {7, 5000, 10000},       {1, -5000, -10000},     {0, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundKingaku(c.mode, c.value), c.expected) << c.mode << " " << c.value;
    // The ends of the range stay inside it.
    EXPECT_GT(RoundKingaku(2, std::numeric_limits<Currency>::max()), 0);
    EXPECT_LT(RoundKingaku(2, std::numeric_limits<Currency>::min()), 0);
}

TEST(NumberUtils, DecimalRoundingAndTexts)
{
    EXPECT_EQ(RoundInt(2.5), 2);
    EXPECT_EQ(RoundInt(3.5), 4);
    EXPECT_NEAR(static_cast<double>(RoundUpDigits(2, 1.2000000001L)), 1.2, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundUpDigits(2, 1.21L)), 1.3, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundUpDigits(1, -1.5L)), -1.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundDownDigits(1, -1.5L)), -2.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundDownDigits(1, 2.9999999L)), 3.0, 1e-12);
    EXPECT_EQ(RoundDownDigits(3, 0.0L), 0.0L);
    EXPECT_NEAR(static_cast<double>(PowerOf(3, 10)), 1000.0, 1e-9);
    EXPECT_EQ(PowerOf(3, 0), 0.0L);
    EXPECT_THROW(PowerOf(2, -10), std::domain_error);

    EXPECT_EQ(FormatComma(0), "0");
    EXPECT_EQ(FormatComma(1234567), "1,234,567");
    EXPECT_EQ(FormatComma(-1234), "-1,234");
    EXPECT_EQ(FormatComma(999), "999");

    const std::pair<std::string, Currency> money[] = {
        {"1234.5", 12345000}, {" -12 ", -120000}, {"1e3", 10000000}, {"0.00005", 0}, {"0.00015", 2},
        {"1,000", 0},         {"abc", 0},         {"", 0},           {"99999999999999999999", 0},
    };
    for (const auto& [text, value] : money)
        EXPECT_EQ(SafeStrToCurr(text), value) << text;
}

TEST(NumberUtils, CodesAndFlags)
{
    std::uint16_t code = 0;
    CombineCode(code, 12, 345, 1000);
    EXPECT_EQ(code, 12345);
    CombineCode(code, 70, 0, 1000); // 70000 kept to 16 bits
    EXPECT_EQ(code, 70000 & 0xFFFF);

    std::int32_t flags = 0;
    SetFlagBit(flags, 1);
    SetFlagBit(flags, 24);
    SetFlagBit(flags, 25); // out of range: nothing
    SetFlagBit(flags, 0);
    EXPECT_EQ(flags, 1 | (1 << 23));
    EXPECT_EQ(GetFlagBit(static_cast<std::uint32_t>(flags), 24), 1);
    EXPECT_EQ(GetFlagBit(static_cast<std::uint32_t>(flags), 2), 0);
    EXPECT_EQ(GetFlagBit(0x80000000u, 0), 1); // index 0 reads bit 31
}

TEST(VersionUtils, PackedComparisonCarriesAndWraps)
{
    struct Case {
        const char* a;
        const char* b;
        bool newer;
        bool atLeast;
    };
    const Case cases[] = {
        {"14.0.0", "14.0.0.9", false, true}, // the build takes no part
        {"14.1", "14.0.5", true, true},      // a missing field is 0
        {"1.256.0", "2.0.0", false, true},   // 256 carries
        {"2.0.0", "1.256.0", false, true},
        {"1.0.256", "1.1.0", false, true},
        {"13.9.9", "14.0.0", false, false},
        {"x.1", "0.1", false, true},         // not a number counts as 0
        {"65535.255.255", "0.0.0", true, true},
        {"65536.0.0", "0.0.0", false, true}, // packed modulo 2^32
        {"-1.0.0", "1.0.0", true, true},     // compared unsigned
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsNewerVersion(c.a, c.b), c.newer) << c.a << " vs " << c.b;
        EXPECT_EQ(IsVersionAtLeast(c.a, c.b), c.atLeast) << c.a << " vs " << c.b;
    }
    TVersionRec v;
    ParseVersion("14.2.3.77\r\n", v);
    EXPECT_EQ(v.Major, 14);
    EXPECT_EQ(v.Minor, 2);
    EXPECT_EQ(v.Release, 3);
    EXPECT_EQ(v.Build, 77);
    EXPECT_EQ(v.Text, "14.2.3.77\r\n");
    EXPECT_TRUE(VersionLess(ParseVersion("1.2"), ParseVersion("1.3")));
    EXPECT_TRUE(VersionGreater(ParseVersion("1.3"), ParseVersion("1.2.9")));
}

TEST(EasyEncoder, RoundTripDropsFillers)
{
    const char* passwords[] = {"abc123", "Z", "PassWord9", ""};
    for (const char* password : passwords) {
        TEasyEncodeInfo info;
        info.Key = EasyEncodeKey;
        info.PlainText = password;
        info.TextLength = static_cast<std::int32_t>(std::string(password).size());
        info.TotalLength = 16;
        ASSERT_TRUE(EasyEncode(info));
        EXPECT_EQ(info.EncodedText.size(), 16u);
        std::string encoded = info.EncodedText;
        std::int32_t length = info.TextLength;

        TEasyEncodeInfo back;
        back.Key = EasyEncodeKey;
        back.EncodedText = encoded;
        back.TextLength = length;
        ASSERT_TRUE(EasyDecode(back));
        EXPECT_EQ(back.PlainText, password);
    }
}

TEST(EasyEncoder, OutsideTheAlphabetEndsTheText)
{
    TEasyEncodeInfo info;
    info.Key = EasyEncodeKey;
    info.PlainText = "ab-cd";
    info.TextLength = 5;
    info.TotalLength = 5;
    EasyEncode(info);
    EXPECT_EQ(info.EncodedText.size(), 2u);

    // Known answer: A shifted by 'm' (109) is alphabet[109 % 62] = 'l'.
    TEasyEncodeInfo known;
    known.Key = "m";
    known.PlainText = "A";
    known.TextLength = known.TotalLength = 1;
    EasyEncode(known);
    EXPECT_EQ(known.EncodedText, "l");

    TEasyEncodeInfo none;
    none.Key = EasyEncodeKey;
    none.EncodedText = "vvvv";
    none.TextLength = 0; // decodes nothing
    EasyDecode(none);
    EXPECT_EQ(none.PlainText, "");

    ClearEasyEncodeInfo(info);
    EXPECT_EQ(info.Key, EasyEncodeKey);
    EXPECT_TRUE(info.PlainText.empty() && info.EncodedText.empty() && info.TextLength == 0);
}

TEST(StoredValueCodec, WithoutAnEncoderEverythingIsEmpty)
{
    auto previous = InstallExternalEncoder({});
    EXPECT_EQ(DecodeStoredValue("abc"), "");
    int calls = 0;
    InstallExternalEncoder([&](const std::string& text, const std::string& mode, std::string& out) {
        ++calls;
        out = mode + ":" + text;
        return 1;
    });
    EXPECT_EQ(EncodeStoredValue("abc"), "160:abc");
    EXPECT_EQ(DecodeStoredValue("xyz"), "161:xyz");
    EXPECT_EQ(EncodeStoredValue("  "), "");
    EXPECT_EQ(calls, 2);
    InstallExternalEncoder(previous);
}

TEST(QuickSortByKey, ByteOrderOfCp932Keys)
{
    std::vector<TQSORT> rows = {{"ﾟ", 0}, {"1000", 1}, {"100", 2}, {"A1", 3}, {"0999", 4}, {"ﾟ", 5}, {"2", 6}};
    QuickSortByKey(rows, 0, static_cast<int>(rows.size()) - 1);
    std::vector<std::string> keys;
    for (const auto& r : rows)
        keys.push_back(r.SKEY);
    EXPECT_EQ(keys, (std::vector<std::string>{"0999", "100", "1000", "2", "A1", "ﾟ", "ﾟ"}));

    std::vector<TQSORT> part = {{"c", 0}, {"b", 1}, {"a", 2}};
    QuickSortByKey(part, 1, 2);
    EXPECT_EQ(part[0].SKEY, "c");
    EXPECT_EQ(part[1].SKEY, "a");
}

TEST(StoredValueCodec, TheProgramsOwnEncoderRoundTripsAndRefusesChangedValues)
{
    const std::string encoded = EncodeStoredValue("pass1234");
    ASSERT_FALSE(encoded.empty());
    EXPECT_EQ(encoded.find("pass1234"), std::string::npos);
    EXPECT_NE(EncodeStoredValue("pass1234"), encoded);   // a fresh nonce each time
    EXPECT_EQ(DecodeStoredValue(encoded), "pass1234");
    EXPECT_EQ(DecodeStoredValue(EncodeStoredValue("マイナンバー")), "マイナンバー");

    std::string changed = encoded;
    changed[changed.size() / 2] = changed[changed.size() / 2] == 'A' ? 'B' : 'A';
    EXPECT_EQ(DecodeStoredValue(changed), "");
    EXPECT_EQ(DecodeStoredValue("02" + encoded.substr(2)), "");   // unknown version
    EXPECT_EQ(DecodeStoredValue("not encoded"), "");
}
