#pragma once
// The frame of every trial-balance load: one snapshot transaction of the data
// module (whatever was left open on it is committed first), a statement on
// it for the loader, a commit at the end, and on a database error a rollback
// and the operator's message. Other exceptions roll back and pass on.
#include <functional>

#include "platform/db/Statement.h"

namespace vq {

// The message shown when a data set holds more accounts than the rows of a
// trial balance can take.
inline constexpr const char* BalanceOverflowMessage =
    "試算表の行数が足りません。,上限を超えた科目は集計されていません。";

// Runs body with the load's statement. body returns false when the rows
// overflowed; that is shown and the load fails, as does a database error
// (reported with the context "試算表読込"). True when the load is complete.
bool RunBalanceLoad(const std::function<bool(db::Statement&)>& body);

} // namespace vq
