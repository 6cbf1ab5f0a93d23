#include "print/forms/TStartPrintDlg.h"

#include "print/forms/PrinterList.h"
#include "print/forms/SystemPrintDevice.h"

#include <QApplication>
#include <QPrintDialog>

namespace vq::print {
namespace {

TStartPrintDlg::Answer& scripted()
{
    static TStartPrintDlg::Answer answer;
    return answer;
}

} // namespace

TStartPrintDlg::TStartPrintDlg(SystemPrintDevice& device) : device_(device) {}

void TStartPrintDlg::setAnswer(Answer answer)
{
    scripted() = std::move(answer);
}

bool TStartPrintDlg::Execute(PrintRange& range)
{
    if (scripted()) {
        if (!scripted()(range))
            return false;
        device_.setCopies(range.copies);
        return true;
    }
    QPrinter& printer = device_.qprinter();
    if (device_.isPdf()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString());
    }
    printer.setFromTo(range.from, range.to);
    printer.setCopyCount(range.copies);
    printer.setCollateCopies(range.collate);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setMinMax(1, range.maxPage);
    dialog.setFromTo(range.from, range.to);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    range.pageNumbers = printer.printRange() == QPrinter::PageRange;
    if (range.pageNumbers) {
        range.from = printer.fromPage();
        range.to = printer.toPage();
    }
    range.collate = printer.collateCopies();
    range.copies = printer.copyCount();
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const auto names = printerNames();
        device_.selectPrinter(static_cast<int>(names.size()) - 1);
        if (!printer.outputFileName().isEmpty())
            device_.setPdfTarget(printer.outputFileName().toStdString());
    } else {
        const auto names = printerNames();
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == printer.printerName().toStdString())
                device_.selectPrinter(static_cast<int>(i));
    }
    device_.setCopies(range.copies);
    return true;
}

} // namespace vq::print
