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

std::vector<std::string_view> IniDocument::splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

IniDocument::IniDocument(std::string_view utf8)
{
    for (std::string_view line : splitLines(utf8))
        lines_.push_back({std::string(line), std::nullopt});
}

IniDocument::IniDocument(std::string_view fileBytes, const LineCodec& decode)
{
    for (std::string_view line : splitLines(fileBytes))
        lines_.push_back({decode(line), std::string(line)});
}

std::string IniDocument::text() const
{
    std::string out;
    for (const auto& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

std::string IniDocument::bytes(const LineCodec& encode) const
{
    std::string out;
    for (const auto& line : lines_) {
        out += line.bytes ? *line.bytes : encode(line.text);
        out += "\r\n";
    }
    return out;
}

void IniDocument::setLine(std::size_t at, std::string text)
{
    // Writing the text a line already has leaves the line as it was.
    if (lines_[at].text == text)
        return;
    lines_[at] = {std::move(text), std::nullopt};
}

void IniDocument::insertLine(std::size_t at, std::string text)
{
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), std::nullopt});
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
        auto name = headerName(lines_[i].text);
        if (!name || !sameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !headerName(lines_[end].text))
            ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::findKey(const Range& range, std::string_view key) const
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        std::string_view k, v;
        if (splitKeyLine(lines_[i].text, k, v) && sameName(k, key))
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
    splitKeyLine(lines_[*line].text, k, v);
    return std::string(v);
}

std::vector<std::string> IniDocument::sections() const
{
    std::vector<std::string> names;
    for (const auto& line : lines_) {
        auto name = headerName(line.text);
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
        if (!splitKeyLine(lines_[i].text, k, v))
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
        lines_.push_back({"[" + std::string(trim(section)) + "]", std::nullopt});
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    auto range = findSection(section);
    if (!range) {
        lines_.push_back({"[" + std::string(trim(section)) + "]", std::nullopt});
        lines_.push_back({std::string(trim(key)) + "=" + std::string(value), std::nullopt});
        return;
    }
    if (auto line = findKey(*range, key)) {
        std::string_view k, v;
        splitKeyLine(lines_[*line].text, k, v);
        setLine(*line, std::string(k) + "=" + std::string(value));
        return;
    }
    // After the last non-blank line of the section, so that the blank lines
    // separating it from the next one stay where they are.
    std::size_t at = range->end;
    while (at > range->header + 1 && trim(lines_[at - 1].text).empty())
        --at;
    insertLine(at, std::string(trim(key)) + "=" + std::string(value));
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
