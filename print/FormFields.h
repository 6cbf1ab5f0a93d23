#pragma once
// Variable fields of a form file: named positions with their font, colour and
// alignment, so a data page can place a value by name ("@" records). The
// definitions ("&" records) are kept per form page, five pages of 202 fields:
// field 0 is the page's row-pitch field, 1..199 the definitions in file order.
// Totals ("$" records) are kept as well; nothing draws them.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "print/TP360DEF.h"

namespace vq::print {

struct TDataField {
    std::int32_t UseCount = 0;      // uses on the current page
    std::string Name;               // upper case
    std::int32_t X = 0, Y = 0;      // 1/10 mm, load offset included
    std::string FontName = "ＭＳ 明朝";
    std::int32_t Size = 10;         // points
    std::string Style;              // upper case
    std::int32_t Color = 0;
    std::int32_t Back = 0;          // 1 = transparent
    std::int32_t Align = 0;         // 0 left, 1 centre, 2 right
    std::int32_t Width = 0;         // spread width; in field 0 the row pitch
    std::int32_t Once = 0;          // 1: drawn only at the first use on a page with a row pitch
    std::int32_t Mode = 0;          // 1: y is the middle of the text
};

struct TFormTotal {
    std::string Name;
    std::int32_t X = 0, Y = 0;
    bool Used = false;
};

inline constexpr int kFormPages = 5;
inline constexpr int kFieldsPerPage = 202;

struct TFormFieldTables {
    std::array<std::array<TDataField, kFieldsPerPage>, kFormPages> Fields;
    std::array<std::vector<TFormTotal>, kFormPages> Totals;
    int FormPageCount = 0;          // page ends read by the last load (0..5)

    void clear();
    // Index 1..100 of the first field of page named name (upper-cased), 0 when
    // none. A page outside the tables is taken as the last page they hold.
    int FindVariableField(int page, std::string_view name) const;
    // The page index to use for a form page number: clamped to 0..4.
    static int clampPage(int page);
};

// Clears the tables and loads the definitions of file, adding (x, y) to every
// position. A missing file leaves them empty. A failure is logged
// ("ImageOut.HensuuYomikomi") and passed on.
// Colours resolve with the job's colour settings, without a page kind.
bool HensuuYomikomi(TFormFieldTables& tables, const std::filesystem::path& file, int x, int y, const TP360DEF& job);

} // namespace vq::print
