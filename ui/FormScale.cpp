#include "ui/FormScale.h"

#include <cmath>

namespace vq::ui {

std::int32_t MonthToCell(std::int32_t m)
{
    if (m >= 1 && m <= 3)
        return m - 1;
    if (m >= 4 && m <= 6)
        return m;
    if (m >= 7 && m <= 9)
        return m + 1;
    if (m >= 10 && m <= 12)
        return m + 2;
    return 0;
}

int scaleReferencePpi(int baseFontSize, int screenPpi)
{
    return baseFontSize == 10 ? screenPpi : 96;
}

namespace {

int mulDiv(int a, int b, int c)
{
    return c == 0 ? -1 : static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

} // namespace

int scaledFormPpi(int userSize, int baseSize, int screenPpi)
{
    const int reference = scaleReferencePpi(baseSize, screenPpi);
    const int a = mulDiv(userSize, screenPpi, 96);
    const int b = mulDiv(baseSize, screenPpi, 96);
    if (b <= 0 || a <= 0)
        return reference;
    const int percent = static_cast<int>(static_cast<double>(a) / b * 100.0);
    return static_cast<int>(std::lround(reference * percent / 100.0));
}

} // namespace vq::ui
