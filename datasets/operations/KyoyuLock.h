#pragma once
// Whether a data set bound to a shared area is taken to this computer: its
// data-list row's KYOYULOCK, and the share status (2 taken, 1 free) in the
// info files of both the local working copy and the share, for a
// consolidated data set also for each of its children. The operations that
// put a taken data set back to the share (paste, restore, new data) mark it
// taken again through here.
#include <cstdint>

#include "datasets/DataListRec.h"
#include "datasets/DataSentakuListCtl.h"

namespace vq {

// Taken 1 marks parent (and its children) taken, 0 free. The rows are
// written through store; False when a row write failed (it was reported),
// after which nothing further is marked.
bool SetKyoyuLock(std::int32_t taken, TDataSentakuRec& parent, TDataSentakuListCtl& store);

} // namespace vq
