#pragma once
// The page loop of one print run: every sheet of the job in the shared job
// record (the form page under its data page) sent to a print device, with
// the page range, copies and collation, the paper orientation of each page,
// the pauses that MESSAGE records ask for, and cancel after any sheet.
//
// Everything that depends on the page - the even-page shift, the form page
// under it, the variable fields its "@" records use, its page number - follows
// the data page number, never the device's page counter, which restarts with
// every print job (after a pause or an orientation change). So a page prints
// as the preview shows it.
#include <functional>
#include <optional>
#include <vector>
#include <string>

#include "print/PrintDevice.h"
#include "print/PrintDataFile.h"
#include "print/PrintEngine.h"

namespace vq::print {

// What the page-range dialog answers.
struct PrintRange {
    bool pageNumbers = false; // the range choice "pages from .. to"; otherwise all pages
    int from = 1;
    int to = 1;
    int maxPage = 1;          // the highest page the dialog offers
    bool collate = false;     // the collate box
    int copies = 1;
};

class PrintLoop {
public:
    PrintLoop(TPrintEngine& engine, PrintDevice& device, const PrintRange& range, bool dialogCollate);

    // Polled after every sheet; true stops the run (the job in progress is aborted).
    std::function<bool()> cancelRequested;
    // "(Page=%d)" after every sheet, the device's page number.
    std::function<void(const std::string&)> showProgress;

    // Runs once. True when every sheet was printed and the output kept.
    bool run();

    bool cancelled() const { return cancelled_; }
    // Why the run failed (also shown or logged); empty after a good or cancelled run.
    const std::string& failure() const { return failure_; }
    // Sheets sent, copies and sets included.
    int sheetsSent() const { return sheetsSent_; }

private:
    struct Sheet {
        int page;      // data page number (1-based); beyond the data for a form-only sheet
        bool hasData;
    };

    bool openFiles();
    std::vector<Sheet> plan();
    int orientationOf(const Sheet& sheet);
    void drawSheet(const Sheet& sheet);
    void pause(const std::string& message);
    void fail(const std::string& message, bool tell);

    TPrintEngine& engine_;
    PrintDevice& device_;
    PrintRange range_;
    bool dialogCollate_;
    bool cancelled_ = false;
    std::string failure_;
    int sheetsSent_ = 0;
    PrintText data_;
    std::optional<PrintText> form_;
    std::vector<int> orientations_;
    int dataPages_ = 0;
};

} // namespace vq::print
