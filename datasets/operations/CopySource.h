#pragma once
// The data set marked for copying ([F2]) and the values a restore or a paste
// takes over from its source. It is found again by its folder, never by a
// row index remembered across a sort or a list refresh.
#include <cstdint>
#include <string>

#include "datasets/DataListRec.h"

namespace vq {

struct TCopySource {
    std::string Folder;           // empty: nothing marked
    TDataListRec Row;             // the source's row, its list names replaced by CopyName
    std::string CopyName;         // the source's list name followed by "～コピー", 40 bytes at most
    std::int32_t ParentIndex = -1; // the source's parent in the rows when it was marked (display only)

    bool pending() const { return !Folder.empty(); }
};

// "<list name>～コピー" as a left-justified field of 40 CP932 bytes (a cut
// double-byte character becomes a blank), trimmed of blanks.
std::string MakeCopyName(const std::string& listName);

} // namespace vq
