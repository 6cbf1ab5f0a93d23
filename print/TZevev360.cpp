#include "print/TZevev360.h"

#include "foundation/calendar/DayNumber.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"
#include "print/PrintEngine.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

namespace vq::print {
namespace {

TZevev360::PreviewRunner& previewRunner()
{
    static TZevev360::PreviewRunner runner;
    return runner;
}

TZevev360::PrintRunner& printRunner()
{
    static TZevev360::PrintRunner runner;
    return runner;
}

std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string format(const char* fmt, auto... args)
{
    int n = std::snprintf(nullptr, 0, fmt, args...);
    std::string out(static_cast<std::size_t>(n), '\0');
    std::snprintf(out.data(), out.size() + 1, fmt, args...);
    return out;
}

std::string hex6(std::int32_t color)
{
    return format("$%06X", static_cast<unsigned>(color));
}

bool installedFace(const std::string& name)
{
    return QGuiApplication::instance() &&
           QFontDatabase::families().contains(QString::fromStdString(name), Qt::CaseInsensitive);
}

// A new empty file "~XXXXXX.TMP" in folder, made without a race.
std::filesystem::path uniqueFileIn(const std::filesystem::path& folder)
{
    std::random_device rd;
    std::mt19937 gen(rd());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        auto candidate = folder / format("~%06X.TMP", static_cast<unsigned>(gen() & 0xFFFFFF));
        std::FILE* f = std::fopen(candidate.c_str(), "wx");
        if (f) {
            std::fclose(f);
            return candidate;
        }
        if (errno != EEXIST)
            throw std::system_error(errno, std::generic_category(), "cannot create " + candidate.string());
    }
    throw std::runtime_error("no free temporary name in " + folder.string());
}

} // namespace

TZevev360::TZevev360()
{
    setOcrFontName("");
}

TZevev360::~TZevev360() = default;

void TZevev360::setCopie(std::int32_t v)
{
    if (v >= 1 && v <= 99)
        copie_ = v;
}

void TZevev360::setZoom(std::int32_t v)
{
    if (v >= 5 && v <= 20)
        zoom_ = v;
}

void TZevev360::setScale(std::int32_t v)
{
    if (v >= 50 && v <= 150)
        scale_ = v;
}

void TZevev360::setPrintQuality(std::int32_t v)
{
    if (v >= -4 && v <= -1)
        printQuality_ = v;
}

void TZevev360::setColorMode(std::int32_t v)
{
    colorMode_ = v > 2 ? 0 : v;
}

void TZevev360::setDuplex(std::int32_t v)
{
    if (v >= 1 && v <= 3)
        duplex_ = v;
}

void TZevev360::setCollate(std::int32_t v)
{
    if (v == 0 || v == 1)
        collate_ = v;
}

namespace {
std::int32_t ratioOf(std::int32_t v)
{
    if (v >= -50 && v <= 50)
        return 1000 + v;
    if (v >= 950 && v <= 1050)
        return v;
    return 1000;
}
} // namespace

void TZevev360::setVRATIO(std::int32_t v)
{
    vratio_ = ratioOf(v);
}

void TZevev360::setHRATIO(std::int32_t v)
{
    hratio_ = ratioOf(v);
}

void TZevev360::setPageBangoFormat(const std::string& value)
{
    const int count = pageFormatCount(value);
    if (count == 1 || count == 2) {
        pageFormat_ = value;
        pageFormatCount_ = count;
        return;
    }
    PageBango = false;
    pageFormat_ = "(%d/%d)";
    pageFormatCount_ = 2;
}

void TZevev360::setOcrFontName(const std::string& name)
{
    if (name.empty()) {
        ocrFontName_ = installedFace("OCR-B") ? "OCR-B" : installedFace("OCRB") ? "OCRB" : "ＭＳ ゴシック";
        return;
    }
    if (installedFace(name))
        ocrFontName_ = name;
}

std::string TZevev360::recordText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '"')
            out += "＂";
        else if (c == '\r' || c == '\n')
            out += ' ';
        else if (c == ';')
            out += ':';
        else
            out += c;
    }
    return out;
}

std::string TZevev360::fitText(const std::string& text, const std::string& align, int width)
{
    if (width == 0 || align == "CENTER")
        return text;
    const std::string bytes = platform::cp932::fromUtf8(text);
    const auto length = static_cast<int>(bytes.size());
    if (align == "RIGHT") {
        if (length < width)
            return width <= 126 ? std::string(static_cast<std::size_t>(width - length), ' ') + text : text;
        // Keep the last width bytes, but never begin on the trail byte of a
        // double-byte character: that half would print as a stray character.
        int start = length - width;
        int i = 0;
        while (i < start)
            i += platform::cp932::isLeadByte(static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)])) ? 2 : 1;
        if (i > start)
            return " " + platform::cp932::toUtf8(bytes.substr(static_cast<std::size_t>(i)));
        return platform::cp932::toUtf8(bytes.substr(static_cast<std::size_t>(start)));
    }
    if (length < width)
        return width <= 126 ? text + std::string(static_cast<std::size_t>(width - length), ' ') : text;
    return platform::cp932::cutBytes(text, static_cast<std::size_t>(width));
}

