#include "platform/db/Statement.h"

#include <ibase.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/Cp932.h"
#include "platform/db/Attachment.h"
#include "platform/db/Blob.h"
#include "platform/db/CallClock.h"
#include "platform/db/DbImpl.h"
#include "platform/db/FbCommon.h"
#include "platform/db/Transaction.h"

namespace vq::db {

using namespace Firebird;

namespace {

std::string upper(std::string_view s)
{
    std::string out(s);
    for (auto& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

template <class T>
void put(std::vector<unsigned char>& buf, unsigned offset, const T& v)
{
    std::memcpy(buf.data() + offset, &v, sizeof v);
}

constexpr std::size_t kMaxVarchar = 32765;

bool isTextType(unsigned t)
{
    return t == SQL_TEXT || t == SQL_VARYING;
}

// The metadata strings of the server are in the connection character set.
std::string fromServer(const char* s)
{
    return platform::cp932::toUtf8(s ? s : "");
}

class Builder {
public:
    explicit Builder(IMessageMetadata* meta)
    {
        fb::Status st;
        builder_ = meta->getBuilder(&st);
    }
    ~Builder() { builder_->release(); }
    IMetadataBuilder* operator->() { return builder_; }

private:
    IMetadataBuilder* builder_;
};

class MetaRef {
public:
    explicit MetaRef(IMessageMetadata* m) : meta_(m) {}
    ~MetaRef()
    {
        if (meta_)
            meta_->release();
    }
    IMessageMetadata* get() const { return meta_; }

private:
    IMessageMetadata* meta_;
};

} // namespace

void checkStatement(unsigned type, std::size_t parameters, std::size_t values, std::string_view sql)
{
    // The transaction objects own the start and end of their transactions: a
    // COMMIT or ROLLBACK run as text would end one behind their back (the
    // next call then fails and the destructor releases a dead handle), and
    // SET TRANSACTION would start one nobody ends.
    if (type == isc_info_sql_stmt_start_trans || type == isc_info_sql_stmt_commit
        || type == isc_info_sql_stmt_rollback)
        throw DbError("transactions are started, committed and rolled back through the transaction's "
                      "own start, commit and rollback, not as SQL text: "
                      + std::string(sql));
    // The input message is built over the values given; a parameter without
    // one would reach the server as 0 or ''.
    if (parameters != values)
        throw DbError("the statement has " + std::to_string(parameters) + " parameter(s) but "
                      + std::to_string(values) + " value(s) are given: " + std::string(sql));
}

// --- StatementImpl ------------------------------------------------------

StatementImpl::~StatementImpl()
{
    unprepare();
    if (attachment)
        attachment->statements.erase(this);
    if (transaction)
        transaction->statements.erase(this);
}

void StatementImpl::setTransaction(TransactionImpl* t) noexcept
{
    if (t == transaction)
        return;
    closeCursor();
    if (transaction)
        transaction->statements.erase(this);
    transaction = t;
    if (transaction)
        transaction->statements.insert(this);
}

void StatementImpl::parse()
{
    if (paramCheck) {
        parsed = parseParameters(sql);
    } else {
        parsed = ParsedSql{sql, {}};
    }
    values.assign(parsed.positions.size(), ParamValue{});
}

bool StatementImpl::isPrepared() const
{
    return handle && attachment && generation == attachment->generation;
}

void StatementImpl::unprepare() noexcept
{
    closeCursor();
    row = false;
    if (inMeta)
        inMeta->release();
    if (outMeta)
        outMeta->release();
    inMeta = outMeta = nullptr;
    fields.clear();
    outBuffer.clear();
    if (handle) {
        // After a detach the server side is gone already; only the client
        // object is left to release.
        if (attachment && generation == attachment->generation && attachment->handle) {
            try {
                fb::Status st;
                handle->free(&st);   // releases on success
                handle = nullptr;
            } catch (const FbException&) {
            }
        }
        if (handle)
            handle->release();
        handle = nullptr;
    }
}

void StatementImpl::closeCursor() noexcept
{
    if (!cursor)
        return;
    try {
        fb::Status st;
        cursor->close(&st);   // releases on success
    } catch (const FbException&) {
        cursor->release();
    }
    cursor = nullptr;
    row = false;
}

void StatementImpl::ensurePrepared()
{
    if (isPrepared())
        return;
    if (!attachment)
        throw DbError("the statement's database is gone");
    unprepare();
    if (sql.empty())
        throw DbError("no SQL to prepare");
    IAttachment* att = attachment->attachedHandle();
    const std::string text = fb::sqlText(parsed.sql);
    try {
        fb::Status st;
        ITransaction* tr = transaction && transaction->handle ? transaction->handle : nullptr;
        // The server prepares only inside a transaction; when the statement's
        // own is not running (columns asked for before the work starts) a
        // short read-only one serves.
        ITransaction* own = nullptr;
        if (!tr) {
            fb::Xpb tpb(IXpbBuilder::TPB);
            tpb.tag(isc_tpb_read_committed).tag(isc_tpb_rec_version).tag(isc_tpb_read).tag(isc_tpb_nowait);
            tr = own = att->startTransaction(&st, tpb.length(), tpb.data());
        }
        try {
            handle = att->prepare(&st, tr, static_cast<unsigned>(text.size()), text.c_str(), kDialect,
                                  IStatement::PREPARE_PREFETCH_METADATA);
        } catch (...) {
            if (own) {
                try {
                    fb::Status quiet;
                    own->rollback(&quiet);   // releases on success
                } catch (const FbException&) {
                    own->release();
                }
            }
            throw;
        }
        if (own) {
            try {
                own->commit(&st);   // releases on success
            } catch (const FbException&) {
                own->release();
                throw;
            }
        }
        generation = attachment->generation;
        type = handle->getType(&st);
        inMeta = handle->getInputMetadata(&st);
        // Held at once, so that unprepare() releases it when a later call fails.
        outMeta = handle->getOutputMetadata(&st);
        IMessageMetadata* declared = outMeta;
        const unsigned n = declared->getCount(&st);
        fields.resize(n);
        for (unsigned i = 0; i < n; ++i) {
            FieldInfo& f = fields[i];
            const char* alias = declared->getAlias(&st, i);
            f.name = fromServer(alias && *alias ? alias : declared->getField(&st, i));
            f.upperName = upper(f.name);
            f.type = declared->getType(&st, i) & ~1u;
            f.subType = declared->getSubType(&st, i);
            f.scale = declared->getScale(&st, i);
            f.length = declared->getLength(&st, i);
            f.charset = declared->getCharSet(&st, i);
        }
        for (unsigned i = 0; i < n; ++i) {
            fields[i].offset = outMeta->getOffset(&st, i);
            fields[i].nullOffset = outMeta->getNullOffset(&st, i);
        }
        outBuffer.assign(outMeta->getMessageLength(&st), 0);
        inputCount = inMeta->getCount(&st);
    } catch (const FbException& e) {
        unprepare();
        fb::rethrow(e);
    }
    try {
        checkStatement(type, inputCount, values.size(), sql);
    } catch (...) {
        unprepare();
        throw;
    }
}

void StatementImpl::execute()
{
    if (!transaction)
        throw DbError("the statement's transaction is gone");
    ITransaction* tr = transaction->activeHandle();
    ensurePrepared();
    closeCursor();
    row = false;
    affected = 0;
    IAttachment* att = attachment->attachedHandle();
    try {
        fb::Status st;
        // The input message is described by what was set, not by what the
        // server declared: the server converts (and checks lengths) itself.
        Builder b(inMeta);
        std::vector<ISC_QUAD> blobIds(values.size());
        for (unsigned i = 0; i < values.size(); ++i) {
            const ParamValue& v = values[i];
            const unsigned declared = inMeta->getType(&st, i) & ~1u;
            const unsigned declaredCharset = inMeta->getCharSet(&st, i);
            switch (v.kind) {
            case ParamValue::Kind::Null:
                break;
            case ParamValue::Kind::Text:
            case ParamValue::Kind::Bytes:
                if (declared == SQL_BLOB) {
                    blobIds[i] = Blob::write(att, tr, v.bytes);
                } else {
                    if (v.bytes.size() > kMaxVarchar)
                        throw DbError("a text of " + std::to_string(v.bytes.size())
                                      + " bytes does not fit a string parameter (at most 32765)");
                    b->setType(&st, i, SQL_VARYING);
                    b->setLength(&st, i, static_cast<unsigned>(std::max<std::size_t>(v.bytes.size(), 1)));
                    unsigned cs = v.kind == ParamValue::Kind::Bytes ? fb::kCharsetOctets : fb::kCharsetSjis0208;
                    if (isTextType(declared) && v.kind == ParamValue::Kind::Text)
                        cs = declaredCharset;
                    b->setCharSet(&st, i, cs);
                }
                break;
            case ParamValue::Kind::Int:
                b->setType(&st, i, SQL_INT64);
                b->setLength(&st, i, sizeof(ISC_INT64));
                b->setScale(&st, i, -v.scale);
                break;
            case ParamValue::Kind::Double:
                b->setType(&st, i, SQL_DOUBLE);
                b->setLength(&st, i, sizeof(double));
                b->setScale(&st, i, 0);
                break;
            case ParamValue::Kind::Date:
                b->setType(&st, i, SQL_TYPE_DATE);
                b->setLength(&st, i, sizeof(ISC_DATE));
                b->setScale(&st, i, 0);
                break;
            case ParamValue::Kind::Timestamp:
                b->setType(&st, i, SQL_TIMESTAMP);
                b->setLength(&st, i, sizeof(ISC_TIMESTAMP));
                b->setScale(&st, i, 0);
                break;
            case ParamValue::Kind::Bool:
                if (declared == SQL_BOOLEAN) {
                    b->setType(&st, i, SQL_BOOLEAN);
                    b->setLength(&st, i, 1);
                } else {
                    b->setType(&st, i, SQL_SHORT);
                    b->setLength(&st, i, sizeof(short));
                }
                b->setScale(&st, i, 0);
                break;
            }
        }
        MetaRef meta(b->getMetadata(&st));
        std::vector<unsigned char> in(meta.get()->getMessageLength(&st), 0);
        for (unsigned i = 0; i < values.size(); ++i) {
            const ParamValue& v = values[i];
            const unsigned off = meta.get()->getOffset(&st, i);
            const short nullFlag = v.kind == ParamValue::Kind::Null ? -1 : 0;
            put(in, meta.get()->getNullOffset(&st, i), nullFlag);
            switch (v.kind) {
            case ParamValue::Kind::Null:
                break;
            case ParamValue::Kind::Text:
            case ParamValue::Kind::Bytes:
                if ((meta.get()->getType(&st, i) & ~1u) == SQL_BLOB) {
                    put(in, off, blobIds[i]);
                } else {
                    put(in, off, static_cast<unsigned short>(v.bytes.size()));
                    std::memcpy(in.data() + off + 2, v.bytes.data(), v.bytes.size());
                }
                break;
            case ParamValue::Kind::Int:
                put(in, off, static_cast<ISC_INT64>(v.integer));
                break;
            case ParamValue::Kind::Double:
                put(in, off, v.real);
                break;
            case ParamValue::Kind::Date:
                put(in, off, v.date);
                break;
            case ParamValue::Kind::Timestamp:
                put(in, off, ISC_TIMESTAMP{v.date, v.time});
                break;
            case ParamValue::Kind::Bool:
                if ((meta.get()->getType(&st, i) & ~1u) == SQL_BOOLEAN)
                    put(in, off, static_cast<unsigned char>(v.boolean ? 1 : 0));
                else
                    put(in, off, static_cast<short>(v.boolean ? 1 : 0));
                break;
            }
        }
        if (type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd) {
            cursor = handle->openCursor(&st, tr, meta.get(), in.data(), outMeta, 0);
        } else {
            const bool outputs = !fields.empty();
            handle->execute(&st, tr, meta.get(), in.data(), outputs ? outMeta : nullptr,
                            outputs ? outBuffer.data() : nullptr);
            row = outputs;
            affected = static_cast<std::int64_t>(handle->getAffectedRecords(&st));
        }
    } catch (const FbException& e) {
        fb::rethrow(e);
    }
}

bool StatementImpl::fetch()
{
    if (!cursor) {
        row = false;
        return false;
    }
    try {
        fb::Status st;
        if (cursor->fetchNext(&st, outBuffer.data()) == IStatus::RESULT_OK) {
            row = true;
            return true;
        }
    } catch (const FbException& e) {
        closeCursor();
        fb::rethrow(e);
    }
    closeCursor();
    return false;
}

std::vector<std::size_t> StatementImpl::positionsOf(std::string_view name) const
{
    const std::string key = upper(name.starts_with(':') ? name.substr(1) : name);
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < parsed.positions.size(); ++i)
        if (!key.empty() && parsed.positions[i] == key)
            out.push_back(i);
    return out;
}

std::size_t StatementImpl::fieldIndex(std::string_view name) const
{
    const std::string key = upper(name);
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].upperName == key)
            return i;
    return fields.size();
}

