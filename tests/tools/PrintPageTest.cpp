// print-page draws a sheet as the print data's own header describes it: a
// landscape list comes out on landscape paper.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"
#include "print/TZevev360.h"

#include <QImage>

using namespace vq;

TEST(PrintPage, TheSheetTakesTheOrientationOfTheFile)
{
    platform::ScopedScriptedInteraction seam;
    test::TempDir dir;
    for (const int orientation : {0, 1}) {
        SCOPED_TRACE(orientation);
        print::TZevev360 p;
        p.DataFile = (dir / "list.360").string();
        p.Orientation = orientation;
        p.DataOpen(false);
        p.TextOut(150, 150, "データリスト", "ＭＳ 明朝", 16, "", "黒", "OFF", "LEFT", 0);
        p.DataClose();
        const auto png = dir / "sheet.png";
        const auto result = platform::runProcess(VQ_PRINT_PAGE, {p.DataFile, "1", png.string(), "50"});
        ASSERT_TRUE(result.succeeded()) << result.standardError;
        const QImage sheet(QString::fromStdString(png.string()));
        ASSERT_FALSE(sheet.isNull());
        // A4 at 50 dpi: 413 x 585 pixels, turned for landscape.
        EXPECT_EQ(sheet.width() > sheet.height(), orientation == 1) << sheet.width() << "x" << sheet.height();
    }
}
