#include <gtest/gtest.h>

#include "print/NumericKeyFilter.h"

using vq::print::NumericKeyFilter;

namespace {

struct Case {
    int mode;
    const char* text;
    char32_t key;
    bool allSelected;
    bool admitted;
};

TEST(NumericKeyFilter, AdmitsWhatEachModeAllows)
{
    const Case cases[] = {
        // mode 0: digits only; no second zero of a zero text
        {0, "", U'5', false, true},
        {0, "", 8, false, false},
        {0, "0", U'0', false, false},
        {0, "0", U'0', true, false},
        {0, "", U'0', false, true},
        {0, "12", U'a', false, false},
        // mode 1: backspace too
        {1, "12", 8, false, true},
        {1, "00", U'0', false, false},
        // mode 2: one point, never first
        {2, "", U'.', false, false},
        {2, "1", U'.', false, true},
        {2, "1.5", U'.', false, false},
        {2, "0", U'0', false, false},
        {2, "0", U'0', true, true},
        {2, "1", U'-', false, false},
        // mode 3 (the margin dialog): a minus only starts the text
        {3, "", U'-', false, true},
        {3, "5", U'-', false, false},
        {3, "5", U'-', true, true},
        {3, "-5", U'-', true, true},
        {3, "-", U'0', false, false},
        {3, "0", U'0', false, false},
        {3, "0", U'5', false, true},
        {3, "0", U'0', true, true},
        {3, "1", U'.', false, false},
        {3, "1", U'x', false, false},
        {3, "12", 8, false, true},
        // mode 4: both signs
        {4, "", U'-', false, true},
        {4, "-1", U'.', false, true},
        {4, ".", U'0', false, false},
        {4, "-", U'0', false, false},
        {4, "7", U'+', false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("mode ") + std::to_string(c.mode) + " text '" + c.text + "' key " +
                     std::to_string(static_cast<int>(c.key)) + (c.allSelected ? " selected" : ""));
        EXPECT_EQ(NumericKeyFilter(c.text, c.key, c.mode, c.allSelected), c.admitted ? c.key : U'\0');
    }
}

} // namespace
