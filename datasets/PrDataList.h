#pragma once
// The printed data list: the rows a data-set screen shows, in the screen's
// order, written as print data (an A4 list with title, page number, column
// headings and one line per data set, the children of consolidated data on
// lines of their own below their parent) and handed to the preview or the
// print loop. Both the data selection screen and the shared-data screen print
// through it; they differ in the title and in how the rows are numbered.
//
// Page layout in 1/10 mm: portrait takes 55 lines a page, landscape 35 and
// the code column besides, which portrait has no room for.
#include <cstdint>
#include <string>
#include <vector>

#include "datasets/DataListRec.h"
#include "print/DefaultPrintRec.h"
#include "print/TZevev360.h"

namespace vq {

class TPrDataList {
public:
    TPrDataList();

    print::TZevev360 Printer360;
    print::TDefaultPrintRec PrintRec;
    std::int32_t ListKind = 0;          // 0 the data list (numbered by slot), 1 the shared list (1, 2, ...)
    TDataSentakuRecArray ListRows;
    std::vector<std::int32_t> ListDispIndex; // which parents print, in which order
    std::int32_t Orientation = 0;       // 0 portrait, 1 landscape

    // Writes the list and prints it (doPrint) or previews it. The two
    // integers are kept for the callers' sake and not used. A failure to
    // write the print data is raised; the half-written file is removed first.
    void Print(bool doPrint, std::int32_t unused1 = 1, std::int32_t unused2 = 1);

    // Writes the print-data file only (Print's first part); its path is
    // Printer360.DataFile afterwards.
    void WriteList();

private:
    struct Geometry {
        int rightEnd;       // right end of the rules, anchor of the page number
        int bottomRule;     // y of the rule under the last line
        int linesPerPage;
        int titleX;
    };

    void setUpComponent();
    void nextLine();
    void pageHeading();
    void lineRecords(const TDataListRec& row, const std::string& number);
    void separator();
    void text(int x, int y, const std::string& value, int size, const char* align);
    void rule(int y, int width, int penStyle);
    int lineY() const;

    Geometry geometry_{};
    std::string font_;
    int page_ = 1;
    int line_ = 0;
};

// The report font names the print record's FontNo chooses from.
const std::string& ReportFontName(std::int32_t fontNo);

} // namespace vq
