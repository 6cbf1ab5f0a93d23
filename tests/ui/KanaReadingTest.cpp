#include "ui/KanaReading.h"

#include <gtest/gtest.h>

using namespace vq::ui;

TEST(KanaReading, HiraganaBecomeHalfWidthKatakana)
{
    EXPECT_EQ(toKatakana("やまだ　たろう"), "ヤマダ　タロウ");
    EXPECT_EQ(toHalfWidth(toKatakana("がっこう・ぱーく")), "ｶﾞｯｺｳ･ﾊﾟｰｸ");
    EXPECT_EQ(toHalfWidth("ＡＢＣ１２３　ヴ"), "ABC123 ｳﾞ");
    EXPECT_EQ(toHalfWidth("abc漢字"), "abc漢字");
}
