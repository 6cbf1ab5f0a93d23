#pragma once
// Width of a text as a font draws it, for sizing buttons and columns.
#include <string>

#include <QFont>

namespace vq {

// Width in pixels of text (UTF-8) drawn with font, times scale, truncated
// toward zero.
int GetTextWidth(const std::string& text, const QFont& font, double scale = 1.0);

} // namespace vq
