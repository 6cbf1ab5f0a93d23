#include "ui/InputKeyFilter.h"

namespace vq::ui {

namespace {

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }

} // namespace

bool keyPasses(int filter, char32_t ch)
{
    constexpr char32_t backspace = 8;
    // Enter and the editing keys other than Backspace are not characters to filter.
    if (ch == U'\r' || (ch < 32 && ch != backspace) || ch == 127)
        return true;
    switch (filter) {
    case 10: return ch == backspace || ch == U'-' || ch == U'.' || isDigit(ch);
    case 20: return ch == backspace || isLetter(ch);
    case 30: return ch == backspace || isDigit(ch) || isLetter(ch);
    case 40:
        if (ch < 32 || ch > 127)
            return true;
        for (char32_t bad : U"\"*,/:;<>?\\|")
            if (bad != 0 && ch == bad)
                return false;
        return true;
    default: return true;
    }
}

} // namespace vq::ui
