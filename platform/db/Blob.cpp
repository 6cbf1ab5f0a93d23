#include "platform/db/Blob.h"

#include <algorithm>

#include "platform/db/FbCommon.h"

namespace vq::db {

using namespace Firebird;

namespace {

// Segments are limited to 64 KiB - 1 by the wire protocol.
constexpr unsigned kSegment = 32768;

// Closes (or at least releases) a blob on every path.
class BlobHandle {
public:
    explicit BlobHandle(IBlob* b) : blob_(b) {}
    ~BlobHandle()
    {
        if (!blob_)
            return;
        try {
            fb::Status st;
            blob_->cancel(&st);
        } catch (const FbException&) {
            blob_->release();
        }
    }
    IBlob* operator->() { return blob_; }
    void close()
    {
        fb::Status st;
        blob_->close(&st);   // releases on success
        blob_ = nullptr;
    }

private:
    IBlob* blob_;
};

} // namespace

std::string Blob::read(IAttachment* attachment, ITransaction* transaction, const ISC_QUAD& id)
{
    std::string out;
    try {
        fb::Status st;
        ISC_QUAD blobId = id;
        BlobHandle blob(attachment->openBlob(&st, transaction, &blobId, 0, nullptr));
        char buffer[kSegment];
        for (;;) {
            unsigned got = 0;
            const int rc = blob->getSegment(&st, sizeof buffer, buffer, &got);
            if (rc == IStatus::RESULT_NO_DATA)
                break;
            out.append(buffer, got);
        }
        blob.close();
    } catch (const FbException& e) {
        fb::rethrow(e);
    }
    return out;
}

ISC_QUAD Blob::write(IAttachment* attachment, ITransaction* transaction, std::string_view bytes)
{
    ISC_QUAD id{};
    try {
        fb::Status st;
        BlobHandle blob(attachment->createBlob(&st, transaction, &id, 0, nullptr));
        for (std::size_t pos = 0; pos < bytes.size(); pos += kSegment) {
            const auto n = static_cast<unsigned>(std::min<std::size_t>(kSegment, bytes.size() - pos));
            blob->putSegment(&st, n, bytes.data() + pos);
        }
        blob.close();
    } catch (const FbException& e) {
        fb::rethrow(e);
    }
    return id;
}

} // namespace vq::db