const FieldInfo& StatementImpl::fieldAt(std::size_t index) const
{
    if (index >= fields.size())
        throw DbError("field index out of range: " + std::to_string(index));
    return fields[index];
}

const unsigned char* StatementImpl::valueOf(std::size_t index) const
{
    const FieldInfo& f = fieldAt(index);
    if (!row)
        throw DbError("no current row to read " + f.name + " from");
    short nullFlag = 0;
    std::memcpy(&nullFlag, outBuffer.data() + f.nullOffset, sizeof nullFlag);
    return nullFlag ? nullptr : outBuffer.data() + f.offset;
}

const unsigned char* StatementImpl::valueIn(std::size_t index, const unsigned char* copy) const
{
    const FieldInfo& f = fieldAt(index);
    short nullFlag = 0;
    std::memcpy(&nullFlag, copy + f.nullOffset, sizeof nullFlag);
    return nullFlag ? nullptr : copy + f.offset;
}

// --- Statement ----------------------------------------------------------

Statement::Statement(Attachment& attachment, Transaction& transaction, std::string_view sql, bool paramCheck)
    : impl_(std::make_unique<StatementImpl>())
{
    impl_->attachment = attachment.impl();
    impl_->attachment->statements.insert(impl_.get());
    impl_->setTransaction(transaction.impl());
    impl_->paramCheck = paramCheck;
    setSql(sql);
}

