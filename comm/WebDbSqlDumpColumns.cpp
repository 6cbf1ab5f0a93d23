#include "comm/WebDbSqlDumpColumns.h"

#include <stdexcept>

namespace vq::comm {

namespace {

DumpKind kindOf(std::string_view letter)
{
    static const std::pair<std::string_view, DumpKind> kinds[] = {
        {"P", DumpKind::P},     {"Q", DumpKind::Q},     {"T", DumpKind::T},         {"T20", DumpKind::T20},
        {"N", DumpKind::N},     {"D", DumpKind::D},     {"C", DumpKind::C},         {"Int", DumpKind::Int},
        {"CType", DumpKind::CType},
    };
    for (const auto& [name, kind] : kinds)
        if (name == letter)
            return kind;
    throw std::logic_error("unknown dump kind " + std::string(letter));
}

} // namespace

std::vector<DumpColumn> DumpColumns(std::string_view spec)
{
    std::vector<DumpColumn> columns;
    std::size_t pos = 0;
    while (pos < spec.size()) {
        const std::size_t begin = spec.find_first_not_of(" \n", pos);
        if (begin == std::string_view::npos)
            break;
        std::size_t end = spec.find_first_of(" \n", begin);
        if (end == std::string_view::npos)
            end = spec.size();
        const std::string_view token = spec.substr(begin, end - begin);
        if (token == "#")
            columns.push_back({DumpKind::Row, {}});
        else if (token.front() == '=')
            columns.push_back({DumpKind::Lit, std::string(token.substr(1))});
        else {
            const std::size_t colon = token.find(':');
            if (colon == std::string_view::npos)
                throw std::logic_error("dump column without kind: " + std::string(token));
            columns.push_back({kindOf(token.substr(colon + 1)), std::string(token.substr(0, colon))});
        }
        pos = end;
    }
    return columns;
}

std::string DumpSelect(const std::vector<DumpColumn>& columns, std::string_view rest)
{
    std::string sql = "SELECT ";
    bool first = true;
    for (const auto& c : columns) {
        if (c.kind == DumpKind::Row || c.kind == DumpKind::Lit)
            continue;
        if (!first)
            sql += ',';
        sql += c.name;
        first = false;
    }
    sql += ' ';
    sql += rest;
    return sql;
}

} // namespace vq::comm
