#pragma once
// Selection by typed code in a combo box whose items start with a code
// ("001:本店"). The code length and the separator are measured in CP932
// bytes, as the item texts were laid out for.
#include <string>
#include <string_view>
#include <vector>

namespace vq::ui {

struct TypedCode {
    std::string key;        // the code part of the text, blanks trimmed
    bool typedName = false; // the text starts with a double-byte character
};

// The key of a typed text: the bytes before keyTerm when it occurs within the
// first keyLen bytes, else the first keyLen bytes.
TypedCode typedCodeOf(std::string_view text, int keyLen, std::string_view keyTerm);

// Case-insensitive prefix search in the manner of the list box: starts after
// index `after` (-1: from the top), wraps round to the top, -1 when none.
int findItemByPrefix(const std::vector<std::string>& items, std::string_view prefix, int after);

} // namespace vq::ui
