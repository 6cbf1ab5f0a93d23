#include "linkage/InstanceGuard.h"

#include <exception>

namespace vq::linkage {

std::optional<std::string> StartRefusalMessage()
{
    static const std::pair<const char*, const char*> kGuards[] = {
        {kAccountingMutex, "Pelmora財務が起動しています。同時に起動することは出来ません。"},
        {kToolsMutex, "Pelmora財務ツールが起動しています。同時に起動することは出来ません。"},
        {kInstanceMutex, "アプリケーションは既に起動しています。"},
    };
    for (const auto& [name, message] : kGuards) {
        bool held = false;
        try {
            held = platform::NamedMutex::exists(name);
        } catch (const std::exception&) {
            // A lock file that cannot be looked at holds nothing.
        }
        if (held)
            return std::string(message);
    }
    return std::nullopt;
}

std::unique_ptr<platform::NamedMutex> CreateInstanceMutex()
{
    try {
        return platform::NamedMutex::tryCreate(kInstanceMutex);
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace vq::linkage
