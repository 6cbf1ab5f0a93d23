#pragma once
// The program's print host: the system's printers and the "PDF file" printer
// (one device that follows the job's printer index), the platform's print
// dialog for the page range, the progress window around the page loop and
// the preview window. And the entries a report calls: preview or print a
// print-data file described by a job record, through the one shared engine.
#include "print/PrintJob.h"
#include "print/forms/SystemPrintDevice.h"

namespace vq::print {

class QtPrintHost : public PrintHost {
public:
    PrintDevice* printer(int index) override;
    int printerIndex() override { return device_.printerIndex(); }
    bool askRange(PrintDevice& device, PrintRange& range) override;
    void runLoop(PrintLoop& loop) override;
    int preview(TPrintEngine& engine) override;
    void printerSetup(PrintDevice& device) override;

    SystemPrintDevice& device() { return device_; }

private:
    SystemPrintDevice device_;
};

// The host of the program (created on first use, lives to the end).
QtPrintHost& printHost();

// Installs the engine for the program: the component's Preview and Print go
// to the preview window and the print loop, and every hint is drawn by the
// engine's hint window. Call once, after the application object exists.
void installPrintEngine();

// Previews def's job: -1 previous report, 1 next report, 0 closed, refused or
// failed (a missing file is told first).
int PreviewJob(TP360DEF& def);
// Prints def's job; true when printed.
bool PrintJob(TP360DEF& def);

} // namespace vq::print
