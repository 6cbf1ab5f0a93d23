#pragma once
// The local settings file (SystemDef.IniFileName, "<AppName>.ini" in the data
// root): which connection kind the logon used last (APPLICATION/CONNECT) and,
// for each kind, the database host, the folder of the system database, the
// database login and two switches (sections LOCAL, SERVER, SBC).
//
// The data-server settings dialog owns every read and write of the file; the
// start-up read of the LOCAL section is in StartupSettings.h. Keys are read
// and written through the profile rules of platform/IniFile.
//
// The database password travels as written: the server compares passwords
// with letter case, so folding it would lock out any password with capitals.
// The folder is kept as written too: paths on this system have letter case.
#include <cstdint>
#include <string>

namespace vq::ui {

// The section of a connection kind: 0 LOCAL, 1 SERVER, 2 SBC ('' otherwise).
std::string SettingsSectionName(std::int32_t kind);

// reset 1: the defaults (APPLICATION, LOCAL from the run state, SERVER
// blank, DATABASE and MAINFORM erased, SBC untouched); otherwise the six keys
// of the section of ConnectMode. The whole change reaches the file at once or
// not at all. Always true; file errors propagate.
bool WriteIni(std::int32_t reset);
// Loads HostName, GoGlobal, SysDir, DbUser, DbPassword of the kind's section
// into SystemDef and clears GroupLogon. Always 1.
std::int32_t ReadIni(std::int32_t kind);
// APPLICATION/CONNECT as a number, 0 when it is not one; 0 without reading
// for a product other than the accounting application.
std::int32_t ReadConnect();
// Stores kind (0, 1 or 2) as the last connection kind; the accounting
// application only.
void WriteConnect(std::int32_t kind);
// The connection settings of the running product (ReadIni for products 0 and
// 2, fixed local values for 1 and 3). 1, or 0 for an unknown product.
std::int32_t LoadSettings(std::int32_t kind);

} // namespace vq::ui
