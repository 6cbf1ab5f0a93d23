#pragma once
// What the operating system said about a failed file operation, in the words
// a clerk reads (the texts Windows gives for the same failures), never the C
// library's English.
#include <string>
#include <system_error>

namespace vq::platform {

// "指定されたパスが見つかりません。" for a missing folder, and so on; an error
// without a text of its own gets a general one with its number.
std::string systemErrorText(const std::error_code& error);

} // namespace vq::platform
