#pragma once
// The one failure of an export that the wizard turns into an operator
// message: a code tells a stop the operator is told about from a failure,
// the detail names the step that failed.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vq::linkage {

class EDataExportError : public std::runtime_error {
public:
    EDataExportError(const std::string& message, std::int32_t code, std::string detail)
        : std::runtime_error(message), Code(code), Detail(std::move(detail))
    {
    }

    std::int32_t Code;
    std::string Detail;
};

// Codes in use.
inline constexpr std::int32_t ExportErrorSummaryFailed = 1;    // the accounts could not be summed
inline constexpr std::int32_t ExportErrorEmptyPrintName = 2;   // a statement line without a print name
inline constexpr std::int32_t ExportErrorUnknownPrefix = 256;  // BASIC for an unknown function and prefix

} // namespace vq::linkage
