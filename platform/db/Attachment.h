#pragma once
// One connection to a Firebird database. The object can be attached,
// detached and attached again (the data module keeps one per database and
// reconnects it); transactions and statements made on it follow it:
// detaching rolls back its active transactions and unprepares its statements.
//
// The database name decides the road:
//   "/path/to/file.fdb"            local: the embedded engine in this process
//   "host:/path/to/file.fdb"       the Firebird server on host (port 3050)
//   "host/port:/path/to/file.fdb"  the server on another port
// The connection always uses lc_ctype SJIS_0208 and SQL dialect 3; text is
// converted CP932 <-> UTF-8 inside this layer, callers see UTF-8 only.
#include <memory>
#include <string>
#include <string_view>

namespace vq::db {

class Transaction;
struct AttachmentImpl;

struct ConnectParams {
    std::string database;   // as above; an empty name is refused
    std::string user;       // e.g. "SYSDBA"; the embedded engine checks no password but
                            // does apply SQL rights to the user name
    std::string password;
    // How long a server may take to answer the connection request; a host
    // that accepts the connection and then stays silent would otherwise hold
    // the caller for minutes. 0 leaves the client library's own limit.
    int connectTimeoutSeconds = 15;
};

// The character set of every connection and of databases this layer creates.
inline constexpr std::string_view kCharset = "SJIS_0208";
inline constexpr int kDialect = 3;

class Attachment {
public:
    Attachment();   // not attached
    ~Attachment();  // detaches (rolling back what is still active); never throws
    Attachment(Attachment&&) noexcept;
    Attachment& operator=(Attachment&&) noexcept;
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    // Attach; an attached object is detached first. Throws DbError.
    void attach(const ConnectParams& params);
    // Create a new database (default character set SJIS_0208, dialect 3) and
    // stay attached to it. Throws DbError (e.g. when the file exists).
    void create(const ConnectParams& params, int pageSize = 16384);
    // Rolls back active transactions, unprepares statements, detaches. Never
    // throws: a lost connection is simply dropped.
    void detach() noexcept;
    // Drops (deletes) the attached database; afterwards not attached. Throws DbError.
    void drop();

    bool attached() const;
    const ConnectParams& params() const;   // of the last attach/create

    // Runs one statement without parameters or result in tr (DDL, SET ...).
    // tr must be active. Throws DbError.
    void execute(Transaction& tr, std::string_view sql);

    // User attachments to this database right now, this one included, from
    // MON$ATTACHMENTS. Unlike the service manager's list (which, with the
    // embedded engine, knows only this process) this sees every process
    // sharing the file and every server client; SYSDBA or the owner sees all.
    int attachmentCount();

    // Server and engine identification, e.g. "LI-V3.0.11.33637 Firebird 3.0".
    std::string serverVersion();

    AttachmentImpl* impl() const { return impl_.get(); }

private:
    std::unique_ptr<AttachmentImpl> impl_;
};

// Convenience: attach and return.
Attachment attachDatabase(const ConnectParams& params);

} // namespace vq::db
