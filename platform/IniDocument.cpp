#include "platform/IniDocument.h"

#include <algorithm>

namespace vq::platform::detail {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The section name of a header line, or nullopt when the line is no header.
// A header without its closing bracket still opens a section, as Windows reads it.
std::optional<std::string_view> headerName(std::string_view line)
{
    std::string_view t = IniDocument::trim(line);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    t.remove_prefix(1);
    if (auto close = t.find(']'); close != std::string_view::npos)
        t = t.substr(0, close);
    return IniDocument::trim(t);
}

// Key and value of a "key=value" line; comments and lines without '=' have none.
bool splitKeyLine(std::string_view line, std::string_view& key, std::string_view& value)
{
    std::string_view t = IniDocument::trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return false;
    auto eq = t.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = IniDocument::trim(t.substr(0, eq));
    value = IniDocument::trim(t.substr(eq + 1));
    return !key.empty();
}

} // namespace

IniDocument::IniDocument(std::string_view utf8)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        char c = utf8[i];
        if (c != '\r' && c != '\n')
            continue;
        lines_.emplace_back(utf8.substr(start, i - start));
        if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < utf8.size())
        lines_.emplace_back(utf8.substr(start));
}

std::string IniDocument::text() const
{
    std::string out;
    for (const auto& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string_view IniDocument::trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IniDocument::sameName(std::string_view a, std::string_view b)
{
    a = trim(a);
    b = trim(b);
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::optional<IniDocument::Range> IniDocument::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = headerName(lines_[i]);
        if (!name || !sameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !headerName(lines_[end]))
            ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::findKey(const Range& range, std::string_view key) const
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        std::string_view k, v;
        if (splitKeyLine(lines_[i], k, v) && sameName(k, key))
            return i;
    }
    return std::nullopt;
}

bool IniDocument::hasSection(std::string_view section) const
{
    return findSection(section).has_value();
}

std::optional<std::string> IniDocument::rawValue(std::string_view section, std::string_view key) const
{
    auto range = findSection(section);
    if (!range)
        return std::nullopt;
    auto line = findKey(*range, key);
    if (!line)
        return std::nullopt;
    std::string_view k, v;
    splitKeyLine(lines_[*line], k, v);
    return std::string(v);
}

std::vector<std::string> IniDocument::sections() const
{
    std::vector<std::string> names;
    for (const auto& line : lines_) {
        auto name = headerName(line);
        if (!name)
            continue;
        bool seen = std::any_of(names.begin(), names.end(), [&](const std::string& n) { return sameName(n, *name); });
        if (!seen)
            names.emplace_back(*name);
    }
    return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const
{
    std::vector<std::string> names;
    auto range = findSection(section);
    if (!range)
        return names;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        std::string_view k, v;
        if (!splitKeyLine(lines_[i], k, v))
            continue;
        bool seen = std::any_of(names.begin(), names.end(), [&](const std::string& n) { return sameName(n, k); });
        if (!seen)
            names.emplace_back(k);
    }
    return names;
}

void IniDocument::addSection(std::string_view section)
{
    if (!hasSection(section))
        lines_.push_back("[" + std::string(trim(section)) + "]");
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    auto range = findSection(section);
    if (!range) {
        lines_.push_back("[" + std::string(trim(section)) + "]");
        lines_.push_back(std::string(trim(key)) + "=" + std::string(value));
        return;
    }
    if (auto line = findKey(*range, key)) {
        std::string_view k, v;
        splitKeyLine(lines_[*line], k, v);
        lines_[*line] = std::string(k) + "=" + std::string(value);
        return;
    }
    // After the last non-blank line of the section, so that the blank lines
    // separating it from the next one stay where they are.
    std::size_t at = range->end;
    while (at > range->header + 1 && trim(lines_[at - 1]).empty())
        --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  std::string(trim(key)) + "=" + std::string(value));
}

bool IniDocument::eraseSection(std::string_view section)
{
    bool erased = false;
    while (auto range = findSection(section)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
        erased = true;
    }
    return erased;
}

bool IniDocument::deleteKey(std::string_view section, std::string_view key)
{
    auto range = findSection(section);
    if (!range)
        return false;
    bool deleted = false;
    while (auto line = findKey(*range, key)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
        --range->end;
        deleted = true;
    }
    return deleted;
}

} // namespace vq::platform::detail
