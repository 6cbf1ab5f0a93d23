#include "print/NumericKeyFilter.h"

#include <cstdlib>

namespace vq::print {
namespace {

bool readsAsZero(const std::string& text)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0' && v == 0;
}

bool isDigit(char32_t key)
{
    return key >= U'0' && key <= U'9';
}

} // namespace

char32_t NumericKeyFilter(const std::string& text, char32_t key, int mode, bool allSelected)
{
    const bool hasPoint = text.find('.') != std::string::npos;
    const bool hasMinus = text.find('-') != std::string::npos;
    switch (mode) {
    case 0:
    case 1:
        if (key == 8 && mode == 1)
            return key;
        if (!isDigit(key))
            return 0;
        if (key == U'0' && readsAsZero(text))
            return 0;
        return key;
    case 2:
    case 3:
    case 4: {
        const bool point = mode != 3;
        const bool minus = mode != 2;
        if (key == 8)
            return key;
        if (key == U'.' && point)
            return hasPoint || text.empty() ? 0 : key;
        if (key == U'-' && minus)
            return !allSelected && (hasMinus || !text.empty()) ? 0 : key;
        if (!isDigit(key))
            return 0;
        if (key == U'0' && !allSelected &&
            (text == "0" || (point && text == ".") || (minus && text == "-")))
            return 0;
        return key;
    }
    default:
        return 0;
    }
}

} // namespace vq::print
