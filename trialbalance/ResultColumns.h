#pragma once
// The column positions of an open result set, looked up once per execution:
// the row readers read some seventy columns of every record, and a lookup by
// name for each would cost more than the procedure's own work.
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/db/Statement.h"

namespace vq::balance {

class ResultColumns {
public:
    // The columns of st, which has been executed (or prepared).
    explicit ResultColumns(db::Statement& st);

    // The position of a column; throws db::DbError naming it when absent.
    std::size_t operator[](std::string_view name) const;
    bool has(std::string_view name) const;

    // KAISIZAN and the 16 period debits (KARnn) and credits (KASnn).
    std::size_t kaisizan = 0;
    std::array<std::size_t, 17> kar{};
    std::array<std::size_t, 17> kas{};

private:
    std::unordered_map<std::string, std::size_t> positions_;
};

} // namespace vq::balance
