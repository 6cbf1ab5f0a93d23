#pragma once
// The Firebird service manager: backup, restore, validation and the list of
// attached databases. With an empty host the service manager of the
// embedded engine in this process is used (no server needed, and it can
// work on a database file this process itself has open); with a host the
// server's ("host" or "host/port").
//
// Database and backup file names are paths as the service manager's machine
// sees them. Progress lines (UTF-8) go to the optional callback so that the
// caller can show them or keep its window alive; they are read and dropped
// otherwise. Every failure throws DbError.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vq::db {

struct ServiceParams {
    std::string host;       // "" = local (embedded); "host" or "host/port"
    std::string user;
    std::string password;
};

struct BackupOptions {
    bool ignoreChecksums = false;
    bool ignoreLimbo = false;
    bool metadataOnly = false;
    bool noGarbageCollection = false;
    bool nonTransportable = false;
    bool verbose = true;
    // The data module's backup: ignore limbo, no garbage collection, non-transportable.
    static BackupOptions dataModule() {
        BackupOptions o;
        o.ignoreLimbo = o.noGarbageCollection = o.nonTransportable = true;
        return o;
    }
};

struct RestoreOptions {
    bool replace = false;           // overwrite an existing database file; false: create, fail when it exists
    bool deactivateIndexes = false;
    bool noShadow = false;
    bool noValidityCheck = false;
    bool oneRelationAtATime = false;
    bool useAllSpace = false;
    bool verbose = true;
    int pageSize = 0;               // 0: the page size of the backup
    int pageBuffers = 0;            // 0: the default
    // The data module's restore: replace and create, page buffers 4096,
    // page size 16384, indexes deactivated unless they are to be kept.
    static RestoreOptions dataModule(bool keepIndexes) {
        RestoreOptions o;
        o.replace = true;
        o.deactivateIndexes = !keepIndexes;
        o.pageSize = 16384;
        o.pageBuffers = 4096;
        return o;
    }
};

struct ValidateOptions {
    bool full = true;               // validate record structures too
    bool ignoreChecksums = true;
    bool mend = false;              // repair (mark damaged records unavailable)
};

using ServiceOutput = std::function<void(std::string_view line)>;

class Services {
public:
    explicit Services(ServiceParams params);

    void backup(const std::string& database, const std::string& backupFile,
                const BackupOptions& options = {}, const ServiceOutput& output = {});
    void restore(const std::string& backupFile, const std::string& database,
                 const RestoreOptions& options = {}, const ServiceOutput& output = {});
    // The lines the validation reported; empty when it found nothing. A
    // database that cannot be opened throws DbError (e.g. gds::ioError).
    std::vector<std::string> validate(const std::string& database, const ValidateOptions& options = {});
    // Shuts the database down to one attachment at a time of its owner or
    // SYSDBA (single-user shutdown); throws DbError, changing nothing, when
    // anybody is attached to it now. bringOnline opens it to all again; a
    // database that is online already stays so.
    void shutdownSingle(const std::string& database);
    void bringOnline(const std::string& database);
    // Database files currently attached, as the service manager reports them
    // (paths as the server opened them). A server lists every client's
    // attachments; the embedded service manager (empty host) knows only the
    // attachments of THIS process - ask Attachment::attachmentCount() of the
    // database itself to see other processes sharing a local file.
    std::vector<std::string> attachedDatabases();
    // e.g. "LI-V3.0.11.33637 Firebird 3.0"
    std::string serverVersion();

private:
    void bringOnlineNow(const std::string& database);

    ServiceParams params_;
};

} // namespace vq::db
