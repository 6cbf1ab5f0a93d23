// The rules of the password dialog as a table.
#include <gtest/gtest.h>

#include "ui/PasswordRules.h"

using namespace vq::ui;

TEST(PasswordRules, SetAndChangeRequests)
{
    struct Case {
        const char* what;
        const char* stored;   // '' = set mode
        const char* current;
        const char* new1;
        const char* new2;
        const char* message;  // '' = accepted
        PasswordFocus focus;
    };
    const char* noCurrent = "現在のパスワードが入力されていません。";
    const char* wrongCurrent = "現在のパスワードが入力されたパスワードと一致しません。";
    const char* noNew = "新しいパスワードが入力されていません。両方のボックスに入力して下さい。";
    const char* differ = "入力されたパスワードは一致しません。";
    const Case cases[] = {
        {"set, same twice", "", "", "Abc123", "Abc123", "", PasswordFocus::None},
        {"set ignores the current box", "", "junk", "x1", "x1", "", PasswordFocus::None},
        {"set, second empty", "", "", "Abc123", "", noNew, PasswordFocus::FirstNew},
        {"set, first empty", "", "", "", "Abc123", noNew, PasswordFocus::FirstNew},
        {"set, blanks only", "", "", "　 ", "　 ", noNew, PasswordFocus::FirstNew},
        {"set, case differs", "", "", "Abc123", "abc123", differ, PasswordFocus::FirstNew},
        {"change, right", "Old1", "Old1", "New2", "New2", "", PasswordFocus::None},
        {"change, current missing", "Old1", " ", "New2", "New2", noCurrent, PasswordFocus::Current},
        {"change, current in other case", "Old1", "old1", "New2", "New2", wrongCurrent, PasswordFocus::Current},
        {"change, new ones differ", "Old1", "Old1", "New2", "New3", differ, PasswordFocus::FirstNew},
    };
    for (const auto& c : cases) {
        const PasswordCheck r = CheckNewPassword(*c.stored != 0, c.stored, c.current, c.new1, c.new2);
        EXPECT_EQ(r.accepted, *c.message == 0) << c.what;
        EXPECT_EQ(r.message, c.message) << c.what;
        EXPECT_EQ(r.focus, c.focus) << c.what;
    }
}

TEST(PasswordRules, KeysThatPass)
{
    for (char32_t k : {U'\r', U'\b', U'0', U'9', U'A', U'Z', U'a', U'z'})
        EXPECT_TRUE(PasswordKeyAllowed(k)) << static_cast<int>(k);
    for (char32_t k : {U' ', U'-', U'_', U'@', U'\t', U'あ', U'Ａ', U'１'})
        EXPECT_FALSE(PasswordKeyAllowed(k)) << static_cast<int>(k);
}
