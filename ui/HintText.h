#pragma once
// Hints are two-part texts, "short|long": the tooltip shows the short part,
// the screen's hint memo the long one.
#include <string>
#include <string_view>

namespace vq::ui {

// The text the hint memo shows for hint: everything after the first "|", or
// the whole hint when it has no "|"; an empty hint gives an empty text.
std::string longHintOf(std::string_view hint);

} // namespace vq::ui
