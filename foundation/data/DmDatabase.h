#pragma once
// One database connection of the data module: the database name and the
// connection parameter lines are set first, then the connection is made, as
// the module's rules prescribe (parameters cleared and set anew before every
// connect). The attachment object itself lives as long as the module, so the
// transactions and statements bound to it survive reconnects.
#include <string>
#include <vector>

#include "platform/db/Attachment.h"

namespace vq {

class DmDatabase {
public:
    DmDatabase() = default;
    DmDatabase(const DmDatabase&) = delete;
    DmDatabase& operator=(const DmDatabase&) = delete;

    // "host:/folder/file" for the server, "/folder/file" for a local file.
    std::string DatabaseName;
    // "user_name=...", "password=...", "lc_ctype=SJIS_0208".
    std::vector<std::string> Params;
    int SQLDialect = 3;
    // Seconds a server may take to answer the connection request.
    int ConnectTimeout = 15;

    // Connects with DatabaseName and the user and password of Params.
    // Throws db::DbError. A connected database is disconnected first.
    void connect();
    // Rolls back what is still active and disconnects; never throws.
    void disconnect() noexcept;
    bool connected() const { return attachment_.attached(); }
    // Drops the connected database; afterwards not connected. Throws db::DbError.
    void dropDatabase();

    // The value of a "name=value" parameter line; empty when absent.
    std::string paramValue(const std::string& name) const;

    db::Attachment& attachment() { return attachment_; }

private:
    db::Attachment attachment_;
};

} // namespace vq
