#include "print/forms/SystemPrintDevice.h"

#include "platform/Interaction.h"
#include "print/forms/PrinterList.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSetupDialog>

#include <stdexcept>

namespace vq::print {

SystemPrintDevice::SystemPrintDevice()
{
    selectPrinter(-1);
}

SystemPrintDevice::~SystemPrintDevice()
{
    if (painter_.isActive())
        painter_.end();
}

void SystemPrintDevice::selectPrinter(int index)
{
    const auto names = printerNames();
    if (index < 0 || index >= static_cast<int>(names.size()))
        index = defaultPrinterIndex();
    index_ = index;
    pdf_ = names[static_cast<std::size_t>(index)] == kPdfPrinterName;
    if (!pdf_) {
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(QString::fromStdString(names[static_cast<std::size_t>(index)]));
        printer_.setPageSize(pageSizeOfCode(paper_));
    }
}

bool SystemPrintDevice::choosePdfTarget()
{
    if (!pdfTarget_.empty())
        return true;
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogRequest::Mode::Save;
    request.title = "PDFファイルの保存";
    request.filters = {"PDF (*.pdf)"};
    const auto path = platform::interaction().chooseFile(request);
    if (!path)
        return false;
    pdfTarget_ = *path;
    return true;
}

void SystemPrintDevice::setUpPrinter()
{
    printer_.setPageSize(pageSizeOfCode(paper_));
    printer_.setPageOrientation(orientation_ == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPageSetupDialog dialog(&printer_, QApplication::activeWindow());
    dialog.exec();
    // Whatever was chosen, the device follows the printer object.
    paper_ = vdb_.GetPaper();
    pdfRun_.setPaperCode(paper_);
    setOrientation(printer_.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0);
}

void SystemPrintDevice::setPaperCode(std::int32_t code)
{
    paper_ = code;
    pdfRun_.setPaperCode(code);
    if (!pdf_)
        vdb_.SetPaper(code);
}

void SystemPrintDevice::setOrientation(int orientation)
{
    orientation_ = orientation == 1 ? 1 : 0;
    pdfRun_.setOrientation(orientation_);
    if (!pdf_)
        printer_.setPageOrientation(orientation_ == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

PrintableArea SystemPrintDevice::printableArea()
{
    if (pdf_)
        return pdfRun_.printableArea();
    const QRectF r = printer_.pageLayout().paintRect(QPageLayout::Millimeter);
    return {static_cast<int>(std::lround(r.width())), static_cast<int>(std::lround(r.height()))};
}

int SystemPrintDevice::dpiX()
{
    return pdf_ ? pdfRun_.dpiX() : printer_.resolution();
}

int SystemPrintDevice::dpiY()
{
    return pdf_ ? pdfRun_.dpiY() : printer_.resolution();
}

void SystemPrintDevice::setCopies(int copies)
{
    copies_ = copies >= 1 ? copies : 1;
    pdfRun_.setCopies(copies_);
    if (!pdf_)
        printer_.setCopyCount(copies_);
}

void SystemPrintDevice::applyJob(const TP360DEF& job)
{
    if (pdf_) {
        pdfRun_.applyJob(job);
        copies_ = pdfRun_.copies();
        return;
    }
    vdb_.SetDevMode(job);
    copies_ = printer_.copyCount();
}

void SystemPrintDevice::readBack(TP360DEF& job)
{
    if (pdf_) {
        pdfRun_.readBack(job);
        job.PrinterNum = index_;
        return;
    }
    vdb_.GetDevMode(job);
    job.PrinterNum = index_;
    job.Orientation = orientation_;
}

std::int32_t SystemPrintDevice::paperNumber(const std::string& name, std::int32_t length, std::int32_t width,
                                            std::int32_t def)
{
    return pdf_ ? pdfRun_.paperNumber(name, length, width, def) : vdb_.GetPaperNumber(name, length, width, def);
}

void SystemPrintDevice::setDocTitle(const std::string& title)
{
    pdfRun_.setDocTitle(title);
    printer_.setDocName(QString::fromStdString(title));
}

void SystemPrintDevice::beginJob()
{
    if (pdf_) {
        pdfRun_.setTarget(pdfTarget_);
        pdfRun_.beginJob();
        return;
    }
    if (!painter_.begin(&printer_))
        throw std::runtime_error("cannot print on " + printer_.printerName().toStdString());
    pageNumber_ = 1;
}

void SystemPrintDevice::newPage()
{
    if (pdf_) {
        pdfRun_.newPage();
        return;
    }
    if (!printer_.newPage())
        throw std::runtime_error("cannot start a new page on " + printer_.printerName().toStdString());
    ++pageNumber_;
}

void SystemPrintDevice::endJob()
{
    if (pdf_) {
        pdfRun_.endJob();
        return;
    }
    if (painter_.isActive() && !painter_.end())
        throw std::runtime_error("cannot finish the print job on " + printer_.printerName().toStdString());
}

void SystemPrintDevice::abortJob()
{
    if (pdf_) {
        pdfRun_.abortJob();
        return;
    }
    printer_.abort();
    if (painter_.isActive())
        painter_.end();
}

QPainter& SystemPrintDevice::painter()
{
    return pdf_ ? pdfRun_.painter() : painter_;
}

int SystemPrintDevice::pageNumber()
{
    return pdf_ ? pdfRun_.pageNumber() : pageNumber_;
}

bool SystemPrintDevice::finish(bool keep)
{
    if (!pdf_)
        return true;
    const bool done = pdfRun_.finish(keep);
    // Every run asks for its own file.
    pdfTarget_.clear();
    return done;
}

} // namespace vq::print
