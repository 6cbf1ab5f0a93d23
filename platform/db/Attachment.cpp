#include "platform/db/Attachment.h"

#include <ibase.h>

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

} // namespace

AttachmentImpl::~AttachmentImpl()
{
    detach();
    for (auto* t : std::set<TransactionImpl*>(transactions))
        t->unlinkAttachment(this);
    for (auto* s : std::set<StatementImpl*>(statements))
        s->attachment = nullptr;
}

void AttachmentImpl::detach() noexcept
{
    for (auto* t : transactions)
        t->rollbackQuietly();
    for (auto* s : statements)
        s->unprepare();
    if (handle) {
        try {
            fb::Status st;
            handle->detach(&st);   // releases the handle on success
        } catch (const FbException&) {
            // A lost connection cannot be detached properly; drop what we hold.
            handle->release();
        }
        handle = nullptr;
    }
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
    checkParams(params);
    impl_->detach();
    try {
        fb::Xpb dpb(IXpbBuilder::DPB);
        fillDpb(dpb, params);
        fb::Status st;
        Dispatcher provider;
        impl_->handle = provider->attachDatabase(&st, params.database.c_str(), dpb.length(), dpb.data());
    } catch (const FbException& e) {
        fb::rethrow(e);
    }
    impl_->params = params;
    ++impl_->generation;
}

void Attachment::create(const ConnectParams& params, int pageSize)
{
    checkParams(params);
    impl_->detach();
    try {
        fb::Xpb dpb(IXpbBuilder::DPB);
        fillDpb(dpb, params);
        dpb.integer(isc_dpb_page_size, pageSize);
        dpb.string(isc_dpb_set_db_charset, kCharset);
        fb::Status st;
        Dispatcher provider;
        impl_->handle = provider->createDatabase(&st, params.database.c_str(), dpb.length(), dpb.data());
    } catch (const FbException& e) {
        fb::rethrow(e);
    }
    impl_->params = params;
    ++impl_->generation;
}

void Attachment::detach() noexcept
{
    impl_->detach();
}

void Attachment::drop()
{
    IAttachment* h = impl_->attachedHandle();
    for (auto* t : impl_->transactions)
        t->rollbackQuietly();
    for (auto* s : impl_->statements)
        s->unprepare();
    try {
        fb::Status st;
        h->dropDatabase(&st);   // releases the handle on success
    } catch (const FbException& e) {
        fb::rethrow(e);
    }
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
    IAttachment* h = impl_->attachedHandle();
    ITransaction* t = tr.impl()->activeHandle();
    const std::string text = fb::sqlText(sql);
    try {
        fb::Status st;
        h->execute(&st, t, static_cast<unsigned>(text.size()), text.c_str(), kDialect, nullptr, nullptr,
                   nullptr, nullptr);
    } catch (const FbException& e) {
        fb::rethrow(e);
    }
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
    try {
        fb::Status st;
        h->getInfo(&st, sizeof items, items, sizeof buffer, buffer);
    } catch (const FbException& e) {
        fb::rethrow(e);
    }
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
