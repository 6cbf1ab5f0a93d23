#pragma once
// The rules of the password dialog, without a window: which characters a
// password box takes, and whether a set or change request may be accepted.
// Passwords are ASCII letters and digits, at most PasswordMaxLength of them.
#include <string>

namespace vq::ui {

inline constexpr int PasswordMaxLength = 10;

// Enter, Backspace, '0'-'9', 'A'-'Z', 'a'-'z' pass; every other key is dropped.
bool PasswordKeyAllowed(char32_t key);

enum class PasswordFocus { None, Current, FirstNew };

struct PasswordCheck {
    bool accepted = false;
    std::string message;   // the warning to show when not accepted
    PasswordFocus focus = PasswordFocus::None;
};

// hasCurrent: change mode (the current password must be typed exactly, letter
// case included); otherwise set mode and `typedCurrent` is ignored. Blank-only
// entries (half- or full-width) count as empty.
PasswordCheck CheckNewPassword(bool hasCurrent, const std::string& currentPassword, const std::string& typedCurrent,
                               const std::string& new1, const std::string& new2);

} // namespace vq::ui
