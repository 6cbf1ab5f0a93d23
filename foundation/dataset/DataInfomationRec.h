#pragma once
// The description of one data set: names, fiscal period, counts and data
// version, with its status and locks. The field names are the keys of the
// data set's info file "vqacc.ini".
#include <array>
#include <cstdint>
#include <string>

namespace vq {

// Data status of a data set (STATUS).
enum DataStatus : std::uint8_t {
    DataStatusOpenFailed = 0, // set by the readers only
    DataStatusFree = 1,
    DataStatusInUse = 2,
    DataStatusLocked = 3,
    DataStatusSaving = 4,
    DataStatusRestoring = 5,
    DataStatusCopySource = 6,
    DataStatusCopyTarget = 7, // also either side of a shared-folder exchange
    DataStatusDeleting = 8,
    DataStatusCreating = 9,
    DataStatusDamaged = 10,
};

// SHARE_STATUS: whether the data set is taken out of its shared folder.
enum ShareStatus : std::uint8_t { ShareStatusFree = 1, ShareStatusTaken = 2 };

// Display names of the data statuses, as the data-selection screens show them.
extern const std::array<const char*, 11> DataStatusNames;

struct TDataInfomationRec {
    std::uint8_t STATUS = DataStatusFree;
    std::int32_t OPCODE = 0;       // group id * 10000 + operator number of who set STATUS
    std::string OPERATOR;
    std::uint8_t SHARE_STATUS = ShareStatusFree;
    std::int32_t SHARE_OPCODE = 0; // who took it out of the shared folder
    std::string SHARE_OPERATOR;
    std::int32_t UPDATE_LOCK = 0;
    std::int32_t READ_ONLY = 0;
    std::string DATALISTNAME;
    std::string CODE;
    std::int32_t DATAKBN = 0;      // 1 corporation, 2 individual, 3 medical corporation
    std::int32_t CODEKBN = 0;
    std::string SHOUGOU;
    std::string KANA;
    std::int32_t NENDO = 0;
    std::string KISHU;             // "yyyy/mm/dd"
    std::string KIMATU;            // "yyyy/mm/dd"
    std::int32_t TANTO = 0;
    std::int32_t SITEN = 0;
    std::int32_t SITENCNT = 0;
    std::int32_t BUMON = 0;
    std::int32_t BUMONCNT = 0;
    std::int32_t SIWAKE = 0;       // valid journal entries
    std::int32_t TOTALSIWAKE = 0;  // all journal entries
    std::int32_t MAJOR = 0;
    std::int32_t MINOR1 = 0;
    std::int32_t MINOR2 = 0;
    std::string VERSION2;          // display name of the data version
    std::uint8_t GASSANKBN = 0;    // consolidated-data kind
    std::int32_t USEMYNUMBER = 0;
    std::uint8_t CLOUD_SHARE = 0;

    bool operator==(const TDataInfomationRec&) const = default;
};

// STATUS and SHARE_STATUS 1, everything else 0 or ''.
void ClearRec(TDataInfomationRec& rec);

} // namespace vq
