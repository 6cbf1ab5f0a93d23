#pragma once
// The interface of a screen started by name: its parameters as name=value
// lines, then Execute (modal or not) with a result whose meaning is the
// screen's own. Screens implement it beside their form class; the launcher
// finds it on the instance the registry made.
#include "ui/ScreenParams.h"

#include <cstdint>

namespace vq::ui {

class ISyoriKidou {
public:
    virtual ~ISyoriKidou() = default;
    // Runs the screen: modal shows it and waits; otherwise it is shown and 1 returned.
    virtual std::int32_t Execute(bool modal) = 0;
    // Copies the lines; reads "SyoriType" and "FormStyle".
    virtual void SetParams(const ParamLines& lines) = 0;
};

} // namespace vq::ui
