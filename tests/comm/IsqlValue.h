#pragma once
// The value of a one-row, one-column query as isql prints it (test::runSql):
// the last line that is neither blank nor the heading's rule.
#include <string>

namespace vq::test {

inline std::string IsqlValue(const std::string& output)
{
    std::string last;
    std::size_t at = 0;
    while (at < output.size()) {
        std::size_t end = output.find('\n', at);
        if (end == std::string::npos)
            end = output.size();
        std::string line = output.substr(at, end - at);
        line.erase(0, line.find_first_not_of(" \r\t"));
        line.erase(line.find_last_not_of(" \r\t") + 1);
        if (!line.empty() && line.find_first_not_of('=') != std::string::npos)
            last = line;
        at = end + 1;
    }
    return last;
}

} // namespace vq::test