void TZevev360::writeLine(const std::string& utf8)
{
    if (!file_.is_open())
        throw std::runtime_error("print data file is not open");
    file_ << platform::cp932::fromUtf8(utf8) << "\r\n";
    if (!file_)
        throw std::runtime_error("cannot write " + DataFile);
}

void TZevev360::DataOpen(bool useTempName)
{
    const std::filesystem::path path = std::filesystem::path(DataFile);
    if (DocTitle.empty())
        DocTitle = path.stem().string();
    if (file_.is_open())
        file_.close();
    headerWritten_ = false;
    std::filesystem::path target = path;
    if (useTempName) {
        target = uniqueFileIn(path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path());
        DataFile = target.string();
    }
    file_.open(target, std::ios::binary | std::ios::trunc);
    if (!file_)
        throw std::system_error(errno, std::generic_category(), "cannot create " + DataFile);
    WriteHeader();
}

void TZevev360::WriteHeader()
{
    if (headerWritten_)
        return;
    const CivilDate d = decodeDate(platform::interaction().now());
    std::string folder = std::filesystem::path(DataFile).parent_path().string();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    writeLine("*ZEVEV360" + std::string(61, '*'));
    writeLine("*[SETTING]");
    writeLine("*PATH=" + folder);
    writeLine(std::string("*VERSION=") + kEngineVersion);
    writeLine(format("*DATE=%04d/%02d/%02d", d.year, d.month, d.day));
    writeLine("*TITLE=" + Title);
    writeLine("*FORMFILE=" + FormFile);
    writeLine(format("*PAPERSIZE=%d", PaperSize));
    writeLine(format("*OUTPUTPAPER=%d", OutPutPaper));
    writeLine(format("*ORIENTATION=%d", Orientation));
    writeLine(format("*TOPMARGIN=%d", TopMargin));
    writeLine(format("*LEFTMARGIN=%d", LeftMargin));
    writeLine(format("*FORMTOPMARGIN=%d", FormTopMargin));
    writeLine(format("*FORMLEFTMARGIN=%d", FormLeftMargin));
    writeLine("*NETC1=" + hex6(NetColor1));
    writeLine("*NETC2=" + hex6(NetColor2));
    writeLine("*USERC1=" + hex6(UserColor1));
    writeLine("*USERC2=" + hex6(UserColor2));
    writeLine(std::string("*FORMPRINT=") + (PrintFom ? "TRUE" : "FALSE"));
    writeLine(format("*COPIES=%d", copie_));
    writeLine(std::string("*PAGENOSWITCH=") + (PageBango ? "TRUE" : "FALSE"));
    writeLine(format("*PAGENOLEFT=%d", PageBangoLeft));
    writeLine(format("*PAGENOTOP=%d", PageBangoTop));
    writeLine(format("*PAGENOALIGNMENT=%d", PageBangoAlignment));
    writeLine("*PAGENOFORMAT=" + recordText(pageFormat_));
    writeLine(std::string(61, '*') + "ZEVEV360*");
    headerWritten_ = true;
}

void TZevev360::TextOut(int x, int y, const std::string& text, const std::string& fontName, int size,
                        const std::string& style, const std::string& color, const std::string& back,
                        const std::string& align, int width)
{
    const std::string alignment = upper(align);
    const std::string fitted = fitText(recordText(text), alignment, width);
    const std::string background = back == "OFF" ? "1" : back;
    writeLine("TEXT;" + std::to_string(x) + ";" + std::to_string(y) + ";" + fitted + ";" + recordText(fontName) + ";" +
              std::to_string(size) + ";" + recordText(style) + ";" + recordText(color) + ";" +
              recordText(background) + ";" + recordText(alignment) + ";0;0;");
}

void TZevev360::LineOut(int x1, int y1, int x2, int y2, int width, int penStyle, const std::string& color, bool eline)
{
    writeLine(format("%s;%d;%d;%d;%d;%d;%d;", eline ? "ELINE" : "LINE", x1, y1, x2, y2, width, penStyle) +
              recordText(color) + ";");
}

