#include "trialbalance/ResultColumns.h"

#include <cctype>
#include <cstdio>

#include "platform/db/DbError.h"

namespace vq::balance {

namespace {

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

ResultColumns::ResultColumns(db::Statement& st)
{
    const std::size_t count = st.fieldCount();
    for (std::size_t i = 0; i < count; ++i)
        positions_.emplace(upper(st.fieldName(i)), i);
    kaisizan = (*this)["KAISIZAN"];
    for (int k = 1; k <= 16; ++k) {
        char name[8];
        std::snprintf(name, sizeof name, "KAR%02d", k);
        kar[static_cast<std::size_t>(k)] = (*this)[name];
        std::snprintf(name, sizeof name, "KAS%02d", k);
        kas[static_cast<std::size_t>(k)] = (*this)[name];
    }
}

std::size_t ResultColumns::operator[](std::string_view name) const
{
    const auto it = positions_.find(upper(name));
    if (it == positions_.end())
        throw db::DbError("the result has no column " + std::string(name));
    return it->second;
}

bool ResultColumns::has(std::string_view name) const { return positions_.count(upper(name)) != 0; }

} // namespace vq::balance
