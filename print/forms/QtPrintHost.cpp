#include "print/forms/QtPrintHost.h"

#include "print/TZevev360.h"
#include "print/forms/TBigHintWindow.h"
#include "print/forms/TImageDispForm.h"
#include "print/forms/TNowPrintingdlg.h"
#include "print/forms/TStartPrintDlg.h"

#include <QApplication>

namespace vq::print {

PrintDevice* QtPrintHost::printer(int index)
{
    if (index != device_.printerIndex()) {
        const std::int32_t paper = device_.paperCode();
        device_.selectPrinter(index);
        device_.setPaperCode(paper);
    }
    return &device_;
}

bool QtPrintHost::askRange(PrintDevice&, PrintRange& range)
{
    TStartPrintDlg dialog(device_);
    return dialog.Execute(range);
}

void QtPrintHost::runLoop(PrintLoop& loop)
{
    // The PDF printer's file is asked for once the page range is known.
    if (device_.isPdf() && !device_.choosePdfTarget())
        return;
    TNowPrintingdlg dialog(loop, QApplication::activeWindow());
    dialog.exec();
}

int QtPrintHost::preview(TPrintEngine& engine)
{
    return PreviewStart(engine, engine.Job, *this);
}

void QtPrintHost::printerSetup(PrintDevice&)
{
    device_.setUpPrinter();
}

QtPrintHost& printHost()
{
    static QtPrintHost host;
    return host;
}

void installPrintEngine()
{
    TBigHintWindow::install();
    TZevev360::installRunners([](TP360DEF& def) { return PreviewJob(def); },
                              [](TP360DEF& def) { return PrintJob(def); });
}

int PreviewJob(TP360DEF& def)
{
    return PreviewStart(printEngine(), def, printHost());
}

bool PrintJob(TP360DEF& def)
{
    return PrintJobStart(printEngine(), def, printHost());
}

} // namespace vq::print
