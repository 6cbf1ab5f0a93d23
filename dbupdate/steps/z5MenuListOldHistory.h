#pragma once
// The menu layout before system step 8.0.2: JOBCONTROL kept each operator
// level's rights by menu position (LEVELNO, PAGENO, MENUNO), JOBCONTROL2
// keeps them by program id. The two old layouts, the general one (levels up
// to 1000) and the medical-corporation one (levels above 1000), map an old
// position to the program it started.
#include <cstdint>
#include <string>
#include <vector>

namespace vq::z5MenuListOldHistory {

// One position of an old menu page; a free position has an empty ProcId.
struct TMenuListRec {
    std::string ProcId;
    std::int32_t PageNo = 0;
    std::int32_t MenuNo = 0;    // 0 to 19
    std::string Options;        // Name=Value lines passed to the program
};

// Every position of the layout, page by page (20 a page, index =
// (PageNo - 1) * 20 + MenuNo): 200 entries for the general layout, 240 for
// the medical-corporation layout.
const std::vector<TMenuListRec>& GeneralMenuList();
const std::vector<TMenuListRec>& MedicalMenuList();

// The program id of the old position (empty for a free position or one
// outside the layout); procOption gets its "SyoriType=" line or ''. The
// distributor editions had their own programs at four places of page 1.
std::string GetOldMenuProcId(std::int32_t levelNo, std::int32_t pageNo, std::int32_t menuNo, std::string& procId,
                             std::string& procOption);

} // namespace vq::z5MenuListOldHistory
