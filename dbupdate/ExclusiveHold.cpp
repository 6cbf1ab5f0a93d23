#include "dbupdate/ExclusiveHold.h"

#include <stdexcept>

#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/db/DbError.h"
#include "platform/db/Services.h"

namespace vq {

namespace {

// The server that serves the file, '' for this computer's own engine.
std::string serviceHost()
{
    const std::string& host = SystemDef.HostName;
    return TDM::UsesServer(host) ? host : std::string();
}

db::Services services(const std::string& host)
{
    return db::Services({host, SystemDef.DbUser, SystemDef.DbPassword});
}

} // namespace

std::string TExclusiveHold::DatabaseFile(std::uint8_t mode)
{
    return TDM::MakeDatabaseName({}, mode == 0 ? SystemDef.SysDir : SystemDef.DataDir,
                                 mode == 0 ? SysDbFileName : DataDbFileName, false);
}

TExclusiveHold::TExclusiveHold(std::uint8_t mode) : host_(serviceHost()), file_(DatabaseFile(mode))
{
    try {
        services(host_).shutdownSingle(file_);
    } catch (const db::DbError& e) {
        throw std::runtime_error(e.what());
    }
}

TExclusiveHold::~TExclusiveHold()
{
    try {
        services(host_).bringOnline(file_);
    } catch (...) {
        // A database left shut down is reported by the next attachment; the
        // run's own result stands.
    }
}

} // namespace vq
