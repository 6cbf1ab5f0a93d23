#pragma once
// The printers of the system as the print loop's device: one of the print
// service's printers (through QPrinter and its settings, TVDBPrint) or the
// "PDF file" printer, whose file is asked for when a run starts and written
// only when the run ends well (PdfPrintDevice).
#include <memory>
#include <string>

#include <QPainter>
#include <QPrinter>

#include "print/PdfPrintDevice.h"
#include "print/PrintDevice.h"
#include "print/forms/TVDBPrint.h"

namespace vq::print {

class SystemPrintDevice : public PrintDevice {
public:
    SystemPrintDevice();
    ~SystemPrintDevice() override;

    // Index into printerNames(); -1 the default printer.
    void selectPrinter(int index);
    int printerIndex() const { return index_; }
    bool isPdf() const { return pdf_; }
    // The PDF file of the next run; asks the operator when none is set.
    // False when the operator cancels.
    bool choosePdfTarget();
    void setPdfTarget(const std::string& path) { pdfTarget_ = path; }
    QPrinter& qprinter() { return printer_; }
    // The printer set-up dialog on this printer: paper and orientation.
    void setUpPrinter();

    std::int32_t paperCode() override { return paper_; }
    void setPaperCode(std::int32_t code) override;
    int orientation() override { return orientation_; }
    void setOrientation(int orientation) override;
    PrintableArea printableArea() override;
    int dpiX() override;
    int dpiY() override;
    bool makesCopies() override { return !pdf_; }
    int copies() override { return copies_; }
    void setCopies(int copies) override;
    void applyJob(const TP360DEF& job) override;
    void readBack(TP360DEF& job) override;
    std::int32_t paperNumber(const std::string& name, std::int32_t length, std::int32_t width,
                             std::int32_t def) override;
    void setDocTitle(const std::string& title) override;
    void beginJob() override;
    void newPage() override;
    void endJob() override;
    void abortJob() override;
    QPainter& painter() override;
    int pageNumber() override;
    bool finish(bool keep) override;

private:
    QPrinter printer_{QPrinter::HighResolution};
    TVDBPrint vdb_{printer_};
    PdfPrintDevice pdfRun_{std::filesystem::path()};
    QPainter painter_;
    int index_ = -1;
    bool pdf_ = true;
    std::string pdfTarget_;
    std::int32_t paper_ = 9;
    int orientation_ = 0;
    int copies_ = 1;
    int pageNumber_ = 0;
};

} // namespace vq::print
