#include "print/TextFields.h"

#include <charconv>

namespace vq::print {

int SplitFields(std::string_view line, char delimiter, std::vector<std::string>& fields, int max)
{
    fields.clear();
    if (auto comment = line.find("//"); comment != std::string_view::npos)
        line = line.substr(0, comment);
    if (line.empty())
        return 0;
    int index = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(delimiter, start);
        if (index <= max)
            fields.emplace_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return index;
        start = end + 1;
        ++index;
    }
}

std::string NthField(std::string_view line, char delimiter, int n)
{
    std::vector<std::string> fields;
    SplitFields(line, delimiter, fields, 100);
    if (n < 0 || n >= static_cast<int>(fields.size()))
        return {};
    const std::string& f = fields[static_cast<std::size_t>(n)];
    const auto first = f.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return f.substr(first, f.find_last_not_of(" \t") - first + 1);
}

double StrToFloatZero(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : 0.0;
}

} // namespace vq::print
