#pragma once
// The screens were laid out at 96 dpi with "ＭＳ Ｐゴシック" (13 pixels). Here the
// designed Windows faces map to the IPA fonts (fonts-ipafont-gothic and
// -mincho) and designed pixel values scale to the screen's density.
#include <QFont>
#include <QString>

namespace vq::ui {

inline constexpr int designPpi = 96;

// The face to use for a designed face name ("ＭＳ Ｐゴシック" -> "IPAPGothic").
// Unknown names come back unchanged.
QString mapFontFamily(const QString& designName);

// Registers the mapping with Qt's font lookup, so a font asked for by its
// designed name finds the IPA face. Safe to call repeatedly.
void installFontSubstitutions();

// Logical density of the primary screen (96 without a screen).
int screenPpi();

// A value designed at 96 dpi on this screen, truncated as the screens did.
int scaledFromDesign(int designValue);

// The form font: "ＭＳ Ｐゴシック" of the given designed pixel height.
QFont formFont(int designPixelHeight = 13);

} // namespace vq::ui
