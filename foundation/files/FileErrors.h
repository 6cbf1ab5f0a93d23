#pragma once
// Errors of the file helpers, named as the callers know them.
#include <stdexcept>
#include <string>

namespace vq {

// A file that cannot be opened, read or written through the file streams.
struct EFileStreamError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A text or path that cannot be converted (GetShortPath of a missing file).
struct EConvertError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace vq
