#pragma once
// The print entries: PrintJobStart prints a job (page range, copies,
// collation through the page-range dialog), PrintOnePage prints the
// preview's current page. What needs a window system - the printers, the
// page-range dialog, the progress window with its cancel button, the preview
// opened when printing is not permitted - comes from a PrintHost: print/forms
// gives the program's, PdfPrintHost prints into a PDF file without a window.
#include <functional>
#include <memory>
#include <string>

#include "print/PrintDevice.h"
#include "print/PrintEngine.h"
#include "print/PrintLoop.h"

namespace vq::print {

class PrintHost {
public:
    virtual ~PrintHost() = default;
    // The printer at index (-1 the default printer); nullptr when none can be
    // had (the operator cancelled the choice of a PDF file). The host owns it.
    virtual PrintDevice* printer(int index) = 0;
    // Index of the printer last handed out.
    virtual int printerIndex() = 0;
    // Shows the page-range dialog for device; false when it was cancelled.
    virtual bool askRange(PrintDevice& device, PrintRange& range) = 0;
    // Runs loop while the progress window shows.
    virtual void runLoop(PrintLoop& loop) = 0;
    // The preview of the shared job record (its close code).
    virtual int preview(TPrintEngine& engine) = 0;
    // The printer set-up dialog for device (paper, orientation).
    virtual void printerSetup(PrintDevice& device) { (void)device; }
};

// Prints def's job. True when every page went to the printer without cancel
// or failure. A failure says which (missing or unreadable file, empty data
// file name, a page that did not draw) and is logged "PRINT.開始".
// Without print permission the preview opens for def instead (every field of
// def goes into the shared record first) and the result is false.
bool PrintJobStart(TPrintEngine& engine, TP360DEF& def, PrintHost& host);

// Prints page of def's job in orientation, one copy, without the dialog.
// True when printed.
bool PrintOnePage(TPrintEngine& engine, TP360DEF& def, int page, int orientation, PrintHost& host);

// The checks both entries and the preview make before anything is shown:
// the data file exists and is print data, a named form file exists. The
// message of the first failure, empty when the job can go on.
std::string checkJobFiles(const std::string& dataFile, const std::string& formFile, bool needMagic);

// Prints into one PDF file, without windows: the range comes from askRange
// (all pages when it is not set), the loop runs at once, a preview opened for
// a job without print permission answers previewAnswer.
class PdfPrintHost : public PrintHost {
public:
    explicit PdfPrintHost(std::string pdfPath, int dpi = 300);
    ~PdfPrintHost() override;

    std::function<bool(PrintRange&)> chooseRange;
    std::function<bool()> cancelRequested;
    std::function<int(TPrintEngine&)> previewAnswer;
    std::function<void(const std::string&)> progress;

    PrintDevice* printer(int index) override;
    int printerIndex() override { return 0; }
    bool askRange(PrintDevice& device, PrintRange& range) override;
    void runLoop(PrintLoop& loop) override;
    int preview(TPrintEngine& engine) override;

    int previewsOpened() const { return previews_; }

private:
    std::string path_;
    int dpi_;
    std::unique_ptr<PrintDevice> device_;
    int previews_ = 0;
};

} // namespace vq::print
