// Text widths as the font draws them, scaled and truncated.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "foundation/forms/TextWidth.h"

using namespace vq;

TEST(TextWidth, MeasuresScalesAndTruncates)
{
    QFont font;
    font.setPixelSize(13);
    const int plain = QFontMetrics(font).horizontalAdvance(QStringLiteral("保存する(&S)"));
    ASSERT_GT(plain, 0);
    EXPECT_EQ(GetTextWidth("保存する(&S)", font), plain);
    EXPECT_EQ(GetTextWidth("保存する(&S)", font, 1.3), static_cast<int>(plain * 1.3));
    EXPECT_EQ(GetTextWidth("保存する(&S)", font, 0.0), 0);
    EXPECT_EQ(GetTextWidth("", font, 1.3), 0);
    QFont larger = font;
    larger.setPixelSize(26);
    EXPECT_GT(GetTextWidth("保存する(&S)", larger), plain);
}
