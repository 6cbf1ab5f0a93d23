#pragma once
// What the oldest system steps (0.3.1 to 5.0.0) share: the script on the
// system database with the version record last, the statements of the
// step's own SQL file, and the call that checks the data-list folders.
#include <cstdint>
#include <string>

#include "dbupdate/UpdateScript.h"

namespace vq {

// The scheme of system step major.minor1.minor2 whose statements are the
// SQL file sqlName (see StepSql.h); setNames adds "SET NAMES SJIS_0208;".
TUpdateScheme OldSystemScheme(std::int32_t major, std::int32_t minor1, std::int32_t minor2, bool setNames,
                              const std::string& sqlName);

// Client/server only: the data-list folders under the system-database
// folder, through SP_DATALIST_UPDATE, then "COMMIT;". The procedure leaves
// the folders' letter case alone (names are case-sensitive here) and only
// compares without regard to it.
void AddDataListUpdate(TUpdateScript& script);

} // namespace vq
