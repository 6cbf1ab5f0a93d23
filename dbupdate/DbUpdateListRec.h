#pragma once
// The versioned update steps of the two kinds of database: the office's
// system database (version rows in VERSION) and a data set's database
// (ACCVERSION). Each list is in ascending version order, one slot per step;
// the version test and the update run rely on that order. The target version
// of a list is the version of its last slot.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vq {

struct TDbUpdateListRec {
    std::int32_t Major = 0;
    std::int32_t Minor1 = 0;
    std::int32_t Minor2 = 0;
    // The step's work; empty until the step's own update is installed.
    std::function<std::int32_t()> UpdateProc;
    std::int32_t BackupFlag = 0;   // 1: a run that includes this step backs up first
    std::string Title;
    std::string Description;
};

using TArrayDbUpdateListRec = std::vector<TDbUpdateListRec>;

// The 18 steps of the system database, 0.3.1 to 12.0.0.
TArrayDbUpdateListRec SystemUpdateSteps();
// The 61 steps of a data set's database, 0.1.1 to 14.0.0.
TArrayDbUpdateListRec DataUpdateSteps();

// (a, b, c) is newer than (x, y, z), compared part by part as signed integers.
bool IsNewerStep(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t x, std::int32_t y, std::int32_t z);

} // namespace vq
