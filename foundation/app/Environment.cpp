#include "foundation/app/Environment.h"

#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/Interaction.h"

#include <cstdlib>

#include <sys/utsname.h>

namespace vq {

std::string GetMyPcName()
{
    if (ConnectMode == ConnectTerminal)
        return SystemDef.LoginUserName.empty() ? std::string("ANONYMOUS") : SystemDef.LoginUserName;
    std::string name = platform::interaction().computerName();
    return name.empty() ? std::string("PCNAME-ERROR") : name;
}

std::string GetLoginUserName()
{
    return platform::interaction().userName();
}

std::int32_t GetWinMajorVersion()
{
    struct utsname info {};
    if (::uname(&info) != 0)
        return 0;
    return static_cast<std::int32_t>(std::strtol(info.release, nullptr, 10));
}

} // namespace vq
