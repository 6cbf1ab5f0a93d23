#include "datasets/PrDataList.h"

#include "datasets/DataSentakuList.h"
#include "foundation/app/SystemDef.h"
#include "print/PrintEngine.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vq {
namespace {

constexpr int kLeftEnd = 150;
constexpr int kFirstLineY = 405;
constexpr int kLineHeight = 44;
constexpr int kSeparatorDrop = 34;
constexpr int kBodySize = 9;

std::string format(const char* fmt, int value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, fmt, value);
    return buffer;
}

// The column positions by orientation; the code column only has room in landscape.
struct Columns {
    int number, code, name, year, period, folder;
};
constexpr Columns kPortrait{180, -1, 250, 1050, 1350, 1600};
constexpr Columns kLandscape{180, 250, 450, 1250, 1550, 1800};

const Columns& columnsOf(int orientation)
{
    return orientation == 1 ? kLandscape : kPortrait;
}

// The print data goes to the run settings' temporary folder; a folder that
// is not there yet is made, and without one the system's serves (the file
// name is made unique anyway).
std::filesystem::path tempFolder()
{
    std::error_code ec;
    if (!SystemDef.TempDir.empty()) {
        const std::filesystem::path folder(SystemDef.TempDir);
        if (std::filesystem::is_directory(folder, ec) || std::filesystem::create_directories(folder, ec))
            return folder;
    }
    return std::filesystem::temp_directory_path();
}

} // namespace

const std::string& ReportFontName(std::int32_t fontNo)
{
    static const std::array<std::string, 4> names = {"ＭＳ 明朝", "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック"};
    return names[fontNo >= 0 && fontNo < static_cast<std::int32_t>(names.size()) ? static_cast<std::size_t>(fontNo) : 0];
}

TPrDataList::TPrDataList()
{
    print::InitDefaultPrintRec(PrintRec);
    // The printer chosen for the last job stays the printer of the next one.
    Printer360.PrinterNum = print::printEngine().Job.PrinterNum;
}

void TPrDataList::Print(bool doPrint, std::int32_t, std::int32_t)
{
    WriteList();
    if (doPrint)
        Printer360.Print();
    else
        Printer360.Preview();
}

void TPrDataList::WriteList()
{
    PrintRec.BodySize = kBodySize;
    page_ = 1;
    line_ = 0;
    geometry_ = Orientation == 1 ? Geometry{2820, 1945, 35, 1410} : Geometry{2000, 2820, 55, 1000};
    font_ = ReportFontName(PrintRec.FontNo);
    setUpComponent();
    const std::string proposed = Printer360.DataFile;
    try {
        Printer360.DataOpen(true);
        Printer360.WriteHeader();
        const auto rowCount = static_cast<std::int32_t>(ListRows.size());
        for (std::size_t i = 0; i < ListDispIndex.size(); ++i) {
            const std::int32_t index = ListDispIndex[i];
            if (index < 0 || index >= rowCount)
                continue;
            const TDataSentakuRec& parent = ListRows[static_cast<std::size_t>(index)];
            nextLine();
            lineRecords(parent, format("%3d", ListKind == 0 ? parent.REC : static_cast<int>(i) + 1));
            separator();
            for (const TDataListRec& child : parent.Children) {
                nextLine();
                lineRecords(child, {});
                separator();
            }
        }
        // The last page stays open: a page end there would make an empty page.
        Printer360.DataClose();
    } catch (...) {
        try {
            Printer360.DataClose();
        } catch (...) {
        }
        // Only a file made under its own unique name is ours to remove.
        if (Printer360.DataFile != proposed) {
            std::error_code ec;
            std::filesystem::remove(Printer360.DataFile, ec);
        }
        throw;
    }
}

void TPrDataList::setUpComponent()
{
    print::TZevev360& p = Printer360;
    p.Title = "印刷プレビュー";
    p.DataFile = (tempFolder() / "データリスト.TMP").string();
    p.FormFile.clear();
    p.PaperSize = 9;
    p.Orientation = Orientation;
    p.TopMargin = 0;
    p.LeftMargin = 0;
    p.setZoom(10);
    p.UserColor1 = 0;
    p.UserColor2 = 0;
    p.NetColor1 = SystemDef.NetColor1;
    p.NetColor2 = SystemDef.NetColor2;
    print::ApplyMonoPrintColors(PrintRec.Colour, p);
    p.PrintFom = false;
    p.ModeSw = false;
    p.Permit = true;
}

int TPrDataList::lineY() const
{
    return kFirstLineY + (line_ - 1) * kLineHeight;
}

void TPrDataList::nextLine()
{
    if (line_ != 0 && line_ <= geometry_.linesPerPage - 1) {
        ++line_;
        return;
    }
    if (line_ != 0)
        Printer360.NewPage();
    pageHeading();
    ++page_;
    line_ = 1;
}

void TPrDataList::text(int x, int y, const std::string& value, int size, const char* align)
{
    Printer360.TextOut(x, y, value, font_, size, "", "黒", "OFF", align, 0);
}

void TPrDataList::rule(int y, int width, int penStyle)
{
    Printer360.LineOut(kLeftEnd, y, geometry_.rightEnd, y, width, penStyle, std::to_string(Printer360.UserColor1),
                       false);
}

void TPrDataList::pageHeading()
{
    const Columns& c = columnsOf(Orientation);
    const int heading = PrintRec.HeadSize;
    text(geometry_.titleX, 150, ListKind == 0 ? "データリスト" : "共有データリスト", PrintRec.TitleSize, "CENTER");
    text(geometry_.rightEnd, 250, format("PAGE %4d", page_), heading, "RIGHT");
    rule(300, 4, 0);
    text(c.number, 325, "No", heading, "LEFT");
    if (c.code >= 0)
        text(c.code, 325, "コード", heading, "LEFT");
    text(c.name, 325, "データリスト名", heading, "LEFT");
    text(c.year, 325, "会計年度", heading, "CENTER");
    text(c.period, 325, "会計期間", heading, "CENTER");
    text(c.folder, 325, "データフォルダ", heading, "LEFT");
    rule(390, 4, 0);
    rule(geometry_.bottomRule, 4, 0);
}

void TPrDataList::lineRecords(const TDataListRec& row, const std::string& number)
{
    const Columns& c = columnsOf(Orientation);
    const int y = lineY();
    const int size = PrintRec.BodySize;
    if (!number.empty())
        text(170, y, number, size, "LEFT");
    if (c.code >= 0)
        text(c.code, y, row.DATACODE, size, "LEFT");
    text(c.name, y, row.DISP_NAME, size, "LEFT");
    if (row.ENTTEXT.empty()) {
        text(c.year, y, "", size, "LEFT");
        text(c.period, y, "", size, "LEFT");
    } else if (row.NENDO < 1) {
        text(c.year, y, "", size, "CENTER");
        text(c.period, y, "", size, "CENTER");
    } else {
        text(c.year, y, format("%d 期", row.NENDO), size, "CENTER");
        text(c.period, y, row.KIKAN_TEXT, size, "CENTER");
    }
    text(c.folder, y, TDataSentakuList::FolderColumnText(row.PASNAME), size, "LEFT");
}

void TPrDataList::separator()
{
    // The last line of a page has the bottom rule under it instead.
    if (line_ < geometry_.linesPerPage)
        rule(lineY() + kSeparatorDrop, 0, 2);
}

} // namespace vq
