#include "print/PagePlacement.h"

#include <cmath>
#include <utility>

namespace vq::print {

PagePlacement placePage(std::int32_t paperCode, int orientation, PrintableArea printable, bool toEdge)
{
    const PaperSizeMM mm = PaperMM(paperCode, printable);
    PagePlacement p;
    if (toEdge) {
        p.paperWidth = printable.width;
        p.paperHeight = printable.height;
    } else if (mm.fromPrinter) {
        p.paperWidth = printable.width + 20;
        p.paperHeight = printable.height + 20;
    } else {
        p.paperWidth = mm.width;
        p.paperHeight = mm.height;
        if (orientation == 1)
            std::swap(p.paperWidth, p.paperHeight);
    }
    p.borderX = static_cast<int>(std::nearbyint((p.paperWidth - printable.width) / 2.0)) * 10;
    p.borderY = static_cast<int>(std::nearbyint((p.paperHeight - printable.height) / 2.0)) * 10;
    return p;
}

} // namespace vq::print
