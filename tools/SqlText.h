#pragma once

// A text as an SQL string literal for the statements the sample office runs.

#include <string>

namespace vq::tools {

// 'text' with every quote doubled.
inline std::string sqlText(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

} // namespace vq::tools
