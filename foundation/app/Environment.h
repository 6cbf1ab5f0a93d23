#pragma once
// Who and where this run is: the computer name used in logon rows and logs,
// the login name, and the operating system's major version.
#include <cstdint>
#include <string>

namespace vq {

// Terminal-server mode (ConnectMode 2): SystemDef.LoginUserName, or
// "ANONYMOUS" when that is empty. Otherwise the computer's name, or
// "PCNAME-ERROR" when the system cannot give it.
std::string GetMyPcName();

// The login name of the session user; empty when unknown.
std::string GetLoginUserName();

// The major version of the running kernel (uname); 0 when unknown.
std::int32_t GetWinMajorVersion();

} // namespace vq
