#include "dbupdate/EmbeddedSql.h"

#include <stdexcept>
#include <string>

#include "dbupdate/UpdateScript.h"

namespace vq {

namespace embedded_sql_detail {
extern const EmbeddedSqlFile kFiles[];
} // namespace embedded_sql_detail

std::string_view EmbeddedSql(std::string_view name)
{
    for (const auto* f = embedded_sql_detail::kFiles; f->name; ++f)
        if (name == f->name)
            return f->text;
    throw std::out_of_range("no compiled-in SQL named " + std::string(name));
}

void AddEmbeddedSql(TUpdateScript& script, std::string_view name)
{
    const std::string_view text = EmbeddedSql(name);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            script.Add(std::string(line));
        start = end + 1;
    }
}

} // namespace vq
