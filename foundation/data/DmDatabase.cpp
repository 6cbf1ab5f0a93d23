#include "foundation/data/DmDatabase.h"

#include "platform/db/DbError.h"

namespace vq {

std::string DmDatabase::paramValue(const std::string& name) const
{
    const std::string prefix = name + "=";
    for (const auto& line : Params) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size());
    }
    return {};
}

void DmDatabase::connect()
{
    if (SQLDialect != db::kDialect)
        throw db::DbError("SQL dialect " + std::to_string(SQLDialect) + " is not supported");
    db::ConnectParams params;
    params.database = DatabaseName;
    params.user = paramValue("user_name");
    params.password = paramValue("password");
    params.connectTimeoutSeconds = ConnectTimeout;
    attachment_.attach(params);
}

void DmDatabase::disconnect() noexcept
{
    attachment_.detach();
}

void DmDatabase::dropDatabase()
{
    attachment_.drop();
}

} // namespace vq
