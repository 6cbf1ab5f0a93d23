#pragma once
// The marks of the open data set's cash entries before a cash-book send, so
// that the merge of the cash book's entries can tell which entry each one
// stands for. A cash entry is a journal row with TAISHAKU 1 whose KCODE or
// R_KCODE is the cash account, or any such row whose LINKREC is above 0.
//
// Mode 0 (before a master send) renews the marks of every cash entry:
// RESERVE1 = its REC, RESERVE2, LINKREC and LOCALFLG 0, and a live entry
// linked to itself (LINKKEY its REC, LINKKUB 10). Rows taken in only for
// their LINKREC lose every mark. Mode 1 (after another send) links the live
// cash entries that are not linked yet and touches nothing else.
#include <cstdint>

#include "comm/CorvaneSyoriLog.h"
#include "platform/db/Statement.h"

namespace vq::comm {

class TCashBookSender {
public:
    // Works on the data module's data-set database and transaction.
    TCashBookSender();

    void ClearLog();
    void AddLog();
    std::int32_t RecomputeResult();
    // Never throws: a failure is rolled back (when the marking started the
    // transaction), logged (-100) and shown to the operator.
    void Execute();

    std::uint8_t AfterSend = 0;   // 1 forces mode 1
    std::uint8_t Mode = 1;
    std::int32_t SendResult = 0;
    TCorvaneSyoriInfo CurrentEntry;
    TCorvaneSyoriLog SendLog;

private:
    void markAll(const std::string& cash);
    void linkNew(const std::string& cash);

    db::Statement query_;
    db::Statement update_;
};

} // namespace vq::comm
