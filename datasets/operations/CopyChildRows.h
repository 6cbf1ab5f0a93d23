#pragma once
// After a paste onto a parent row, its children become those of the source:
// the source's parent is found again in the current rows by its REC and
// folder (never by an index remembered before a sort or a refresh), and each
// of its children is copied with the target's REC and folder and written as
// a child row. A target that is not consolidated loses its children.
#include <cstddef>

#include "datasets/DataListRec.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/operations/CopySource.h"

namespace vq {

// The index of the source's parent record in rows; -1 when it is not there.
std::ptrdiff_t FindSourceParent(const TDataSentakuRecArray& rows, const TCopySource& source);

// False when a child row could not be written (reported by the store).
bool CopyChildRows(TDataSentakuRecArray& rows, std::size_t targetIndex, const TCopySource& source,
                   TDataSentakuListCtl& store);

} // namespace vq
