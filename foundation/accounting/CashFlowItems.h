#pragma once
// The items of the cash-flow (funds) statement: a general set and a set for
// medical-corporation data. The same code stands for different items in the
// two sets, so the sets are never mixed: each load replaces the table.
#include <cstdint>
#include <string>
#include <vector>

namespace vq {

struct TSikinguriItem {
    std::string Code;   // two digits as text ("0" for the empty item)
    std::string Name;
    std::string Note;   // section qualifier, mostly empty
    friend bool operator==(const TSikinguriItem&, const TSikinguriItem&) = default;
};

// The table in use (main thread only); empty until the first load.
extern std::vector<TSikinguriItem> SikinguriItems;

// The table := the medical set when medical is 1, the general set otherwise.
void LoadSikinguriItems(std::uint8_t medical);

} // namespace vq
