#pragma once
// A transaction over one attachment, or over several (a multi-database
// transaction committed in two phases). The object is reusable: start,
// commit or roll back, start again - as the data module's long-lived
// transactions are used. A Transaction that is destroyed (or whose
// attachment detaches) while active is ROLLED BACK, never committed; an
// exception path therefore leaves nothing half written.
#include <memory>
#include <vector>

namespace vq::db {

class Attachment;
struct TransactionImpl;

enum class Isolation {
    ReadCommitted,   // read_committed + rec_version (the usual one)
    Snapshot,        // concurrency: consistent multi-statement reads
    TableStability,  // consistency: tables locked for the transaction
};

struct TransactionOptions {
    Isolation isolation = Isolation::ReadCommitted;
    bool readOnly = false;
    bool wait = false;          // false: "nowait", a lock conflict fails at once
    // Seconds a waiting transaction waits for another's lock before the
    // statement fails with the conflict; 0 waits as long as it takes.
    int lockTimeout = 0;
};

// The three kinds the system uses, by name.
inline constexpr TransactionOptions kReadCommitted{Isolation::ReadCommitted, false, false};
inline constexpr TransactionOptions kReadCommittedReadOnly{Isolation::ReadCommitted, true, false};
inline constexpr TransactionOptions kSnapshot{Isolation::Snapshot, false, false};
inline constexpr TransactionOptions kSnapshotReadOnly{Isolation::Snapshot, true, false};
inline constexpr TransactionOptions kTableStability{Isolation::TableStability, false, false};

class Transaction {
public:
    // The attachment(s) must outlive the transaction or be destroyed first
    // (which rolls it back). They need not be attached yet; start() uses
    // whatever they are attached to at that moment.
    explicit Transaction(Attachment& attachment, TransactionOptions options = kReadCommitted);
    Transaction(const std::vector<Attachment*>& attachments, TransactionOptions options = kReadCommitted);
    ~Transaction();   // rolls back when active; never throws
    Transaction(Transaction&&) noexcept;
    Transaction& operator=(Transaction&&) noexcept;   // the target is rolled back first
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const;
    // Throws DbError when already active or an attachment is not attached.
    void start();
    // start() unless active; returns true when it started it (the
    // "roll back only what you started" discipline of the callers).
    bool startIfInactive();
    void commit();            // ends it; open cursors of its statements close
    void commitRetaining();   // commits, stays active with the same context, cursors stay open
    void rollback();          // ends it; no-op when not active
    void rollbackRetaining();

    const TransactionOptions& options() const;
    void setOptions(TransactionOptions options);   // for the next start()

    TransactionImpl* impl() const { return impl_.get(); }

private:
    std::unique_ptr<TransactionImpl> impl_;
};

// The callers' discipline "start the transaction when it is not active,
// commit at the end, on an exception roll back only what you started":
//   TransactionScope scope(tr);   // starts tr when inactive
//   ... work ...
//   scope.commit();               // commits only when this scope started tr
// Leaving the scope without commit() rolls back only when it started tr; a
// transaction the caller had started stays as it was.
class TransactionScope {
public:
    explicit TransactionScope(Transaction& tr);
    ~TransactionScope();
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;
    void commit();
    bool startedHere() const { return started_; }

private:
    Transaction& tr_;
    bool started_ = false;
    bool done_ = false;
};

} // namespace vq::db
