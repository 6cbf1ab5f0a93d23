#pragma once
// Finds one of this program's top-level windows by class and caption.
#include <string>

class QWidget;

namespace vq {

// The first top-level window whose class name (letter case ignored) and
// caption match; an empty argument is no criterion. nullptr when both are
// empty or nothing matches. "desktop" asks for the desktop's icon view,
// which this program cannot reach: nullptr.
QWidget* FindWindowHandle(const std::string& className, const std::string& windowName);

} // namespace vq
