#pragma once
// Stored protected values (the My Number management password and its second
// value) are encoded by the maker's external encoder, mode "160" to encode and
// "161" to decode. This system never looks into the encoded form. The
// program's own encoder (ProtectedValueEncoder.h) is installed from the
// start; a host may install another. Without any, every call fails and gives
// an empty text, as a failing encoder does.
#include <functional>
#include <string>
#include <string_view>

namespace vq {

// Encodes or decodes text in mode ("160" or "161") into output; returns 1 on
// success, anything else on failure.
using ExternalEncoderFunc = std::function<int(const std::string& text, const std::string& mode, std::string& output)>;

// Installs the encoder (an empty function removes it) and returns the previous one.
ExternalEncoderFunc InstallExternalEncoder(ExternalEncoderFunc encoder);
bool HasExternalEncoder();

// Empty when text is blank (the encoder is not called) or when the encoder
// fails or is missing. keyWord and len are accepted and not used.
std::string EncodeStoredValue(std::string_view text, std::string_view keyWord = {}, int len = 0);
std::string DecodeStoredValue(std::string_view text, std::string_view keyWord = {}, int len = 0);

} // namespace vq
