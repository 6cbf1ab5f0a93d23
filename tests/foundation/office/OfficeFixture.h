#pragma once
// The data module with the system database and the data set connected, the
// data set described in AccInf, and helpers to seed and read either database.
#include <gtest/gtest.h>

#include "foundation/app/AccInf.h"
#include "platform/db/Statement.h"
#include "tests/foundation/data/DataModuleFixture.h"

namespace vq::test {

class OfficeFixture : public DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        savedAccInf_ = AccInf;
        ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
        ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));
    }
    void TearDown() override
    {
        dm_.CloseAccDat({}, 0, 0);
        AccInf = savedAccInf_;
        DataModuleFixture::TearDown();
    }

    // Runs statements separated by ';' and commits.
    static void exec(DmDatabase& database, db::Transaction& transaction, const std::string& sql)
    {
        db::TransactionScope scope(transaction);
        std::size_t start = 0;
        while (start < sql.size()) {
            auto end = sql.find(';', start);
            if (end == std::string::npos)
                end = sql.size();
            const std::string one = sql.substr(start, end - start);
            if (one.find_first_not_of(" \n") != std::string::npos) {
                db::Statement q(database.attachment(), transaction, one);
                q.execute();
            }
            start = end + 1;
        }
        scope.commit();
    }
    void execDef(const std::string& sql) { exec(dm_.IBDatabaseDEF, dm_.IBTransactionDEF, sql); }
    void execDat(const std::string& sql) { exec(dm_.IBDatabaseDAT, dm_.IBTransactionDAT, sql); }

    std::string scalarDef(const std::string& sql)
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF, sql);
        q.execute();
        std::string v = q.fetch() ? q.field(std::size_t{0}).asString() : "<none>";
        q.close();
        scope.commit();
        return v;
    }

    TACCINF savedAccInf_;
};

} // namespace vq::test
