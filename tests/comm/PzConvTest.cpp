#include "comm/PzConv.h"

#include <gtest/gtest.h>

using vq::comm::TxPzConv;

TEST(PzConvTest, EncodesAndDecodesTheStandardAlphabetWithFill)
{
    struct Case {
        std::string bytes;
        std::string base64;
    };
    const Case cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {std::string("\xFB\xFF\xBF", 3), "+/+/"},
        {std::string("\0\0\0", 3), "AAAA"},
        {"\x83\x5E\x83\x43\x83\x67\x83\x8B", "g16DQ4Nng4s="}, // CP932 of "タイトル"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TxPzConv::EncodeBase64(c.bytes), c.base64) << c.base64;
        EXPECT_EQ(TxPzConv::DecodeBase64(c.base64), c.bytes) << c.base64;
    }
}

TEST(PzConvTest, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    for (std::size_t n = 0; n <= 4; ++n) {
        const std::string part = all.substr(0, all.size() - n);
        EXPECT_EQ(TxPzConv::DecodeBase64(TxPzConv::EncodeBase64(part)), part);
    }
}

TEST(PzConvTest, DecodingIgnoresAnIncompleteGroupAndTreatsStrangersAsFill)
{
    EXPECT_EQ(TxPzConv::DecodeBase64("Zm9vYg"), "foo");
    EXPECT_EQ(TxPzConv::DecodeBase64("Zm9"), "");
    EXPECT_EQ(TxPzConv::DecodeBase64("Zm!v"), "f");   // a third fill character keeps the first byte only
    EXPECT_EQ(TxPzConv::DecodeBase64("Zm8!"), "fo");
    EXPECT_EQ(TxPzConv::ValueToBase64Char(64), '=');
    EXPECT_EQ(TxPzConv::Base64CharToValue('-'), 64u);
}
