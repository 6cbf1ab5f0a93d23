#include "foundation/text/DisplayUtils.h"

#include "foundation/app/SystemDef.h"

#include <utility>

namespace vq {
namespace {

std::function<int()>& ppiProvider()
{
    static std::function<int()> provider;
    return provider;
}

int screenPpi()
{
    int ppi = ppiProvider() ? ppiProvider()() : 96;
    return ppi > 0 ? ppi : 96;
}

} // namespace

std::int32_t ToGrayColor(std::int32_t color)
{
    auto c = static_cast<std::uint32_t>(color);
    std::uint32_t r = c & 0xFF;
    std::uint32_t g = (c >> 8) & 0xFF;
    std::uint32_t b = (c >> 16) & 0xFF;
    if ((r == 255 && g == 255 && b == 255) || (r == 0 && g == 0 && b == 0))
        return color;
    // A sum divided by 3 is never exactly half way, so plain rounding is exact.
    std::uint32_t grey = (r + g + b + 1) / 3;
    return static_cast<std::int32_t>(grey | (grey << 8) | (grey << 16));
}

void SetScreenPpiProvider(std::function<int()> provider)
{
    ppiProvider() = std::move(provider);
}

std::int32_t ScaleToPpi(std::int32_t value, std::int32_t currentPpi, std::int32_t designPpi)
{
    if (designPpi == 0)
        designPpi = screenPpi();
    if (currentPpi == designPpi)
        return value;
    return static_cast<std::int32_t>(static_cast<double>(value) *
                                     (static_cast<double>(currentPpi) / static_cast<double>(designPpi)));
}

std::int32_t AdjustForFrameWidth(std::int32_t value, std::uint8_t kind)
{
    std::int32_t c = SystemDef.FrameHeight;
    if (2 * c == 8 || 2 * c <= 6)
        return value;
    if (kind == 0)
        return value - 2 * c + 8;
    if (kind == 1)
        return value - 4 * c + 16;
    return value;
}

} // namespace vq
