#pragma once
// Paper sizes by Windows paper code and the stretch factors that fit a job
// made for one paper onto another.
//
// Code 12 is JIS B4 (257 x 364 mm), the B4 of Japanese offices and the paper
// Windows means by 12; its stretch factors come from the JIS size the same way
// as every other row: printer height / job height and printer width / job
// width, in per mille.
#include <cstdint>
#include <optional>

#include <QPageSize>

namespace vq::print {

struct PaperSizeMM {
    int width = 0;        // portrait width, mm
    int height = 0;
    bool fromPrinter = false; // not a code of the table: the printer's printable area
};

// The printer's printable area in mm (what the device reports).
struct PrintableArea {
    int width = 0;
    int height = 0;
};

// Sizes of the table; any other code gives the printable width and the
// printable height + 20, with fromPrinter set.
PaperSizeMM PaperMM(std::int32_t code, PrintableArea printable = {});

// The paper of a code for a Qt device: the table's, else the Windows paper of
// that code (Letter, postcards, envelopes ...), else userSize (mm, portrait)
// when it is given, else A4.
QPageSize pageSizeOfCode(std::int32_t code, PrintableArea userSize = {});
// The same paper in whole millimetres, portrait.
PrintableArea sheetOfCode(std::int32_t code, PrintableArea userSize = {});

struct PaperRatios {
    double vertical = 1000; // per mille
    double horizontal = 1000;
};
// Factors for a job paper printed on a printer paper: the job's own VRATIO and
// HRATIO when both are the same paper, the table's factors for a known pair,
// and 1000 (no stretch) for any other pair.
PaperRatios PaperRatio(std::int32_t jobPaper, std::int32_t printerPaper, std::int32_t vratio, std::int32_t hratio);

} // namespace vq::print
