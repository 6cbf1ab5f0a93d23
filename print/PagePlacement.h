#pragma once
// Where the printable area lies on the paper: the one rule the print loop and
// the preview share, so a page sits in the same place on both. The paper edge
// is taken to be outside the printable area by the same amount on both sides.
// A paper the paper table does not know is taken as the printable area with
// 10 mm all round - unless the device prints to the edge of its sheet (a PDF
// file), whose printable area is the paper itself.
#include <cstdint>

#include "print/PaperTable.h"

namespace vq::print {

struct PagePlacement {
    int paperWidth = 0;   // mm, in the orientation given
    int paperHeight = 0;
    int borderX = 0;      // 1/10 mm from the paper edge to the printable area
    int borderY = 0;
};

PagePlacement placePage(std::int32_t paperCode, int orientation, PrintableArea printable, bool toEdge = false);

} // namespace vq::print
