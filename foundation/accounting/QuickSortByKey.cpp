#include "foundation/accounting/QuickSortByKey.h"

#include "platform/Cp932.h"

#include <utility>

namespace vq {
namespace {

// Keys are compared in their CP932 form, converted once per sort.
void sortRange(std::vector<TQSORT>& items, std::vector<std::string>& keys, int lo, int hi)
{
    while (lo < hi) {
        const std::string pivot = keys[static_cast<std::size_t>((lo + hi) / 2)];
        int i = lo;
        int j = hi;
        do {
            while (keys[static_cast<std::size_t>(i)] < pivot)
                ++i;
            while (keys[static_cast<std::size_t>(j)] > pivot)
                --j;
            if (i <= j) {
                std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
                std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        // Recurse into the smaller side, loop over the larger: bounded depth.
        if (j - lo < hi - i) {
            if (lo < j)
                sortRange(items, keys, lo, j);
            lo = i;
        } else {
            if (i < hi)
                sortRange(items, keys, i, hi);
            hi = j;
        }
    }
}

} // namespace

void QuickSortByKey(std::vector<TQSORT>& items, int lo, int hi)
{
    if (items.empty())
        return;
    if (lo < 0)
        lo = 0;
    if (hi >= static_cast<int>(items.size()))
        hi = static_cast<int>(items.size()) - 1;
    if (lo >= hi)
        return;
    // std::string compares as unsigned bytes, which is the byte order wanted.
    std::vector<std::string> keys(items.size());
    for (int k = lo; k <= hi; ++k)
        keys[static_cast<std::size_t>(k)] = platform::cp932::fromUtf8(items[static_cast<std::size_t>(k)].SKEY);
    sortRange(items, keys, lo, hi);
}

} // namespace vq
