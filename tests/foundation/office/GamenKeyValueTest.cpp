// Saved screen values: one text per screen and operator, cut to 1,024 CP932
// bytes without splitting a character.
#include <gtest/gtest.h>

#include "OfficeFixture.h"
#include "foundation/app/SystemDef.h"
#include "foundation/office/GamenKeyValue.h"
#include "platform/Cp932.h"

using namespace vq;

namespace {

using GamenKeyValueTest = test::OfficeFixture;

TEST_F(GamenKeyValueTest, SavesAndRestoresPerScreenAndOperator)
{
    TGamenKeyValue values;
    EXPECT_EQ(values.OpCode, 100001);
    EXPECT_EQ(values.StyleNameOf("SisanForm"), "020-SISANFORM");
    std::string v = "old";
    values.FukugenValue("SisanForm", v);
    EXPECT_EQ(v, "");

    values.HozonValue("SisanForm", "  FROM=1\r\nTO=16　");
    values.HozonValue("SisanForm", "FROM=2");  // the second save updates
    values.FukugenValue("sisanform", v);
    EXPECT_EQ(v, "FROM=2");
    EXPECT_EQ(scalarDef("SELECT STYLENAME||':'||LINECOLOR1 FROM STYLECOLOR"), "020-SISANFORM:-1");

    // A value beyond 1,024 bytes is cut between characters: 1,023 bytes here.
    const std::string longValue = "a" + [] {
        std::string s;
        for (int i = 0; i < 600; ++i)
            s += "あ";
        return s;
    }();
    values.HozonValue("Motocho", longValue);
    values.FukugenValue("Motocho", v);
    EXPECT_EQ(platform::cp932::byteLength(v), 1023u);
    EXPECT_EQ(v, longValue.substr(0, 1 + 511 * 3));

    TGamenKeyValue nobody;
    nobody.OpCode = 0;
    nobody.HozonValue("Other", "x");
    EXPECT_EQ(scalarDef("SELECT COUNT(*) FROM STYLECOLOR"), "2");
    EXPECT_FALSE(dm_.IBTransactionDEF.active());
}

} // namespace
