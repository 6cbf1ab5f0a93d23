#include "print/forms/TVDBPrint.h"

#include "print/ErrorLog.h"
#include "print/PaperTable.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>
#include <exception>

namespace vq::print {
namespace {

template <typename F>
auto guarded(const char* label, auto fallback, F body) -> decltype(fallback)
{
    try {
        return body();
    } catch (const std::exception& e) {
        ErrorLog(label, e.what());
    } catch (...) {
        ErrorLog(label, "unknown failure");
    }
    return fallback;
}

int tenths(double mm)
{
    return static_cast<int>(std::lround(mm * 10));
}

// The paper code of a page size: the engine's own table first, so that 257 x 364
// reads as 12 (JIS B4), then the Windows code Qt knows.
std::int32_t codeOf(const QPageSize& size)
{
    const QSizeF mm = size.size(QPageSize::Millimeter);
    for (int code : {8, 9, 11, 12, 13, 16, 17, 44, 45, 46, 90}) {
        const PaperSizeMM p = PaperMM(code);
        if (std::abs(p.width - mm.width()) < 1 && std::abs(p.height - mm.height()) < 1)
            return code;
    }
    return size.windowsId();
}

} // namespace

TVDBPrint::TVDBPrint(QPrinter& printer) : printer_(printer)
{
    guarded("Vdb.Create", 0, [this] {
        if (QPrinterInfo::defaultPrinter().isNull()) {
            // No print service: the PDF printer takes the default printer's place.
            printer_.setOutputFormat(QPrinter::PdfFormat);
        } else {
            printer_.setPrinterName(QPrinterInfo::defaultPrinterName());
        }
        SetTTOption(1);
        paperCode_ = codeOf(printer_.pageLayout().pageSize());
        return 0;
    });
}

std::int32_t TVDBPrint::GetPaper()
{
    if (NoDefaultPrinter)
        return 9;
    return guarded("Vdb.GetPaper", std::int32_t{9}, [this] { return codeOf(printer_.pageLayout().pageSize()); });
}

void TVDBPrint::SetPaper(std::int32_t code)
{
    if (NoDefaultPrinter)
        return;
    guarded("Vdb.SetPaper", 0, [&] {
        paperCode_ = code;
        printer_.setPageSize(pageSizeOfCode(code));
        return 0;
    });
}

void TVDBPrint::SetTTOption(std::int32_t value)
{
    ttOption_ = value;
}

void TVDBPrint::SetUserPaperSize(std::int32_t length, std::int32_t width)
{
    if (NoDefaultPrinter)
        return;
    guarded("Vdb.SetUserPaperSize", 0, [&] {
        printer_.setPageSize(QPageSize(QSizeF(width / 10.0, length / 10.0), QPageSize::Millimeter, QString(),
                                       QPageSize::ExactMatch));
        return 0;
    });
}

void TVDBPrint::ResetUserPaperSize()
{
    if (NoDefaultPrinter)
        return;
    guarded("Vdb.ResetUserPaperSize", 0, [&] {
        printer_.setPageSize(pageSizeOfCode(paperCode_));
        return 0;
    });
}

void TVDBPrint::GetDevMode(TP360DEF& def)
{
    if (NoDefaultPrinter)
        return;
    guarded("Vdb.GetDevMode", 0, [&] {
        const QPageLayout layout = printer_.pageLayout();
        def.DeviceName = printer_.printerName().toStdString();
        def.FormName = layout.pageSize().name().toStdString();
        const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
        def.PaperLength = tenths(mm.height());
        def.PaperWidth = tenths(mm.width());
        def.Orientation = layout.orientation() == QPageLayout::Landscape ? 1 : 0;
        def.Scale = 100;
        def.Copies = printer_.copyCount();
        def.Duplex = printer_.duplex() == QPrinter::DuplexLongSide    ? 2
                     : printer_.duplex() == QPrinter::DuplexShortSide ? 3
                                                                      : 1;
        def.Collate = printer_.collateCopies() ? 1 : 0;
        def.YResolution = printer_.resolution();
        def.DevModeFields = 0x8000 | 0x02;
        return 0;
    });
}

void TVDBPrint::SetDevMode(const TP360DEF& def)
{
    if (NoDefaultPrinter)
        return;
    guarded("Vdb.SetDevMode", 0, [&] {
        printer_.setCopyCount(std::max(1, def.Copies));
        printer_.setCollateCopies(def.Collate == 1);
        if (def.ColorMode != 0)
            printer_.setColorMode(def.ColorMode == 1 ? QPrinter::GrayScale : QPrinter::Color);
        if (def.Duplex != 0)
            printer_.setDuplex(def.Duplex == 2   ? QPrinter::DuplexLongSide
                               : def.Duplex == 3 ? QPrinter::DuplexShortSide
                                                 : QPrinter::DuplexNone);
        return 0;
    });
}

std::int32_t TVDBPrint::GetPaperNumber(const std::string& name, std::int32_t length, std::int32_t width,
                                       std::int32_t def)
{
    if (NoDefaultPrinter)
        return 0;
    return guarded("Vdb.GetPaperNumber", def, [&]() -> std::int32_t {
        QList<QPageSize> sizes;
        if (printer_.outputFormat() == QPrinter::NativeFormat)
            sizes = QPrinterInfo(printer_).supportedPageSizes();
        if (sizes.isEmpty())
            for (int code : {8, 9, 11, 12, 13, 16, 17})
                sizes.push_back(pageSizeOfCode(code));
        if (!name.empty()) {
            for (const QPageSize& s : sizes)
                if (s.name().toStdString() == name)
                    return codeOf(s);
            return def;
        }
        if (length > 0 && width > 0) {
            for (const QPageSize& s : sizes) {
                const QSizeF mm = s.size(QPageSize::Millimeter);
                const int l = tenths(mm.height()), w = tenths(mm.width());
                if (l > length - 10 && l < length + 10 && w > width - 10 && w < width + 10)
                    return codeOf(s);
            }
        }
        return def;
    });
}

} // namespace vq::print
