#pragma once
// A data module with the office's system database connected (version 14, so
// the list has its cloud and read-only columns), the data root in <tmp>/sys
// and a way to run SQL on the open system database.
#include <string>
#include <string_view>
#include <vector>

#include "../foundation/data/DataModuleFixture.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::test {

inline std::string upperAsciiForTest(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

class DataListFixture : public DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        SystemDef.ProgVerMajor = 14;
        SystemDef.ProgVerMinor1 = 0;
        SystemDef.ProgVerMinor2 = 0;
        ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    }

    // Runs statements (';'-separated, none with a ';' inside) and commits.
    void exec(std::string_view sql)
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        std::string text(sql);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find(';', start);
            if (end == std::string::npos)
                end = text.size();
            const std::string one = text.substr(start, end - start);
            if (one.find_first_not_of(" \n\r\t") != std::string::npos) {
                db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF, one);
                q.execute();
            }
            start = end + 1;
        }
        scope.commit();
    }

    // One integer of a query.
    std::int64_t scalar(std::string_view sql)
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF, sql);
        q.execute();
        const std::int64_t v = q.fetch() ? q.field(std::size_t{0}).asInt64() : -1;
        q.close();
        scope.commit();
        return v;
    }

    // The first column of every row, as text.
    std::vector<std::string> texts(std::string_view sql)
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF, sql);
        q.execute();
        std::vector<std::string> out;
        while (q.fetch())
            out.push_back(q.field(std::size_t{0}).asString());
        scope.commit();
        return out;
    }

    std::string root() const { return SystemDef.SysDir; }
};

} // namespace vq::test
