#include "datasets/DataListSql.h"

#include "foundation/files/FileUtils.h"

namespace vq::datalist {

std::string sqlLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) {
        if (line.empty())
            continue;
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

namespace {
std::string_view withoutTrailingDelimiter(std::string_view path)
{
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.remove_suffix(1);
    return path;
}
} // namespace

std::string lastComponent(std::string_view path)
{
    path = withoutTrailingDelimiter(path);
    const auto pos = path.find_last_of("/\\");
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string parentOf(std::string_view path)
{
    path = withoutTrailingDelimiter(path);
    const auto pos = path.find_last_of("/\\");
    return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos));
}

std::string joinPath(std::string_view path, std::string_view name)
{
    return ExcludeBackslash(path) + "/" + std::string(name);
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to)
{
    if (from.empty())
        return text;
    for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

} // namespace vq::datalist
