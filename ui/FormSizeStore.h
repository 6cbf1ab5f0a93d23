#pragma once
// Window bounds of the library's screens kept per operator and form name in
// the system database (FORMRSIZE). A row is made the first time an operator
// opens a screen; DEFHEIGHT and DEFWIDTH keep the size it was made with.
#include <optional>
#include <string>

namespace vq::ui {

struct FormBounds {
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
    bool operator==(const FormBounds&) const = default;
};

// The stored bounds of formName for SystemDef.OPCODE. Without a row, a row
// with firstBounds is inserted and firstBounds returned. Nothing when there
// is no system database or a database error came (it is logged, not shown:
// the screen keeps the bounds it has).
std::optional<FormBounds> GetFormSize(const std::string& formName, const FormBounds& firstBounds);
// Stores bounds for formName and the operator; false on a database error
// (logged, not shown) or without a system database.
bool PutFormSize(const std::string& formName, const FormBounds& bounds);

} // namespace vq::ui
