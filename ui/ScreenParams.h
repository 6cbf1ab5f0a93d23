#pragma once
// The parameters a screen started by name receives: name=value lines. Every
// such screen reads "SyoriType" and "FormStyle"; the launcher appends the
// FormStyle line itself (2 for a modal start, 0 otherwise).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vq::ui {

// How a started screen is shown. fsNormal is an ordinary (modal-capable)
// window; the MDI kinds have no MDI frame in this program and show as normal
// windows too; fsStayOnTop stays above the others.
enum TFormStyle { fsMDIChild, fsMDIForm, fsNormal, fsStayOnTop };

using ParamLines = std::vector<std::string>;

// One line per "\r", "\n" or "\r\n"; empty lines are skipped.
ParamLines splitParamLines(std::string_view text);
// The value of the first line "name=value" (name compared without regard to
// letter case); nothing when no line names it.
std::optional<std::string> paramValue(const ParamLines& lines, std::string_view name);
// "SyoriType" as a number of 0 or more; nothing when missing or not a number.
std::optional<std::int32_t> syoriTypeOf(const ParamLines& lines);
// "FormStyle": missing or 0 fsMDIChild, 1 fsMDIForm, 2 fsNormal, any other
// number fsStayOnTop (a value that is no number counts as missing).
TFormStyle formStyleOf(const ParamLines& lines);
// The line the launcher appends: "FormStyle=2" for a modal start, else "FormStyle=0".
std::string formStyleLine(bool modal);

} // namespace vq::ui
