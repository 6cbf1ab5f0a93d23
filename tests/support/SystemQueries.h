#pragma once
// SQL on the system database a data module holds open, for the fixtures of
// the tests: each call runs in a transaction of its own and commits.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/data/DataModule.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::test {

// Runs one statement.
inline void execOn(TDM& dm, std::string_view sql)
{
    db::TransactionScope scope(dm.IBTransactionDEF);
    db::Statement q(dm.IBDatabaseDEF.attachment(), dm.IBTransactionDEF, sql);
    q.execute();
    scope.commit();
}

// Runs statements, ';'-separated (none with a ';' inside), in one transaction.
inline void execEachOn(TDM& dm, std::string_view sql)
{
    db::TransactionScope scope(dm.IBTransactionDEF);
    std::size_t start = 0;
    while (start < sql.size()) {
        std::size_t end = sql.find(';', start);
        if (end == std::string_view::npos)
            end = sql.size();
        const std::string one(sql.substr(start, end - start));
        if (one.find_first_not_of(" \n\r\t") != std::string::npos) {
            db::Statement q(dm.IBDatabaseDEF.attachment(), dm.IBTransactionDEF, one);
            q.execute();
        }
        start = end + 1;
    }
    scope.commit();
}

// The first column of the first row as an integer; -1 without a row.
inline std::int64_t scalarOn(TDM& dm, std::string_view sql)
{
    db::TransactionScope scope(dm.IBTransactionDEF);
    db::Statement q(dm.IBDatabaseDEF.attachment(), dm.IBTransactionDEF, sql);
    q.execute();
    const std::int64_t v = q.fetch() ? q.field(std::size_t{0}).asInt64() : -1;
    q.close();
    scope.commit();
    return v;
}

// The first column of every row, as text.
inline std::vector<std::string> textsOn(TDM& dm, std::string_view sql)
{
    db::TransactionScope scope(dm.IBTransactionDEF);
    db::Statement q(dm.IBDatabaseDEF.attachment(), dm.IBTransactionDEF, sql);
    q.execute();
    std::vector<std::string> out;
    while (q.fetch())
        out.push_back(q.field(std::size_t{0}).asString());
    q.close();
    scope.commit();
    return out;
}

} // namespace vq::test
