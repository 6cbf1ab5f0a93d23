#include "platform/db/DbError.h"

#include <algorithm>

namespace vq::db {

DbError::DbError(std::string message, std::int64_t errorCode, int sqlCode, std::vector<std::int64_t> codes)
    : std::runtime_error(message), message_(std::move(message)), errorCode_(errorCode), sqlCode_(sqlCode),
      codes_(std::move(codes))
{
    if (codes_.empty() && errorCode_ != 0)
        codes_.push_back(errorCode_);
}

bool DbError::hasCode(std::int64_t code) const
{
    return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

bool DbError::isLostConnection() const
{
    static constexpr std::int64_t lost[] = {gds::networkError, gds::netReadError, gds::netWriteError,
                                            gds::lostDbConnection, gds::connLost, gds::shutdown,
                                            gds::attShutdown};
    return std::any_of(std::begin(lost), std::end(lost), [this](std::int64_t c) { return hasCode(c); });
}

bool DbError::isLockConflict() const
{
    return hasCode(gds::lockConflict) || hasCode(gds::deadlock) || hasCode(gds::updateConflict);
}

bool DbError::isInternalConsistency() const
{
    return hasCode(gds::bugCheck);
}

} // namespace vq::db
