#pragma once
// The print options of one report as the print-option dialog asks them, and
// the monochrome conversion of the print component's colours.
#include <cstdint>
#include <string>

namespace vq::print {

class TZevev360;

struct TDefaultPrintRec {
    std::string ReportName;         // also the key of the report's colour row
    std::int32_t Colour = 0;        // 0 black and white, 1 colour
    std::int32_t StartPage = 1;     // number printed on the first page
    bool Duplex = false;            // even pages take the margin on the right
    std::int32_t FontNo = 0;        // index into the print font names
    std::int32_t TitleSize = 16;
    std::int32_t HeadSize = 9;
    std::int32_t BodySize = 10;
    std::int32_t LineColor1 = 0;    // frame lines ($BBGGRR)
    std::int32_t LineColor2 = 0;    // grid lines
    std::int32_t NetColor1 = 0;     // heading-row shading
    std::int32_t NetColor2 = 0;     // total-row shading
    std::string Settings;           // name=value lines ("C010=1" colour, "C020=1" duplex)
};

// Defaults, with the four colours from the operator's settings (SystemDef).
void InitDefaultPrintRec(TDefaultPrintRec& rec);

// "020-" + report name, upper-cased, as its rightmost 40 CP932 bytes, trimmed.
std::string MakeStyleName(const std::string& reportName);

// For a black-and-white print (colour 0): the user and OCR colours become
// black and the two shading colours their greys. Colour prints are left alone.
void ApplyMonoPrintColors(std::int32_t colour, TZevev360& print);

} // namespace vq::print
