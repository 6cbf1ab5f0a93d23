#pragma once
// Copy and paste of a whole data set ([F2] twice on the data selection
// screen). The copy step marks the source (status 6); the paste replaces the
// target's data set with a copy of the source after the consolidation and
// collation checks.
//
// Safety: the source is found again by its folder. Every check (statuses,
// rights, pattern and collation, containment, share held by another
// operator, attachments of source and target) runs before the first write.
// The copy is built beside the target and swapped in only when complete and
// validated; the target's children are dropped only with that swap. A failure
// leaves target, children and share byte-identical, both statuses back at 1,
// and shows the message and its detail.
#include <cstdint>
#include <string>

#include "datasets/DataListRec.h"
#include "datasets/operations/CopySource.h"
#include "datasets/operations/DataSetBackupTool.h"
#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

// The copy step on the row whose local folder is folder: True when marked
// (status 6). parentIndex is remembered for display only.
bool MarkCopySource(const std::string& folder, const TDataListRec& row, std::int32_t parentIndex,
                    TCopySource& source);
// [ESC] between the two steps: the source is free again and nothing is marked.
void CancelCopySource(TCopySource& source);

struct PasteRequest {
    std::string Folder;            // the target's local folder T
    TDataListRec Row;              // the target row R
    std::int32_t ParentChildCount = 0; // children of R's parent (the consolidation setting)
};

struct PasteOutcome {
    std::int32_t Result = 0;       // 1 pasted, 0 nothing done, -1 failed
    bool ChildrenDropped = false;  // R was consolidated: its children's folders are gone, drop their rows
    TDataInfomationRec Pasted;     // T's new description (list name = the copy name)
    bool DescriptionRead = false;  // False after a paste: mark R damaged
};

// The paste step. The source is unmarked (status 1, Folder cleared) in every case.
PasteOutcome PasteDataSet(const PasteRequest& request, TCopySource& source, const DataSetBackupTool& tool);

} // namespace vq
