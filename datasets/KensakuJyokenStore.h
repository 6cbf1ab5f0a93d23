#pragma once
// The operator's stored search conditions of one list type (KENSAKUJYOKEN,
// one row per operator and list type). The search dialog and the selection
// screens keep their conditions and their sort through it. It runs on a
// read-committed transaction of its own over the system database, so the
// conditions are committed apart from the data module's work; a call inside
// an active transaction of the store leaves reporting and the end to whoever
// started it.
#include <cstdint>

#include "datasets/DataKensakuRec.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

class TKensakuJyokenStore {
public:
    // Needs the data module (DM) with its system database object.
    TKensakuJyokenStore();

    std::int32_t ListType = 0;  // 0 data list, 1 shared list

    // cond := a blank record of the logged-on operator for ListType.
    void InitKensakuRec(TDataKensakuRec& cond) const;
    // Reads the operator's row into cond, inserting a blank one the first
    // time. False after a reported error (cond keeps what was read).
    bool SelectRecord(TDataKensakuRec& cond);
    // Stores all conditions and the sort; False after a reported error.
    bool UpdateRecord(const TDataKensakuRec& cond);
    // Stores only the sort.
    bool UpdateRecordSortField(const TDataKensakuRec& cond);

    db::Transaction& transaction() { return transaction_; }

private:
    template <class Work>
    bool Run(const char* label, const char* msg, Work&& work);

    db::Transaction transaction_;
    db::Statement sql_;
};

} // namespace vq
