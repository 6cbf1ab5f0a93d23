#pragma once
// Display arithmetic without a window: grey colours for monochrome prints,
// scaling of designed sizes to the screen's pixel density, and the frame
// correction of the base form. Text widths need a font and live with the
// screens (ui/).
#include <cstdint>
#include <functional>

namespace vq {

// COLORREF ($00BBGGRR). White and black stay; any other colour becomes the
// grey of the mean of its red, green and blue bytes.
std::int32_t ToGrayColor(std::int32_t color);

// The pixel density used when a caller passes 0 as the design density (the
// main form's, or the screen's before there is one). The screens install it;
// without one it is 96.
void SetScreenPpiProvider(std::function<int()> provider);

// value * (currentPpi / designPpi) truncated; equal densities give value.
std::int32_t ScaleToPpi(std::int32_t value, std::int32_t currentPpi, std::int32_t designPpi);

// With c = SystemDef.FrameHeight (the sizing frame's height): when 2c is 8 or
// at most 6, value; else kind 0 gives value - 2c + 8, kind 1 value - 4c + 16,
// other kinds value.
std::int32_t AdjustForFrameWidth(std::int32_t value, std::uint8_t kind);

} // namespace vq
