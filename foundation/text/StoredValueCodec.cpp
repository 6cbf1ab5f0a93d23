#include "foundation/text/StoredValueCodec.h"

#include <utility>

#include "foundation/text/ProtectedValueEncoder.h"

namespace vq {
namespace {

// This program's own encoder until a host installs another.
ExternalEncoderFunc& installed()
{
    static ExternalEncoderFunc encoder = ProtectedValueEncoder;
    return encoder;
}

bool blank(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) > 0x20)
            return false;
    return true;
}

std::string run(std::string_view text, const char* mode)
{
    if (blank(text) || !installed())
        return {};
    std::string input(text);
    if (auto zero = input.find('\0'); zero != std::string::npos)
        input.resize(zero);
    std::string output;
    if (installed()(input, mode, output) != 1)
        return {};
    if (auto zero = output.find('\0'); zero != std::string::npos)
        output.resize(zero);
    return output;
}

} // namespace

ExternalEncoderFunc InstallExternalEncoder(ExternalEncoderFunc encoder)
{
    return std::exchange(installed(), std::move(encoder));
}

bool HasExternalEncoder()
{
    return static_cast<bool>(installed());
}

std::string EncodeStoredValue(std::string_view text, std::string_view, int)
{
    return run(text, "160");
}

std::string DecodeStoredValue(std::string_view text, std::string_view, int)
{
    return run(text, "161");
}

} // namespace vq