Statement::~Statement() = default;
Statement::Statement(Statement&&) noexcept = default;
Statement& Statement::operator=(Statement&&) noexcept = default;

void Statement::setSql(std::string_view sql)
{
    impl_->unprepare();
    impl_->sql = std::string(sql);
    impl_->parse();
}

const std::string& Statement::sql() const
{
    return impl_->sql;
}

void Statement::setParamCheck(bool on)
{
    if (impl_->paramCheck == on)
        return;
    impl_->paramCheck = on;
    setSql(std::string(impl_->sql));
}

void Statement::setTransaction(Transaction& transaction)
{
    impl_->setTransaction(transaction.impl());
}

void Statement::prepare()
{
    const CallClock::Scope engineTime;
    impl_->ensurePrepared();
}

void Statement::unprepare() noexcept
{
    impl_->unprepare();
}

bool Statement::prepared() const
{
    return impl_->isPrepared();
}

StatementKind Statement::kind()
{
    impl_->ensurePrepared();
    switch (impl_->type) {
    case isc_info_sql_stmt_select: return StatementKind::Select;
    case isc_info_sql_stmt_select_for_upd: return StatementKind::SelectForUpdate;
    case isc_info_sql_stmt_insert: return StatementKind::Insert;
    case isc_info_sql_stmt_update: return StatementKind::Update;
    case isc_info_sql_stmt_delete: return StatementKind::Delete;
    case isc_info_sql_stmt_exec_procedure: return StatementKind::ExecProcedure;
    case isc_info_sql_stmt_ddl: return StatementKind::Ddl;
    default: return StatementKind::Other;
    }
}

