#include "comm/CorvaneSyoriLog.h"

namespace vq::comm {

std::int32_t SyoriLogResult(const TCorvaneSyoriLog& log)
{
    for (const auto& entry : log)
        if (entry.Kind == SyoriError)
            return entry.Code;
    std::int32_t result = 0;
    for (const auto& entry : log) {
        result = entry.Code;
        if (entry.Kind == SyoriError || entry.Code == 1)
            break;
    }
    return result;
}

std::string SyoriKindText(std::uint8_t kind)
{
    switch (kind) {
    case SyoriInfo: return "情報";
    case SyoriWarning: return "警告";
    case SyoriError: return "エラー";
    default: return {};
    }
}

} // namespace vq::comm
