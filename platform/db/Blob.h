#pragma once
// Internal to vq_db: whole-blob reads and writes for statements. Callers
// read blobs through Field (asLines/asBytes) and write them through
// Parameter (setLines/setText/setBytes).
#include <firebird/Interface.h>

#include <string>
#include <string_view>

namespace vq::db {

class Blob {
public:
    // The blob's bytes, unconverted. Throws DbError.
    static std::string read(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction,
                            const ISC_QUAD& id);
    // A new blob holding bytes; returns its id for a parameter. Throws DbError.
    static ISC_QUAD write(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction,
                          std::string_view bytes);
};

} // namespace vq::db
