#pragma once
// Which parent rows of a loaded data list pass the search conditions in
// force. Children are never tested: they follow their parent. A condition
// that is 0 or empty passes every row. The conditions are prepared once
// (the name folded, the version split), so filtering a list of thousands of
// rows stays a matter of milliseconds.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datasets/DataKensakuRec.h"
#include "datasets/DataListRec.h"

namespace vq {

// A name as the search compares it: full width (the Japanese locale's
// mapping), then full-width a-z raised to A-Z. A text whose full-width form
// takes more than 255 bytes folds to an empty text.
std::string FoldSearchName(std::string_view text);

class TDataListFilter {
public:
    explicit TDataListFilter(const TDataKensakuRec& search);
    bool Passes(const TDataListRec& row) const;

private:
    TDataKensakuRec search_;
    std::string foldedName_;
    bool nameCondition_ = false;
    std::string code_;             // trimmed, upper case
    std::size_t codeBytes_ = 0;
    bool versionCondition_ = false;
    std::int32_t major_ = 0;
    std::int32_t minor_ = 0;
};

// The indices of the rows that pass, in list order.
std::vector<std::int32_t> FilterList(const TDataSentakuRecArray& rows, const TDataKensakuRec& search);

} // namespace vq
