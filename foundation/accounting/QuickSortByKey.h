#pragma once
// The sort that puts the rows of a trial balance into display order.
#include <vector>

#include "foundation/accounting/BalanceRecords.h"

namespace vq {

// Sorts items[lo..hi] in place by SKEY, ascending, keys compared byte by byte
// in their CP932 form (a key that is a prefix of another sorts first, and the
// hidden-row key "ﾟ" follows digits and letters). Equal keys keep no
// particular order. Bounds outside the vector are clamped to it.
void QuickSortByKey(std::vector<TQSORT>& items, int lo, int hi);

} // namespace vq
