#include "print/forms/PrinterList.h"

#include "platform/Interaction.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace vq::print {

std::vector<std::string> printerNames()
{
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(name.toStdString());
    names.emplace_back(kPdfPrinterName);
    return names;
}

int defaultPrinterIndex()
{
    const auto names = printerNames();
    const std::string def = QPrinterInfo::defaultPrinterName().toStdString();
    for (std::size_t i = 0; i + 1 < names.size(); ++i)
        if (names[i] == def)
            return static_cast<int>(i);
    return static_cast<int>(names.size()) - 1;
}

std::optional<std::string> selectPrinter(QPrinter& printer, int index)
{
    const auto names = printerNames();
    if (index < 0 || index >= static_cast<int>(names.size()))
        index = defaultPrinterIndex();
    const std::string& name = names[static_cast<std::size_t>(index)];
    if (name != kPdfPrinterName) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(QString::fromStdString(name));
        return name;
    }
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogRequest::Mode::Save;
    request.title = "PDFファイルの保存";
    request.filters = {"PDF (*.pdf)"};
    auto path = platform::interaction().chooseFile(request);
    if (!path)
        return std::nullopt;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(*path));
    return name;
}

} // namespace vq::print
