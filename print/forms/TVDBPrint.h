#pragma once
// Printer settings of the printer the engine prints on: paper, user-defined
// paper size, copies, collation, colour, duplex and resolution, read into and
// applied from a job record; and finding a printer paper by name or size.
// Works on one QPrinter (the engine's). Every failure is logged ("Vdb.<op>")
// and the operation returns its default.
#include <cstdint>
#include <string>

#include "print/TP360DEF.h"

class QPrinter;

namespace vq::print {

class TVDBPrint {
public:
    // Selects the default printer (the PDF printer when the system has none).
    explicit TVDBPrint(QPrinter& printer);

    bool NoDefaultPrinter = false;

    std::int32_t GetPaper();                       // Windows paper code; 9 on failure
    void SetPaper(std::int32_t code);
    void SetTTOption(std::int32_t value);          // fonts always travel as outlines here
    void SetUserPaperSize(std::int32_t length, std::int32_t width); // 1/10 mm
    void ResetUserPaperSize();
    void GetDevMode(TP360DEF& def);
    void SetDevMode(const TP360DEF& def);
    // The code of the first printer paper named name exactly, else of the first
    // within 1 mm of length x width (both > 0), else def.
    std::int32_t GetPaperNumber(const std::string& name, std::int32_t length, std::int32_t width, std::int32_t def);

    QPrinter& printer() { return printer_; }

private:
    QPrinter& printer_;
    std::int32_t paperCode_ = 9;
    std::int32_t ttOption_ = 1;
};

} // namespace vq::print
