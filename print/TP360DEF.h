#pragma once
// The print job record: what a report hands to the preview, the print loop and
// the page renderer. One shared instance (TPrintEngine::Job) holds the job in
// progress and the last job's settings between jobs; the component fills it.
//
// Texts are UTF-8 and kept whole: a long Japanese path or title is never cut.
// Colours are 0x00BBGGRR values; positions and margins are in 1/10 mm.
#include <cstdint>
#include <string>

namespace vq::print {

// The engine's version, written into every print-data file.
inline constexpr const char* kEngineVersion = "VCL.2.5";

// Default OCR colours (the seven form-drawing colours).
inline constexpr std::int32_t kOcrGreen = 0x2CBE00;
inline constexpr std::int32_t kOcrBlue = 0xAC661F;
inline constexpr std::int32_t kOcrPink = 0x7F02F0;
inline constexpr std::int32_t kOcrBrown = 0x23234D;
inline constexpr std::int32_t kOcrOrange = 0x41B3FE;
inline constexpr std::int32_t kOcrViolet = 0x903D57;
inline constexpr std::int32_t kOcrPurple = 0x741A82;

// Page-number printing of a job.
struct TPAGEBANGO {
    bool Switch = false;            // page numbers on
    std::int32_t Left = 0;          // position of the number, 1/10 mm
    std::int32_t Top = 0;
    std::int32_t Alignment = 2;     // 0 left, 1 centre, 2 right
    std::string FontName = "ＭＳ 明朝";
    std::int32_t FontSize = 10;     // points
    std::string Format = "(%d/%d)"; // one or two %d: page number, total
    std::int32_t FormatCount = 0;   // number of %d in Format
};

struct TP360DEF {
    std::string FormFile;           // form file under every data page; empty = none
    std::string DataFile;           // print-data file
    std::string Title;              // preview caption
    std::string DeviceName;         // read back from the printer
    std::string FormName;           // printer paper name read back from the printer
    std::string DocTitle;           // spooler document title
    std::int32_t PrinterNum = -1;   // printer index, -1 the default printer
    std::int32_t PaperSize = 9;     // Windows paper code (9 = A4)
    std::int32_t OutPutPaper = 0;   // when not 0, the code set on the printer instead
    std::int32_t VRATIO = 1000;     // stretch per mille when printer paper = job paper
    std::int32_t HRATIO = 1000;
    std::string PaperName = "A4";
    std::int32_t Orientation = 0;   // 0 portrait, 1 landscape
    std::int32_t TopMargin = 0;
    std::int32_t LeftMargin = 0;
    std::int32_t EvenLeftMargin = 0; // extra left shift of even pages
    std::int32_t TopCorrect = 0;    // printer only
    std::int32_t LeftCorrect = 0;
    std::int32_t FormTopMargin = 0; // form layer only
    std::int32_t FormLeftMargin = 0;
    std::int32_t BinNum = 7;
    std::int32_t NetColor1 = 0xC0C0C0; // shading "薄網掛", code 40
    std::int32_t NetColor2 = 0xC0C0C0; // shading "濃網掛", code 41
    std::int32_t UserColor1 = 0;    // "UCOLOR1", code 42
    std::int32_t UserColor2 = 0;    // "UCOLOR2", code 43
    std::int32_t OcrGreen = kOcrGreen;
    std::int32_t OcrBlue = kOcrBlue;
    std::int32_t OcrBrown = kOcrBrown;
    std::int32_t OcrPink = kOcrPink;
    std::int32_t OcrOrange = kOcrOrange;
    std::int32_t OcrViolet = kOcrViolet;
    std::int32_t OcrPurple = kOcrPurple;
    bool PrintFom = true;           // print the form layer (off: preview greys it)
    bool PrnDlg = true;             // show the print dialog
    std::int32_t Zoom = 10;         // tenths, 10 = 100 %
    bool SizeChange = false;
    bool ImageOut = false;
    bool CurrentPage = true;
    bool PrevPaperButton = false;
    bool NextPaperButton = false;
    bool ModeSw = true;
    std::int32_t PaperLength = 2970;
    std::int32_t PaperWidth = 2100;
    std::int32_t Scale = 100;       // percent
    std::int32_t Copies = 1;
    std::int32_t PrintQuality = -4;
    std::int32_t ColorMode = 0;     // 0 printer's own, 1 monochrome, 2 colour
    std::int32_t Duplex = 1;
    std::int32_t Collate = 0;
    std::int32_t YResolution = 0;
    bool Permit = true;             // printing allowed
    bool GrayScale = false;         // draw every colour as its grey
    std::uint32_t DevModeFields = 0;
    TPAGEBANGO PageBango;
};

} // namespace vq::print
