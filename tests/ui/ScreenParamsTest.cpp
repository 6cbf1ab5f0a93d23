#include "ui/ScreenParams.h"

#include <gtest/gtest.h>

using namespace vq::ui;

TEST(ScreenParams, LinesNamesAndFormStyles)
{
    const ParamLines lines = splitParamLines("SyoriType=3\r\n\njyokenset=1\nFormStyle=2");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(paramValue(lines, "JyokenSet"), "1");
    EXPECT_EQ(syoriTypeOf(lines), 3);
    EXPECT_EQ(formStyleOf(lines), fsNormal);
    EXPECT_FALSE(paramValue(lines, "DataType"));
    // Lines joined with carriage returns alone, as the take-out and the new data set pass them.
    EXPECT_EQ(splitParamLines("SyoriType=5\rOnlySA_Syori=Restore\rOnlySA_BackupPath=/tmp/x"),
              (ParamLines{"SyoriType=5", "OnlySA_Syori=Restore", "OnlySA_BackupPath=/tmp/x"}));

    struct Case {
        const char* text;
        TFormStyle style;
    } cases[] = {{"", fsMDIChild}, {"FormStyle=0", fsMDIChild}, {"FormStyle=1", fsMDIForm},
                 {"FormStyle=2", fsNormal}, {"FormStyle=7", fsStayOnTop}, {"FormStyle=x", fsMDIChild}};
    for (const auto& c : cases)
        EXPECT_EQ(formStyleOf(splitParamLines(c.text)), c.style) << c.text;
    EXPECT_FALSE(syoriTypeOf(splitParamLines("SyoriType=-1")));
    EXPECT_FALSE(syoriTypeOf(splitParamLines("SyoriType=abc")));
    EXPECT_EQ(formStyleLine(true), "FormStyle=2");
    EXPECT_EQ(formStyleLine(false), "FormStyle=0");
}
