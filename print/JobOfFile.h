#pragma once
// The job record a print-data file describes: its header block (title, form
// file, paper, orientation, margins, colours, form layer, copies and page
// numbering) over the defaults of a new job. What a caller needs to preview
// or print a file written earlier.
#include <string>

#include "print/TP360DEF.h"

namespace vq::print {

// Throws std::runtime_error when the file cannot be read or is no print data.
TP360DEF JobOfFile(const std::string& file);

} // namespace vq::print
