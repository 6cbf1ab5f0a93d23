#pragma once
// The status every data-set operation checks before its first write, marks
// while it works and sets free again at its end (on every path). Stand-alone
// data keeps it in the info file; data reached through the server keeps
// nothing there, and the operations mark the data-list row's DATALOCK with
// the operator number instead.
#include <cstdint>
#include <string>

#include "datasets/DataRowChecks.h"
#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

// IsAllowedStatus and CheckDataStatus, the checks every operation starts
// from, live with the screen's row checks (DataRowChecks.h).

// Writes STATUS with the logged-on operator (cleared for 1) into the info
// file of a stand-alone data set; nothing in the server modes. Never throws:
// a status that cannot be written is no reason to abandon a finished change.
void SetDataStatus(const std::string& folder, std::uint8_t status);

// Sets STATUS on construction and back to 1 on destruction, so that no path
// out of an operation leaves 4, 5, 6, 7 or 9 behind.
class DataStatusMark {
public:
    DataStatusMark(std::string folder, std::uint8_t status);
    ~DataStatusMark();
    DataStatusMark(const DataStatusMark&) = delete;
    DataStatusMark& operator=(const DataStatusMark&) = delete;

private:
    std::string folder_;
};

// The logged-on operator's number (operator code modulo GROUPID * 10000).
std::int32_t CurrentOperatorNumber();

// Writes DATALOCK of the data-list row REC (the parent table of the current
// place); ReportErrors as the data-list store's writes.
bool WriteRowDataLock(std::int32_t rec, std::int32_t lock, bool reportErrors);

// In the server modes: locks the row with the operator number while the
// object lives, unless it carried a lock already (the holder keeps it).
class RowDataLock {
public:
    RowDataLock(std::int32_t rec, std::int32_t currentLock);
    ~RowDataLock();
    RowDataLock(const RowDataLock&) = delete;
    RowDataLock& operator=(const RowDataLock&) = delete;
    bool held() const { return held_; }

private:
    std::int32_t rec_;
    bool held_ = false;
};

} // namespace vq
