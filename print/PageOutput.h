#pragma once
// Whole sheets of a job: a data page over its form page, drawn into an image
// (preview, benchmark, tests) or every page into a PDF file (the "PDF file"
// printer). The form cycles under the data pages; each page takes the
// orientation its ORIENTATION record gives, so one document mixes portrait
// and landscape pages.
#include <filesystem>
#include <optional>
#include <vector>

#include <QImage>

#include "print/PageRenderer.h"
#include "print/PrintEngine.h"

namespace vq::print {

// The open files of a job: the data file with its page index, the form file
// (when the job has one) and the orientation of every data page.
class JobFiles {
public:
    // Loads the job's data and form files. Throws std::runtime_error when the
    // data file cannot be read or lacks the "*ZEVEV360*" magic.
    explicit JobFiles(const TP360DEF& job);

    int dataPages() { return static_cast<int>(data_.pageStarts().size()); }
    int formPages() { return form_ ? static_cast<int>(form_->pageStarts().size()) : 0; }
    // From the page's own ORIENTATION record, read through the page index.
    int orientationOf(int page);
    PrintText& data() { return data_; }
    PrintText* form() { return form_ ? &*form_ : nullptr; }

private:
    PrintText data_;
    std::optional<PrintText> form_;
    int defaultOrientation_ = 0;
};

// Prepares engine for drawing job (its files loaded) on a device that holds
// the job's own paper: the shared record, margins without an unprintable
// edge, the stretch of the job paper, the form's variable fields and the
// page numbers.
void prepareJob(TPrintEngine& engine, const TP360DEF& job, JobFiles& files);

// Draws sheet `page` (1-based): the form page of the cycle, then the data page.
void drawSheet(TPrintEngine& engine, JobFiles& files, int page, const DrawTarget& target);

// The sheet as an image of the paper at dpi, white background.
QImage renderSheet(TPrintEngine& engine, JobFiles& files, int page, int dpi, bool onPrinter = false);

// Prints pages from..to (0 = to the end) of the job into a PDF file at dpi,
// with the job's copies (collated as whole sets when its Collate is 1).
// Throws std::runtime_error when the file cannot be written.
void printToPdf(TPrintEngine& engine, const TP360DEF& job, const std::filesystem::path& pdf, int from = 1,
                int to = 0, int dpi = 600);

} // namespace vq::print