std::vector<std::string> Statement::paramNames() const
{
    std::vector<std::string> names;
    for (const auto& n : impl_->parsed.positions)
        if (!n.empty() && std::find(names.begin(), names.end(), n) == names.end())
            names.push_back(n);
    return names;
}

bool Statement::hasParam(std::string_view name) const
{
    return !impl_->positionsOf(name).empty();
}

Parameter Statement::param(std::string_view name)
{
    auto positions = impl_->positionsOf(name);
    if (positions.empty())
        throw DbError("no parameter :" + std::string(name) + " in " + impl_->sql);
    return Parameter(impl_.get(), std::move(positions));
}

Parameter Statement::paramAt(std::size_t position)
{
    if (position >= impl_->values.size())
        throw DbError("parameter position out of range: " + std::to_string(position));
    return Parameter(impl_.get(), {position});
}

std::size_t Statement::paramCount() const
{
    return impl_->values.size();
}

void Statement::clearParams()
{
    for (auto& v : impl_->values)
        v = ParamValue{};
}

void Statement::execute()
{
    const CallClock::Scope engineTime;
    impl_->execute();
}

bool Statement::fetch()
{
    const CallClock::Scope engineTime;
    return impl_->fetch();
}

bool Statement::hasRow() const
{
    return impl_->row;
}

bool Statement::cursorOpen() const
{
    return impl_->cursor != nullptr;
}

void Statement::close() noexcept
{
    impl_->closeCursor();
    impl_->row = false;
}

std::int64_t Statement::rowsAffected() const
{
    return impl_->affected;
}

std::size_t Statement::fieldCount()
{
    impl_->ensurePrepared();
    return impl_->fields.size();
}

std::string Statement::fieldName(std::size_t index)
{
    impl_->ensurePrepared();
    return impl_->fieldAt(index).name;
}

bool Statement::hasField(std::string_view name)
{
    impl_->ensurePrepared();
    return impl_->fieldIndex(name) < impl_->fields.size();
}

Field Statement::field(std::string_view name)
{
    impl_->ensurePrepared();
    const std::size_t i = impl_->fieldIndex(name);
    if (i >= impl_->fields.size())
        throw DbError("no field " + std::string(name) + " in the result of " + impl_->sql);
    return Field(impl_.get(), i);
}

std::size_t Statement::rowSize()
{
    impl_->ensurePrepared();
    return impl_->outBuffer.size();
}

void Statement::copyRow(unsigned char* into) const
{
    if (!impl_->row)
        throw DbError("no current row to copy in " + impl_->sql);
    std::memcpy(into, impl_->outBuffer.data(), impl_->outBuffer.size());
}

Field Statement::field(std::size_t index)
{
    impl_->ensurePrepared();
    impl_->fieldAt(index);
    return Field(impl_.get(), index);
}

} // namespace vq::db
