#pragma once
// The page-range form of the print loop: it carries the platform's print
// dialog with page numbers allowed - first and last page, the range choice
// (all pages or page numbers), copies and the collate box - for the printer
// the job prints on. It is never shown itself.
#include <functional>

#include "print/PrintLoop.h"

namespace vq::print {

class SystemPrintDevice;

class TStartPrintDlg {
public:
    explicit TStartPrintDlg(SystemPrintDevice& device);

    // Shows the print dialog with range's pages; on OK range holds the
    // choice and the device its printer, copies and collation. False when
    // the operator cancels.
    bool Execute(PrintRange& range);

    // Answers the dialog in place of the operator (tests and scripted runs):
    // it gets the range offered and returns false to cancel.
    using Answer = std::function<bool(PrintRange&)>;
    static void setAnswer(Answer answer);

private:
    SystemPrintDevice& device_;
};

} // namespace vq::print
