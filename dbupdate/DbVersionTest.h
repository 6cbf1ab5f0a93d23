#pragma once
// The version test of the database update: given a database's version (a
// version text, or read from the open database), which steps of its list are
// still pending. The data selection screen asks it per data-list row whether
// a data set needs a database update. The update dialog shows the same state.
#include <cstdint>
#include <string>

#include "dbupdate/DbUpdateListRec.h"

namespace vq {

class TDbVersionTest {
public:
    TDbVersionTest();

    std::uint8_t FUpdateMode = 0;  // 0 system database, 1 data-set database
    bool FNeedUpdate = false;
    TArrayDbUpdateListRec FSystemList;
    TArrayDbUpdateListRec FDataList;
    std::int32_t FDbMajor = 0, FDbMinor1 = 0, FDbMinor2 = 0;
    std::int32_t FTargetMajor = 0, FTargetMinor1 = 0, FTargetMinor2 = 0;
    std::int32_t FFirstIndex = -1;  // first pending slot, -1 when none
    std::int32_t FLastIndex = -1;   // the list's last index when a slot is pending
    std::int32_t FBackupCount = 0;  // backup flags of the pending slots

    // Mode 0 the system database, 1 a data set. A non-empty text gives the
    // version ("13.0.3"); an empty one reads it from the database the data
    // module has open.
    void SetupUpdateList(std::uint8_t mode, const std::string& versionText);
    const TArrayDbUpdateListRec& CurrentList() const { return FUpdateMode == 0 ? FSystemList : FDataList; }

    // Three parts split at '.', each a number (0 when not); any other count
    // of parts is 0.0.0.
    void ParseDbVersionText(const std::string& text);
    // The highest version row of VERSION (mode 0) or ACCVERSION (mode 1);
    // 0.0.0 when there is none or the query fails (every step then pending).
    void SetDbVersion();
};

} // namespace vq
