#pragma once
// Statements already bound to the right database and transaction, so that
// callers name a database by a short word: "ACCDEF" the system database,
// anything else ("ACCDAT") the open data set's. The caller owns the
// statement, sets its SQL and frees it before the data module goes away.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/db/Statement.h"

namespace vq {

inline constexpr const char* kAccDef = "ACCDEF";
inline constexpr const char* kAccDat = "ACCDAT";

// "ACCDEF": IBDatabaseDEF with IBTransactionDEF. Otherwise IBDatabaseDAT with
// IBTransactionDATSS when useSnapshot, else IBTransactionDAT. nullptr when
// the statement cannot be made (no data module); never throws.
std::unique_ptr<db::Statement> CreateAccQuery(const std::string& dbName, bool useSnapshot);
// The same; the snapshot only when useSnapshot is exactly 1.
std::unique_ptr<db::Statement> CreateAccSql(const std::string& dbName, std::uint8_t useSnapshot);

} // namespace vq
