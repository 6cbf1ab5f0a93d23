#pragma once
// Colours as the screens store them: 0x00BBGGRR, or a system colour whose low
// byte names the system element (high byte 0x80 or 0xFF). Stored settings and
// the message catalogue keep this form, so it is converted only when drawing.
#include <QColor>

#include <cstdint>

namespace vq::ui {

using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;

// System colours (element numbers of the Windows colour table).
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clGrayText = 0x80000011;
inline constexpr TColor clBtnHighlight = 0x80000014;
inline constexpr TColor clHighlight = 0x8000000D;

constexpr TColor rgbColor(int r, int g, int b)
{
    return static_cast<TColor>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}

// The colour to draw with; system colours come from the application palette.
QColor toQColor(TColor color);

} // namespace vq::ui
