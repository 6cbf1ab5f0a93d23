#include "platform/db/Transaction.h"

#include <ibase.h>

#include "platform/db/CallClock.h"
#include "platform/db/DbImpl.h"
#include "platform/db/FbCommon.h"

namespace vq::db {

using namespace Firebird;

namespace {

void fillTpb(fb::Xpb& tpb, const TransactionOptions& o)
{
    switch (o.isolation) {
    case Isolation::ReadCommitted:
        tpb.tag(isc_tpb_read_committed).tag(isc_tpb_rec_version);
        break;
    case Isolation::Snapshot:
        tpb.tag(isc_tpb_concurrency);
        break;
    case Isolation::TableStability:
        tpb.tag(isc_tpb_consistency);
        break;
    }
    tpb.tag(o.readOnly ? isc_tpb_read : isc_tpb_write);
    if (!o.wait)
        tpb.tag(isc_tpb_nowait);
    else if (o.lockTimeout > 0)
        tpb.tag(isc_tpb_wait).integer(isc_tpb_lock_timeout, o.lockTimeout);
    else
        tpb.tag(isc_tpb_wait);
}

} // namespace

TransactionImpl::~TransactionImpl()
{
    rollbackQuietly();
    for (auto* a : attachments)
        a->transactions.erase(this);
    for (auto* s : statements)
        s->transaction = nullptr;
}

void TransactionImpl::closeCursors() noexcept
{
    for (auto* s : statements)
        s->closeCursor();
}

void TransactionImpl::rollbackQuietly() noexcept
{
    if (!handle)
        return;
    closeCursors();
    fb::endQuietly(handle, [](ITransaction* h, ThrowStatusWrapper* st) { h->rollback(st); });
}

void TransactionImpl::unlinkAttachment(AttachmentImpl* a) noexcept
{
    rollbackQuietly();
    std::erase(attachments, a);
    a->transactions.erase(this);
}

ITransaction* TransactionImpl::activeHandle() const
{
    if (!handle)
        throw DbError("transaction is not active");
    return handle;
}

Transaction::Transaction(Attachment& attachment, TransactionOptions options)
    : Transaction(std::vector<Attachment*>{&attachment}, options)
{
}

Transaction::Transaction(const std::vector<Attachment*>& attachments, TransactionOptions options)
    : impl_(std::make_unique<TransactionImpl>())
{
    if (attachments.empty())
        throw DbError("a transaction needs an attachment");
    impl_->options = options;
    for (Attachment* a : attachments) {
        impl_->attachments.push_back(a->impl());
        a->impl()->transactions.insert(impl_.get());
    }
}

Transaction::~Transaction() = default;
Transaction::Transaction(Transaction&&) noexcept = default;
Transaction& Transaction::operator=(Transaction&&) noexcept = default;

bool Transaction::active() const
{
    return impl_ && impl_->handle != nullptr;
}

void Transaction::start()
{
    const CallClock::Scope engineTime;
    if (active())
        throw DbError("transaction is already active");
    if (impl_->attachments.empty())
        throw DbError("the transaction's database is gone");
    fb::Xpb tpb(IXpbBuilder::TPB);
    fillTpb(tpb, impl_->options);
    try {
        fb::Status st;
        if (impl_->attachments.size() == 1) {
            IAttachment* a = impl_->attachments.front()->attachedHandle();
            impl_->handle = a->startTransaction(&st, tpb.length(), tpb.data());
            return;
        }
        // Two-phase commit across databases through the distributed
        // transaction coordinator.
        IDtcStart* builder = fb::master()->getDtc()->startBuilder(&st);
        // start() disposes the builder only when it succeeds.
        try {
            for (auto* a : impl_->attachments)
                builder->addWithTpb(&st, a->attachedHandle(), tpb.length(), tpb.data());
            impl_->handle = builder->start(&st);
        } catch (...) {
            builder->dispose();
            throw;
        }
    } catch (const FbException& e) {
        fb::rethrow(e);
    }
}

bool Transaction::startIfInactive()
{
    if (active())
        return false;
    start();
    return true;
}

void Transaction::commit()
{
    const CallClock::Scope engineTime;
    ITransaction* h = impl_->activeHandle();
    impl_->closeCursors();
    // A failed commit leaves the transaction active: the caller decides
    // (usually a rollback).
    fb::translated([h] {
        fb::Status st;
        h->commit(&st);   // releases the handle on success
    });
    impl_->handle = nullptr;
}

void Transaction::commitRetaining()
{
    const CallClock::Scope engineTime;
    ITransaction* h = impl_->activeHandle();
    fb::translated([h] {
        fb::Status st;
        h->commitRetaining(&st);
    });
}

void Transaction::rollback()
{
    const CallClock::Scope engineTime;
    if (!active())
        return;
    ITransaction* h = impl_->handle;
    impl_->closeCursors();
    try {
        fb::Status st;
        h->rollback(&st);
    } catch (const FbException& e) {
        // A transaction whose rollback fails is over all the same (its
        // connection is gone): never leave it looking active.
        h->release();
        impl_->handle = nullptr;
        fb::rethrow(e);
    }
    impl_->handle = nullptr;
}

void Transaction::rollbackRetaining()
{
    const CallClock::Scope engineTime;
    ITransaction* h = impl_->activeHandle();
    fb::translated([h] {
        fb::Status st;
        h->rollbackRetaining(&st);
    });
}

const TransactionOptions& Transaction::options() const
{
    return impl_->options;
}

void Transaction::setOptions(TransactionOptions options)
{
    impl_->options = options;
}

TransactionScope::TransactionScope(Transaction& tr) : tr_(tr), started_(tr.startIfInactive()) {}

TransactionScope::~TransactionScope()
{
    if (started_ && !done_)
        tr_.impl()->rollbackQuietly();
}

void TransactionScope::commit()
{
    if (started_ && !done_)
        tr_.commit();
    done_ = true;
}

} // namespace vq::db
