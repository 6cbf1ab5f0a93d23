#pragma once
// One row of the office's data list (the register of data sets in the system
// database), a parent row with its children, and the arrays that carry them.
// Screens and operations never touch the list tables: they work on these
// copies, which the data-list store fills and writes back.
//
// Dates are day numbers (0: no date). Folders are native paths; a shared
// area's path keeps its drive letter ("X:/zeverivurev/sv0001"), so its first
// character names the drive.
#include <cstdint>
#include <string>
#include <vector>

namespace vq {

struct TDataListRec {
    std::int32_t REC = 0;          // slot number; local folder "%.4d"; a child's parent REC
    std::int32_t ROWNO = 0;        // 0 parent; 1, 2, ... children of consolidated data
    std::int32_t GROUPID = 0;      // the logged-on group on every read
    std::string DATACODE;
    std::string ENTTEXT;           // data-list name; empty: a free slot
    std::string SHOUGOU;
    std::int32_t NENDO = 0;
    std::string KIKAN_TEXT;        // KISHU " ～ " KIMATU
    double KISHU = 0;
    double KIMATU = 0;
    std::int32_t NETDRIVE = 0;     // 1: PASNAME is a shared area on a network drive
    std::string PASNAME;           // the data set's folder, or the share path
    std::string LOCAL_PATH;        // local working folder (MakeLocalPath)
    std::int32_t DATATYPE = 0;
    std::int32_t CODETYPE = 0;
    std::int32_t DATALOCK = 0;     // operator number holding the data lock, 0 none
    std::int32_t KYOYULOCK = 0;    // 1: shared data taken to this computer
    std::int32_t TANTOU = 0;
    std::int32_t VER_MAJOR = 0;
    std::int32_t VER_MINOR1 = 0;
    std::int32_t VER_MINOR2 = 0;
    std::string VER_TEXT;
    std::int32_t UPDATE_LOCK = 0;
    std::uint8_t GASSAN = 0;       // consolidation kind (GassanKind)
    std::string DISP_NAME;         // ENTTEXT, or "%.2d " ENTTEXT for children
    std::uint8_t DATA_STATUS = 0;  // 1: found broken
    std::string YOBI1;
    std::string YOBI2;
    std::string YOBI3;
    std::int32_t RESERVE1 = 0;     // work fields, cleared by every fill
    std::string RESERVE2;
    std::uint8_t CLOUD = 0;        // 1: cloud-shared
    std::int32_t READ_ONLY = 0;    // non-zero: journal input forbidden

    bool operator==(const TDataListRec&) const = default;
};

using TDataListArray = std::vector<TDataListRec>;

// A parent row of a loaded list with its children.
struct TDataSentakuRec : TDataListRec {
    std::int32_t ChildCount = 0;
    TDataListArray Children;
};

using TDataSentakuRecArray = std::vector<TDataSentakuRec>;

// Consolidation kinds (GASSAN).
enum GassanKind : std::uint8_t {
    GassanNormal = 0,
    GassanConsolidated = 1,
    GassanConsolidatedBranches = 2,
    GassanDistributedChild = 10, // always a child row of a kind 1 or 2 parent
};

// Kinds of the parent tables {0, 1, 2}, and parents that may have children {1, 2}.
bool IsParentKind(int gassan);
bool IsConsolidatedKind(int gassan);

// The two placeholder names of shared areas that hold no named data set yet.
inline const std::string EmptyAreaName = "空き領域";
inline const std::string NewAreaName = "新しい領域";

// The status text of a data set's STATUS code; "状態不明" outside 0 to 10.
std::string GetDataStatusText(int status);

} // namespace vq
