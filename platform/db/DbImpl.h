#pragma once
// Internal to vq_db: the state behind Attachment, Transaction and Statement.
// The public objects hold these by pointer, so moving a public object never
// breaks the links between them; each side unlinks itself when it goes.
#include <firebird/Interface.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/db/Attachment.h"
#include "platform/db/ParameterParser.h"
#include "platform/db/Transaction.h"

namespace vq::db {

struct StatementImpl;
struct TransactionImpl;

struct AttachmentImpl {
    Firebird::IAttachment* handle = nullptr;
    ConnectParams params;
    std::uint64_t generation = 0;   // changes with every attach and detach
    std::set<TransactionImpl*> transactions;
    std::set<StatementImpl*> statements;

    ~AttachmentImpl();
    void endChildren() noexcept;   // rolls back its transactions, unprepares its statements
    void detach() noexcept;
    Firebird::IAttachment* attachedHandle() const;   // throws DbError when not attached
};

struct TransactionImpl {
    std::vector<AttachmentImpl*> attachments;
    TransactionOptions options;
    Firebird::ITransaction* handle = nullptr;
    std::set<StatementImpl*> statements;   // statements that run in this transaction

    ~TransactionImpl();
    void closeCursors() noexcept;
    void rollbackQuietly() noexcept;    // ends the transaction whatever happens
    void unlinkAttachment(AttachmentImpl* a) noexcept;
    Firebird::ITransaction* activeHandle() const;   // throws DbError when not active
};

struct ParamValue {
    enum class Kind { Null, Text, Bytes, Int, Double, Date, Timestamp, Bool };
    Kind kind = Kind::Null;
    std::string bytes;          // Text: CP932; Bytes: raw
    std::int64_t integer = 0;   // Int
    int scale = 0;              // Int: decimals
    double real = 0;            // Double
    ISC_DATE date = 0;          // Date, Timestamp
    ISC_TIME time = 0;          // Timestamp
    bool boolean = false;
};

// Refuses what the wrapper cannot run safely once prepared: statements that
// start or end transactions, and parameter counts that differ from the
// values given. Throws DbError naming sql.
void checkStatement(unsigned type, std::size_t parameters, std::size_t values, std::string_view sql);

struct FieldInfo {
    std::string name;       // UTF-8, as the server names the column
    std::string upperName;  // for lookups
    unsigned type = 0;
    int subType = 0;
    int scale = 0;
    unsigned length = 0;
    unsigned charset = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

struct StatementImpl {
    AttachmentImpl* attachment = nullptr;
    TransactionImpl* transaction = nullptr;
    std::string sql;            // UTF-8 as given
    bool paramCheck = true;
    ParsedSql parsed;
    std::vector<ParamValue> values;   // one per '?'

    Firebird::IStatement* handle = nullptr;
    std::uint64_t generation = 0;
    unsigned type = 0;                // isc_info_sql_stmt_*
    unsigned inputCount = 0;          // parameters the server declared
    Firebird::IMessageMetadata* inMeta = nullptr;
    Firebird::IMessageMetadata* outMeta = nullptr;
    std::vector<FieldInfo> fields;
    std::vector<unsigned char> outBuffer;
    Firebird::IResultSet* cursor = nullptr;
    bool row = false;
    std::int64_t affected = 0;

    ~StatementImpl();
    void setTransaction(TransactionImpl* t) noexcept;
    void parse();
    bool isPrepared() const;
    void ensurePrepared();
    void unprepare() noexcept;
    void closeCursor() noexcept;
    void execute();
    bool fetch();
    std::vector<std::size_t> positionsOf(std::string_view name) const;
    std::size_t fieldIndex(std::string_view name) const;   // fields.size() when missing
    const FieldInfo& fieldAt(std::size_t index) const;
    const unsigned char* valueOf(std::size_t index) const; // nullptr for NULL; needs a row
    // The same in a copy of a row.
    const unsigned char* valueIn(std::size_t index, const unsigned char* row) const;
};

} // namespace vq::db
