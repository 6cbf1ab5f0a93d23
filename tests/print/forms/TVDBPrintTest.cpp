// Printer settings on the engine's printer and the printer list with its
// always-present PDF printer (no print server needed).
#include <gtest/gtest.h>

#include "platform/ScriptedInteraction.h"
#include "print/forms/PrinterList.h"
#include "print/forms/TVDBPrint.h"

#include <QPrinter>

using namespace vq;
using namespace vq::print;

TEST(PrinterList, PdfPrinterIsAlwaysThereAndAsksForItsFile)
{
    platform::ScopedScriptedInteraction seam;
    const auto names = printerNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), kPdfPrinterName);
    QPrinter printer;
    const int pdf = static_cast<int>(names.size()) - 1;
    EXPECT_FALSE(selectPrinter(printer, pdf)); // no file chosen: cancelled
    seam->fileAnswers.push_back(std::string("/tmp/帳票.pdf"));
    EXPECT_EQ(selectPrinter(printer, pdf), kPdfPrinterName);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), QStringLiteral("/tmp/帳票.pdf"));
}

TEST(TVDBPrint, PaperCodesSizesAndSettings)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    TVDBPrint vdb(printer);
    vdb.SetPaper(12);
    EXPECT_EQ(vdb.GetPaper(), 12); // JIS B4 reads back as 12
    vdb.SetPaper(13);
    EXPECT_EQ(vdb.GetPaper(), 13);
    vdb.SetUserPaperSize(2000, 1000);
    TP360DEF def;
    vdb.GetDevMode(def);
    EXPECT_EQ(def.PaperLength, 2000);
    EXPECT_EQ(def.PaperWidth, 1000);
    vdb.ResetUserPaperSize();
    EXPECT_EQ(vdb.GetPaper(), 13);
    // By size within 1 mm, by exact name, else the default.
    EXPECT_EQ(vdb.GetPaperNumber("", 2970, 2100, 0), 9);
    EXPECT_EQ(vdb.GetPaperNumber("", 2975, 2095, 0), 9);
    EXPECT_EQ(vdb.GetPaperNumber("", 0, 2100, 7), 7);
    EXPECT_EQ(vdb.GetPaperNumber("no such paper", 2970, 2100, 7), 7);
    def.Copies = 3;
    def.Collate = 1;
    def.ColorMode = 0;
    printer.setColorMode(QPrinter::Color);
    vdb.SetDevMode(def);
    EXPECT_EQ(printer.copyCount(), 3);
    EXPECT_TRUE(printer.collateCopies());
    EXPECT_EQ(printer.colorMode(), QPrinter::Color); // 0 leaves the printer's own
}
