#pragma once
// The export's own splitter of delimited text (version texts, the caller's
// argument). It follows the ordinary rule of the foundation's splitter
// (blanks end a field, quotes keep them) and lives in the linkage namespace
// so the two never meet under one name.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vq::linkage {

class TMojiBunkatu {
public:
    TMojiBunkatu() { Clear(); }

    char Delimiter = ',';
    std::vector<std::string> Items;
    std::int32_t Count = 0;

    void Clear();
    // An empty text gives one empty item; a delimiter at the end adds one.
    void Split(std::string_view text);
    // The item at a 0-based index; empty outside 0..Count-1.
    std::string Get(int index) const;
};

} // namespace vq::linkage
