#pragma once
// The words of the print-data format turned into drawing values: colours,
// backgrounds, alignments, font styles and faces. Colours that depend on the
// job (shading, user and OCR colours, grey drawing, the form layer when it is
// not printed) are read from the job record given.
#include <cstdint>
#include <string>
#include <string_view>

#include "print/TP360DEF.h"

namespace vq::print {

// Page kinds of the renderer: a data page, the job's form layer, a form drawn
// by a FORM record. Kind::None is the lookup without a page (form fields).
enum class PageKind { None, Data, Form, SubForm };

// Background value that stands for "transparent".
inline constexpr std::int32_t kTransparent = 1;

std::int32_t StandardColor(std::int32_t code, const TP360DEF& job);
std::int32_t GrayOf(std::int32_t color, const TP360DEF& job);
std::int32_t ColorOfName(std::string_view word, PageKind kind, const TP360DEF& job);
// "1"/"OFF" transparent (kTransparent), "ON" white, otherwise ColorOfName.
std::int32_t BackOfName(std::string_view word, PageKind kind, const TP360DEF& job);
// A resolved background is drawn only when, read as signed, it is 16 or more.
inline bool isOpaqueBack(std::int32_t back) { return back >= 16; }

// 0 left, 1 centre, 2 right.
int AlignCodeOf(std::string_view word);

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool doubleUnderline = false; // "DU": a second underline 0.4 mm below
};
FontStyle FontStyleOf(std::string_view word);

// Face name as the file means it: "" is "ＭＳ 明朝", "OCR-B" the first OCR face
// installed (else "ＭＳ ゴシック"); others unchanged.
std::string FontNameOf(std::string_view name);
// The installed family that draws a face of the file: the Windows Japanese
// faces map to the IPA fonts ("@" vertical forms to the same family; the
// renderer turns the characters itself), "JAN" (no barcode font here) and
// unknown faces to the Mincho face so the text is still drawn.
std::string FamilyOfFace(std::string_view face);

// Numeric field: decimal or "$" hexadecimal; fallback when empty or not a number.
std::int32_t parseNumber(std::string_view field, std::int32_t fallback = 0);

} // namespace vq::print
