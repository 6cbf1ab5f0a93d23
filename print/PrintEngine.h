#pragma once
// The print engine's shared state: the job record in progress, the margins in
// effect, the paper stretch, the page numbering, the form-field tables and the
// message of the last printed page. The program has one (printEngine());
// the renderer takes the state it works on, so a benchmark or a test can give
// each thread or case its own.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "print/FormFields.h"
#include "print/TP360DEF.h"

namespace vq::print {

struct TPrintEngine {
    TP360DEF Job;                   // the shared job record
    std::string JobFormFile;        // files of the current job
    std::string JobDataFile;

    std::int32_t WorkLeftMargin = 0; // margins in effect, 1/10 mm
    std::int32_t WorkTopMargin = 0;
    std::int32_t WorkEvenShift = 0;  // extra left shift of even pages
    double PaperVRatio = 0;          // per mille; 0 until the first job
    double PaperHRatio = 0;
    std::int32_t PrinterPaper = 9;   // paper code of the device drawn on

    std::vector<std::string> PageNoList; // per page: "0" unnumbered, else its number
    int PageNoIndex = 1;             // 1-based entry of the page drawn next
    int PageNoTotal = 1;
    int PreviewPageTotal = 1;
    int PreviewCurrentPage = 1;

    TFormFieldTables FormFields;     // the job form's variable fields
    std::string MessageText;         // MESSAGE of the last page on the printer
    std::string DrawFailure;         // the record that stopped a page, as logged; callers clear it
    bool EngineReady = true;
};

TPrintEngine& printEngine();

// Counts the pages of file (page ends + 1). An empty name counts 1 silently;
// a missing file shows "<name> が見つかりません。" and counts 1. With rebuild
// the page-number list and total of engine are made anew.
int CountPages(TPrintEngine& engine, const std::string& file, bool rebuild);

// Rebuilds the page-number list and total of engine from a loaded file.
class PrintText;
void rebuildPageNumbers(TPrintEngine& engine, PrintText& text);

// Page count of the preview: the data pages rounded up to whole form cycles.
void PreviewPageCount(TPrintEngine& engine);

// The page-number text of format for page and total: "%d" (either case) takes
// the numbers in turn, "%%" is a percent sign; nothing else is interpreted.
std::string formatPageNumber(const std::string& format, int page, int total);
// Number of "%d" in format, ignoring case.
int pageFormatCount(const std::string& format);

} // namespace vq::print
