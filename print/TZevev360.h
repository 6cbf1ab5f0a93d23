#pragma once
// The print component: a report's settings and the writer of its print-data
// file. A caller configures it, opens the file (DataOpen), writes records and
// page ends, closes it (DataClose) and hands the job to the preview or the
// print loop (Preview, Print), which the program installs as runners.
//
// Texts are UTF-8 here and CP932 in the file. A text never carries a raw
// double quote or a line break into a record: the renderer would drop the
// quote and the line break would split the record, so '"' becomes "＂" and
// CR/LF become blanks; ';' becomes ':' as it always did.
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include "print/TP360DEF.h"

namespace vq::print {

class TZevev360 {
public:
    TZevev360();
    ~TZevev360();
    TZevev360(const TZevev360&) = delete;
    TZevev360& operator=(const TZevev360&) = delete;

    // ---- Settings (plain ones are fields; checked ones have setters) ----
    std::string DataFile;
    std::string FormFile;
    std::string Title;
    std::string DocTitle;
    std::int32_t OcrGreen = kOcrGreen, OcrBlue = kOcrBlue, OcrPink = kOcrPink, OcrBrown = kOcrBrown,
                 OcrOrange = kOcrOrange, OcrViolet = kOcrViolet, OcrPurple = kOcrPurple;
    std::int32_t Orientation = 0;
    std::int32_t PaperSize = 9;
    std::int32_t OutPutPaper = 0;
    std::string PaperName = "A4";
    std::int32_t LeftMargin = 0, TopMargin = 0, EvenLeftMargin = 0;
    std::int32_t LeftCorrect = 0, TopCorrect = 0;
    std::int32_t FormLeftMargin = 0, FormTopMargin = 0;
    std::int32_t PageNo = 1;
    bool PrintFom = true;
    bool PrnDlg = true;
    std::int32_t PrinterNum = -1;
    std::int32_t BinNum = 0;
    std::int32_t NetColor1 = 0xC0C0C0, NetColor2 = 0xC0C0C0;
    std::int32_t UserColor1 = 0, UserColor2 = 0;
    bool SizeChange = false;
    std::int32_t PaperLength = 2970, PaperWidth = 2100;
    bool ModeSw = false;
    bool Permit = true;
    std::int32_t PosCenter = 0;
    bool CurrentPage = true;
    bool ImageOut = false;
    std::int32_t LineMaxCount = 0;
    bool DelFile = true;
    std::int32_t BlankPage = 0;
    bool GrayScale = false;
    bool PageBango = false;
    std::int32_t PageBangoLeft = 0, PageBangoTop = 0;
    std::string PageBangoFontName = "ＭＳ 明朝";
    std::int32_t PageBangoFontSize = 10;
    std::int32_t PageBangoAlignment = 2; // 0 left, 1 centre, 2 right
    bool PrevPaperButton = false, NextPaperButton = false;

    std::int32_t Copie() const { return copie_; }
    void setCopie(std::int32_t v);          // 1..99, else unchanged
    std::int32_t Zoom() const { return zoom_; }
    void setZoom(std::int32_t v);           // 5..20, else unchanged
    std::int32_t Scale() const { return scale_; }
    void setScale(std::int32_t v);          // 50..150, else unchanged
    std::int32_t PrintQuality() const { return printQuality_; }
    void setPrintQuality(std::int32_t v);   // -4..-1, else unchanged
    std::int32_t ColorMode() const { return colorMode_; }
    void setColorMode(std::int32_t v);      // above 2 becomes 0
    std::int32_t Duplex() const { return duplex_; }
    void setDuplex(std::int32_t v);         // 1..3, else unchanged
    std::int32_t Collate() const { return collate_; }
    void setCollate(std::int32_t v);        // 0 or 1, else unchanged
    std::int32_t VRATIO() const { return vratio_; }
    void setVRATIO(std::int32_t v);         // -50..50 is 1000 + v; 950..1050 kept; else 1000
    std::int32_t HRATIO() const { return hratio_; }
    void setHRATIO(std::int32_t v);
    const std::string& PageBangoFormat() const { return pageFormat_; }
    // One or two %d; anything else switches page numbers off and resets the format.
    void setPageBangoFormat(const std::string& format);
    int PageBangoFormatCount() const { return pageFormatCount_; }
    const std::string& OcrFontName() const { return ocrFontName_; }
    void setOcrFontName(const std::string& name);
    std::int32_t PreviewCloseNum() const { return previewCloseNum_; }

    // ---- Writing ----
    void DataOpen(bool useTempName);
    void WriteHeader();
    void TextOut(int x, int y, const std::string& text, const std::string& fontName, int size,
                 const std::string& style, const std::string& color, const std::string& back,
                 const std::string& align, int width);
    void LineOut(int x1, int y1, int x2, int y2, int width, int penStyle, const std::string& color, bool eline);
    void BoxOut(int x1, int y1, int x2, int y2, int width, int penStyle, const std::string& penColor,
                const std::string& brushColor, int brushStyle);
    void NewPage();
    void DataClose();

    // The settings as a job record (texts whole, EvenLeftMargin as the shift).
    void FillJob(TP360DEF& job) const;

    // ---- Hand-over ----
    // Preview returns -1 previous report, 1 next report, 0 closed; Print true
    // when printed. The program installs them; without one nothing is shown.
    using PreviewRunner = std::function<int(TP360DEF&)>;
    using PrintRunner = std::function<bool(TP360DEF&)>;
    static void installRunners(PreviewRunner preview, PrintRunner print);
    bool Preview();
    bool Print();

    // The text TextOut writes for text fitted to width bytes (tested alone).
    static std::string fitText(const std::string& text, const std::string& align, int width);
    // '"' -> "＂", CR/LF -> blank, ';' -> ':'.
    static std::string recordText(const std::string& text);

private:
    void writeLine(const std::string& utf8);
    void afterHandOver();

    std::int32_t copie_ = 1, zoom_ = 10, scale_ = 100, printQuality_ = 0, colorMode_ = 0, duplex_ = 0,
                 collate_ = 0, vratio_ = 1000, hratio_ = 1000;
    std::string pageFormat_ = "(%d/%d)";
    int pageFormatCount_ = 2;
    std::string ocrFontName_;
    std::int32_t previewCloseNum_ = 0;
    std::ofstream file_;
    bool headerWritten_ = false;
};

} // namespace vq::print
