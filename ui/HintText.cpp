#include "ui/HintText.h"

namespace vq::ui {

std::string longHintOf(std::string_view hint)
{
    const auto bar = hint.find('|');
    if (bar == std::string_view::npos)
        return std::string(hint);
    return std::string(hint.substr(bar + 1));
}

} // namespace vq::ui
