#pragma once
// The page renderer: draws one page of a print-data or form file on any paint
// device through a QPainter - a preview image, a PDF page or a printer page.
// Positions in the file are 1/10 mm; the target says how many device units
// that is. It reads the page's lines, adds the page number, draws the filled
// backgrounds (FRECT mode 1) first and then every record in file order.
//
// What Linux has no reader for is logged and skipped: Windows metafile images
// (.WMF, .EMF) and CHART records. The barcode font "JAN" does not exist here;
// its text is drawn as text.
#include "print/PrintColors.h"
#include "print/PrintDataFile.h"
#include "print/PrintEngine.h"

#include <functional>

class QFont;
class QPaintDevice;
class QPainter;
class QTransform;

namespace vq::print {

struct DrawTarget {
    QPainter* painter = nullptr;
    bool onPrinter = false;  // the printer's page (printing, the PDF printer); preview otherwise
    int dpi = 254;           // resolution for font sizes
    double xScale = 1.0;     // device units per 1/10 mm
    double yScale = 1.0;
    int zoom = 10;           // tenths, 10 = 100 %
    // What lies under this page on the sheet (the form page under a data
    // page), drawn again onto another target whose painter maps this device
    // through the transform given. A device that cannot combine colours (a
    // PDF, a printer) tints by drawing what lies under the tint into an
    // image; without this the tint combines with the page's own records only.
    std::function<void(const DrawTarget&, const QTransform&)> drawUnder;

    // A target of dpi dots per inch in both directions.
    static DrawTarget atDpi(QPainter* painter, int dpi, bool onPrinter);
};

// FORM records nest at most this deep, and a page draws at most this many
// forms in all; a form already being drawn (one naming itself, or a ring of
// forms) is refused. Each refusal is logged once a page.
inline constexpr int kMaxFormDepth = 8;
inline constexpr int kMaxFormsPerPage = 64;

// Draws the page of f that starts at f's position and leaves f after it.
// formPage selects the variable fields "@" records use (clamped to the tables
// held). Returns false when the page ended with an "E" record, true when the
// file ended first. A failing record stops the page; it is logged as
// "ImageOut.(KEYWORD):message".
bool DrawPage(TPrintEngine& engine, PageKind kind, PrintText& f, const DrawTarget& target, bool evenPage,
              int formPage, int offsetX = 0, int offsetY = 0);

// Nearest integer, ties to even.
int nearest(double v);

// The distance from the top of a text's cell to its baseline for font (its
// pixel size the letter height) on device.
int cellAscent(const QFont& font, QPaintDevice* device);

} // namespace vq::print
