#pragma once
// The printers the engine can print to: the ones the system's print service
// knows (QPrinterInfo) and, always last, "PDF file", which writes a PDF whose
// path the operator chooses through the interaction seam. A computer without
// a print server still prints.
#include <optional>
#include <string>
#include <vector>

class QPrinter;

namespace vq::print {

inline constexpr const char* kPdfPrinterName = "PDF file";

std::vector<std::string> printerNames();
// Index of the system's default printer in printerNames(); the PDF printer
// when the system has none.
int defaultPrinterIndex();

// Points printer at printer index (-1 = default). For the PDF printer asks
// for the output file (nullopt when the operator cancels).
std::optional<std::string> selectPrinter(QPrinter& printer, int index);

} // namespace vq::print
