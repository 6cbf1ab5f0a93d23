#include "ui/ScreenParams.h"

#include <QString>

#include <cstdio>

namespace vq::ui {

namespace {

std::optional<std::int32_t> numberOf(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int v = QString::fromStdString(*text).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

} // namespace

ParamLines splitParamLines(std::string_view text)
{
    ParamLines lines;
    std::size_t start = 0;
    // Callers join their lines with "\r" (as the host programs do), "\n" or "\r\n".
    while (start <= text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty())
            lines.emplace_back(line);
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return lines;
}

std::optional<std::string> paramValue(const ParamLines& lines, std::string_view name)
{
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (const auto& line : lines) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (QString::fromStdString(line.substr(0, eq)).compare(wanted, Qt::CaseInsensitive) == 0)
            return line.substr(eq + 1);
    }
    return std::nullopt;
}

std::optional<std::int32_t> syoriTypeOf(const ParamLines& lines)
{
    const auto v = numberOf(paramValue(lines, "SyoriType"));
    if (!v || *v < 0)
        return std::nullopt;
    return v;
}

TFormStyle formStyleOf(const ParamLines& lines)
{
    const auto v = numberOf(paramValue(lines, "FormStyle"));
    if (!v || *v == 0)
        return fsMDIChild;
    if (*v == 1)
        return fsMDIForm;
    if (*v == 2)
        return fsNormal;
    return fsStayOnTop;
}

std::string formStyleLine(bool modal)
{
    char line[32];
    std::snprintf(line, sizeof line, "FormStyle=%d", modal ? 2 : 0);
    return line;
}

} // namespace vq::ui
