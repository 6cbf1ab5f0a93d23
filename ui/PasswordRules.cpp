#include "ui/PasswordRules.h"

#include "foundation/text/TextUtils.h"

namespace vq::ui {

bool PasswordKeyAllowed(char32_t key)
{
    return key == U'\r' || key == U'\b' || (key >= U'0' && key <= U'9') || (key >= U'A' && key <= U'Z') ||
           (key >= U'a' && key <= U'z');
}

PasswordCheck CheckNewPassword(bool hasCurrent, const std::string& currentPassword, const std::string& typedCurrent,
                               const std::string& new1, const std::string& new2)
{
    if (hasCurrent) {
        if (TrimZenSpace(typedCurrent).empty())
            return {false, "現在のパスワードが入力されていません。", PasswordFocus::Current};
        if (typedCurrent != currentPassword)
            return {false, "現在のパスワードが入力されたパスワードと一致しません。", PasswordFocus::Current};
    }
    if (TrimZenSpace(new1).empty() || TrimZenSpace(new2).empty())
        return {false, "新しいパスワードが入力されていません。両方のボックスに入力して下さい。", PasswordFocus::FirstNew};
    if (new1 != new2)
        return {false, "入力されたパスワードは一致しません。", PasswordFocus::FirstNew};
    return {true, {}, PasswordFocus::None};
}

} // namespace vq::ui
