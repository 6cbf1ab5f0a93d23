#include "platform/db/Attachment.h"

#include <ibase.h>

#include <chrono>
#include <optional>
#include <utility>

#include "platform/db/CallClock.h"
#include "platform/db/DbImpl.h"
#include "platform/db/FbCommon.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::db {

using namespace Firebird;

namespace {

// The DPB shared by attach and create: the user, the one character set and
// dialect 3. The file name is UTF-8 (the Linux file system's), not CP932.
void fillDpb(fb::Xpb& dpb, const ConnectParams& p)
{
    dpb.string(isc_dpb_user_name, p.user);
    dpb.string(isc_dpb_password, p.password);
    dpb.string(isc_dpb_lc_ctype, kCharset);
    dpb.integer(isc_dpb_sql_dialect, kDialect);
    dpb.tag(isc_dpb_utf8_filename);
    if (p.connectTimeoutSeconds > 0)
        dpb.integer(isc_dpb_connect_timeout, p.connectTimeoutSeconds);
}

void checkParams(const ConnectParams& p)
{
    if (p.database.empty())
        throw DbError("no database name given");
}

class Dispatcher {
public:
    Dispatcher() : provider_(fb::master()->getDispatcher()) {}
    ~Dispatcher() { provider_->release(); }
    IProvider* operator->() { return provider_; }

private:
    IProvider* provider_;
};

// Attaches impl to the database of params, or creates that database first
// when a page size is given; impl's former connection is closed before.
void open(AttachmentImpl& impl, const ConnectParams& params, std::optional<int> createPageSize)
{
    checkParams(params);
    impl.detach();
    fb::Utf8FileNames utf8;
    const auto call = [&] {
        fb::Xpb dpb(IXpbBuilder::DPB);
        fillDpb(dpb, params);
        fb::Status st;
        Dispatcher provider;
        if (!createPageSize)
            return provider->attachDatabase(&st, params.database.c_str(), dpb.length(), dpb.data());
        dpb.integer(isc_dpb_page_size, *createPageSize);
        dpb.string(isc_dpb_set_db_charset, kCharset);
        return provider->createDatabase(&st, params.database.c_str(), dpb.length(), dpb.data());
    };
    const auto started = std::chrono::steady_clock::now();
    try {
        impl.handle = fb::translated(call);
    } catch (DbError& e) {
        // A host that never answers ends in the same "rejected" code as a
        // server that refuses; only the time spent tells them apart.
        const auto limit = std::chrono::seconds(params.connectTimeoutSeconds) - std::chrono::milliseconds(250);
        if (params.connectTimeoutSeconds > 0 && e.hasCode(gds::connectReject) &&
            std::chrono::steady_clock::now() - started >= limit)
            e.setConnectTimeout(true);
        throw;
    }
    impl.params = params;
    ++impl.generation;
}

} // namespace

AttachmentImpl::~AttachmentImpl()
{
    detach();
    for (auto* t : std::set<TransactionImpl*>(transactions))
        t->unlinkAttachment(this);
    for (auto* s : std::set<StatementImpl*>(statements))
        s->attachment = nullptr;
}

void AttachmentImpl::endChildren() noexcept
{
    for (auto* t : transactions)
        t->rollbackQuietly();
    for (auto* s : statements)
        s->unprepare();
}

void AttachmentImpl::detach() noexcept
{
    endChildren();
    if (handle)
        fb::endQuietly(handle, [](IAttachment* h, ThrowStatusWrapper* st) { h->detach(st); });
    ++generation;
}

IAttachment* AttachmentImpl::attachedHandle() const
{
    if (!handle)
        throw DbError("database is not attached");
    return handle;
}

Attachment::Attachment() : impl_(std::make_unique<AttachmentImpl>()) {}
Attachment::~Attachment() = default;
Attachment::Attachment(Attachment&&) noexcept = default;
Attachment& Attachment::operator=(Attachment&&) noexcept = default;

void Attachment::attach(const ConnectParams& params)
{
    const CallClock::Scope engineTime;
    open(*impl_, params, std::nullopt);
}

void Attachment::create(const ConnectParams& params, int pageSize)
{
    open(*impl_, params, pageSize);
}

void Attachment::detach() noexcept
{
    impl_->detach();
}

void Attachment::drop()
{
    IAttachment* h = impl_->attachedHandle();
    impl_->endChildren();
    fb::translated([h] {
        fb::Status st;
        h->dropDatabase(&st);   // releases the handle on success
    });
    impl_->handle = nullptr;
    ++impl_->generation;
}

bool Attachment::attached() const
{
    return impl_->handle != nullptr;
}

const ConnectParams& Attachment::params() const
{
    return impl_->params;
}

void Attachment::execute(Transaction& tr, std::string_view sql)
{
    const CallClock::Scope engineTime;
    IAttachment* h = impl_->attachedHandle();
    ITransaction* t = tr.impl()->activeHandle();
    const std::string text = fb::sqlText(sql);
    // Prepared first, so that what a statement may not do is refused before
    // anything runs.
    IStatement* statement = fb::translated([&] {
        fb::Status st;
        return h->prepare(&st, t, static_cast<unsigned>(text.size()), text.c_str(), kDialect, 0);
    });
    const auto freeStatement = [&] {
        fb::endQuietly(statement, [](IStatement* s, ThrowStatusWrapper* st) { s->free(st); });
    };
    try {
        const auto [type, parameters] = fb::translated([&] {
            fb::Status st;
            IMessageMetadata* in = statement->getInputMetadata(&st);
            const unsigned count = in->getCount(&st);
            in->release();
            return std::pair{statement->getType(&st), count};
        });
        checkStatement(type, parameters, 0, sql);
        fb::translated([&] {
            fb::Status st;
            statement->execute(&st, t, nullptr, nullptr, nullptr, nullptr);
        });
    } catch (...) {
        freeStatement();
        throw;
    }
    freeStatement();
}

int Attachment::attachmentCount()
{
    Transaction tr(*this, kReadCommittedReadOnly);
    tr.start();
    Statement q(*this, tr, "SELECT COUNT(*) FROM MON$ATTACHMENTS WHERE MON$SYSTEM_FLAG = 0");
    q.execute();
    return q.fetch() ? q.field(std::size_t{0}).asInt() : 0;
}

std::string Attachment::serverVersion()
{
    IAttachment* h = impl_->attachedHandle();
    const unsigned char items[] = {isc_info_firebird_version, isc_info_end};
    unsigned char buffer[512] = {};
    fb::translated([&] {
        fb::Status st;
        h->getInfo(&st, sizeof items, items, sizeof buffer, buffer);
    });
    // isc_info_firebird_version, length(2), count(1), then count pascal strings.
    std::string out;
    if (buffer[0] == isc_info_firebird_version) {
        const unsigned count = buffer[3];
        const unsigned char* p = buffer + 4;
        for (unsigned i = 0; i < count && p < buffer + sizeof buffer; ++i) {
            const unsigned len = *p++;
            if (!out.empty())
                out += ' ';
            out.append(reinterpret_cast<const char*>(p), len);
            p += len;
        }
    }
    return out;
}

Attachment attachDatabase(const ConnectParams& params)
{
    Attachment a;
    a.attach(params);
    return a;
}

} // namespace vq::db
