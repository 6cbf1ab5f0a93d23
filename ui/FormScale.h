#pragma once
// The arithmetic of the base form's first show: the fiscal cell of an entry
// month and the density a screen is rescaled to for the operator's display
// font.
#include <cstdint>

namespace vq::ui {

// The 16-cell index of fiscal month m (1..12): the quarter-settlement cells
// 3, 7 and 11 are skipped; any other value gives 0.
std::int32_t MonthToCell(std::int32_t month);

// The density the design is taken to be at: the screen's, or 96 when the
// base font is not 10 points.
int scaleReferencePpi(int baseFontSize, int screenPpi);
// The screen's new density for a display font of userSize points over a base
// font of baseSize points: reference × trunc(user / base × 100) / 100,
// rounded half away from zero. A base size of 0 leaves the reference.
int scaledFormPpi(int userSize, int baseSize, int screenPpi);

} // namespace vq::ui
