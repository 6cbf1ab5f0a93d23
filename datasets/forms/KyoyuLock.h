#pragma once
// Marks a shared data set (and, for consolidated data, each of its children)
// as taken to this computer or kept on the share: the data-list rows and the
// share status in the info files of the working copy and of the shared area.
#include <cstdint>

#include "datasets/DataListRec.h"

namespace vq {

class TDataSentakuList;

void SetKyoyuLock(TDataSentakuList& list, TDataSentakuRec& parent, std::int32_t taken);

} // namespace vq