void TZevev360::BoxOut(int x1, int y1, int x2, int y2, int width, int penStyle, const std::string& penColor,
                       const std::string& brushColor, int brushStyle)
{
    writeLine(format("BOX;%d;%d;%d;%d;%d;%d;", x1, y1, x2, y2, width, penStyle) + recordText(penColor) + ";" +
              recordText(brushColor) + ";" + std::to_string(brushStyle) + ";");
}

void TZevev360::NewPage()
{
    ++PageNo;
    if (BlankPage != 0)
        BoxOut(100, 100, 101, 101, 0, 0, "黒", "白", 1);
    writeLine("E;");
}

void TZevev360::DataClose()
{
    if (file_.is_open()) {
        file_.close();
        if (file_.fail())
            throw std::runtime_error("cannot close " + DataFile);
    }
    headerWritten_ = false;
}

void TZevev360::FillJob(TP360DEF& job) const
{
    job.FormFile = FormFile;
    job.DataFile = DataFile;
    job.Title = Title;
    job.DocTitle = !DocTitle.empty() ? DocTitle : !Title.empty() ? Title : std::string("ZEVEV360-") + kEngineVersion;
    job.PrinterNum = PrinterNum;
    job.PaperSize = PaperSize;
    job.OutPutPaper = OutPutPaper;
    job.VRATIO = vratio_;
    job.HRATIO = hratio_;
    job.PaperName = PaperName;
    job.Orientation = Orientation;
    job.TopMargin = TopMargin;
    job.LeftMargin = LeftMargin;
    job.EvenLeftMargin = EvenLeftMargin != 0 ? EvenLeftMargin - LeftMargin : 0;
    job.TopCorrect = TopCorrect;
    job.LeftCorrect = LeftCorrect;
    job.FormTopMargin = FormTopMargin;
    job.FormLeftMargin = FormLeftMargin;
    job.NetColor1 = NetColor1;
    job.NetColor2 = NetColor2;
    job.UserColor1 = UserColor1;
    job.UserColor2 = UserColor2;
    job.OcrGreen = OcrGreen;
    job.OcrBlue = OcrBlue;
    job.OcrBrown = OcrBrown;
    job.OcrPink = OcrPink;
    job.OcrOrange = OcrOrange;
    job.OcrViolet = OcrViolet;
    job.OcrPurple = OcrPurple;
    job.PrintFom = PrintFom;
    job.PrnDlg = PrnDlg;
    job.Zoom = zoom_;
    job.SizeChange = SizeChange;
    job.ImageOut = ImageOut;
    job.CurrentPage = CurrentPage;
    job.PrevPaperButton = PrevPaperButton;
    job.NextPaperButton = NextPaperButton;
    job.ModeSw = ModeSw;
    job.PaperLength = PaperLength;
    job.PaperWidth = PaperWidth;
    job.Scale = scale_;
    job.Copies = copie_;
    job.PrintQuality = printQuality_;
    job.ColorMode = colorMode_;
    job.Duplex = duplex_;
    job.Collate = collate_;
    job.Permit = Permit;
    job.GrayScale = GrayScale;
    job.PageBango.Switch = PageBango;
    job.PageBango.Left = PageBangoLeft;
    job.PageBango.Top = PageBangoTop;
    job.PageBango.Alignment = PageBangoAlignment;
    job.PageBango.FontName = PageBangoFontName;
    job.PageBango.FontSize = PageBangoFontSize;
    job.PageBango.Format = pageFormat_;
    job.PageBango.FormatCount = pageFormatCount_;
}

void TZevev360::installRunners(PreviewRunner preview, PrintRunner print)
{
    previewRunner() = std::move(preview);
    printRunner() = std::move(print);
}

void TZevev360::afterHandOver()
{
    if (DelFile) {
        std::error_code ec;
        const auto path = std::filesystem::path(DataFile);
        std::filesystem::remove(path, ec);
        std::filesystem::remove(path.parent_path() / "CHART.WMF", ec);
    }
    TP360DEF& shared = printEngine().Job;
    PrinterNum = shared.PrinterNum;
    copie_ = shared.Copies;
    PageBango = false;
    DocTitle.clear();
}

bool TZevev360::Preview()
{
    TP360DEF& shared = printEngine().Job;
    FillJob(shared);
    int result = 0;
    try {
        if (previewRunner())
            result = previewRunner()(shared);
    } catch (...) {
        afterHandOver();
        throw;
    }
    previewCloseNum_ = result;
    afterHandOver();
    return result != 0;
}

bool TZevev360::Print()
{
    TP360DEF job;
    FillJob(job);
    bool printed = false;
    try {
        if (printRunner())
            printed = printRunner()(job);
    } catch (...) {
        afterHandOver();
        throw;
    }
    previewCloseNum_ = printed ? 1 : 0;
    afterHandOver();
    return printed;
}

} // namespace vq::print
