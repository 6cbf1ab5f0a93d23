#include "foundation/data/QueryFactory.h"

#include "foundation/data/DataModule.h"

namespace vq {

namespace {

std::unique_ptr<db::Statement> createBound(const std::string& dbName, bool snapshot)
{
    try {
        if (!DM)
            return nullptr;
        if (dbName == kAccDef)
            return std::make_unique<db::Statement>(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF);
        return std::make_unique<db::Statement>(DM->IBDatabaseDAT.attachment(),
                                               snapshot ? DM->IBTransactionDATSS : DM->IBTransactionDAT);
    } catch (...) {
        return nullptr;
    }
}

} // namespace

std::unique_ptr<db::Statement> CreateAccQuery(const std::string& dbName, bool useSnapshot)
{
    return createBound(dbName, useSnapshot);
}

std::unique_ptr<db::Statement> CreateAccSql(const std::string& dbName, std::uint8_t useSnapshot)
{
    return createBound(dbName, useSnapshot == 1);
}

} // namespace vq
