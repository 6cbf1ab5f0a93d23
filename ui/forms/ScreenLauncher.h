#pragma once
// Starting a registered screen by name, as a host installs it into
// StartProcessProc: the screen gets the caller's name=value lines and
// "FormStyle=2" (modal) or "FormStyle=0", then runs.
#include <cstdint>
#include <string>

namespace vq::ui {

// -1 at once for an empty name or while the hourglass shows (another start
// is under way). A name that is not registered, or a screen without the
// screen interface, shows "処理を起動するためのインターフェースが実装されていません。…"
// and gives -1. Otherwise the screen's Execute(mode == 1) result. The
// cursor is back to normal afterwards in every case.
std::int32_t StartRegisteredProcess(const std::string& name, std::int32_t mode, const std::string& params);

} // namespace vq::ui
