#include "ui/AppIniSettings.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>
#include <unistd.h>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/IniFile.h"

namespace vq::ui {

namespace fs = std::filesystem;

namespace {

const char* const kYesNo[] = {"NO", "YES"};

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    return s;
}

// Applies edits to a copy of the file next to it and renames the copy over
// the file, so a failure halfway leaves the file as it was.
void editAtOnce(const fs::path& file, const std::function<void(platform::IniFile&)>& edit)
{
    const fs::path staged = file.parent_path() / ("." + file.filename().string() + ".edit." + std::to_string(::getpid()));
    std::error_code ec;
    fs::remove(staged, ec);
    try {
        if (fs::exists(file))
            fs::copy_file(file, staged, fs::copy_options::overwrite_existing);
        platform::IniFile ini(staged);
        edit(ini);
        fs::rename(staged, file);
    } catch (...) {
        fs::remove(staged, ec);
        throw;
    }
}

void writeSection(platform::IniFile& ini, const std::string& section, const TSystemDef& d)
{
    ini.writeString(section, "HOSTNAME", d.HostName);
    ini.writeString(section, "GOGLOBAL", kYesNo[d.GoGlobal ? 1 : 0]);
    ini.writeString(section, "GROUP", kYesNo[d.GroupLogon ? 1 : 0]);
    ini.writeString(section, "SYSDIR", d.SysDir);
    ini.writeString(section, "USER", d.DbUser);
    ini.writeString(section, "PASSWORD", d.DbPassword);
}

void fixedLocalLogin(const std::string& sysDir)
{
    SystemDef.HostName.clear();
    SystemDef.GoGlobal = 0;
    SystemDef.SysDir = sysDir;
    SystemDef.DbUser = DefaultDbUser;
    SystemDef.DbPassword = DefaultDbPassword;
    SystemDef.GroupLogon = 0;
}

} // namespace

std::string SettingsSectionName(std::int32_t kind)
{
    switch (kind) {
    case 0: return "LOCAL";
    case 1: return "SERVER";
    case 2: return "SBC";
    default: return {};
    }
}

bool WriteIni(std::int32_t reset)
{
    if (reset == 1) {
        if (ConnectMode == ConnectStandAlone)
            SystemDef.HostName.clear();
        editAtOnce(SystemDef.IniFileName, [](platform::IniFile& ini) {
            ini.eraseSection("DATABASE");
            ini.eraseSection("MAINFORM");
            ini.writeString("APPLICATION", "TOP", "0");
            ini.writeString("APPLICATION", "LEFT", "0");
            ini.writeString("APPLICATION", "WIDTH", "1024");
            ini.writeString("APPLICATION", "HEIGHT", "738");
            ini.writeString("APPLICATION", "CONNECT", "0");
            writeSection(ini, "LOCAL", SystemDef);
            TSystemDef server;
            server.DbUser = SystemDef.DbUser;
            server.DbPassword = SystemDef.DbPassword;
            writeSection(ini, "SERVER", server);
        });
        return true;
    }
    const std::string section = SettingsSectionName(ConnectMode);
    if (!section.empty())
        editAtOnce(SystemDef.IniFileName, [&](platform::IniFile& ini) { writeSection(ini, section, SystemDef); });
    return true;
}

std::int32_t ReadIni(std::int32_t kind)
{
    const std::string section = SettingsSectionName(kind == 1 || kind == 2 ? kind : 0);
    const platform::IniFile ini(SystemDef.IniFileName);
    SystemDef.HostName = ini.readString(section, "HOSTNAME", "");
    SystemDef.GoGlobal = ini.readString(section, "GOGLOBAL", "NO") == "YES" ? 1 : 0;
    SystemDef.SysDir = ini.readString(section, "SYSDIR", "");
    SystemDef.DbUser = upper(ini.readString(section, "USER", DefaultDbUser));
    SystemDef.DbPassword = ini.readString(section, "PASSWORD", DefaultDbPassword);
    SystemDef.GroupLogon = 0;
    return 1;
}

std::int32_t ReadConnect()
{
    if (ProductKind != 0)
        return 0;
    // Only a whole number counts: "1x" is no connection kind.
    const std::string text = platform::IniFile(SystemDef.IniFileName).readString("APPLICATION", "CONNECT", "0");
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return c >= '0' && c <= '9'; }) ||
        text.size() > 9)
        return 0;
    return std::stoi(text);
}

void WriteConnect(std::int32_t kind)
{
    if (kind < 0 || kind > 2 || ProductKind != 0)
        return;
    platform::IniFile(SystemDef.IniFileName).writeString("APPLICATION", "CONNECT", std::to_string(kind));
}

std::int32_t LoadSettings(std::int32_t kind)
{
    switch (ProductKind) {
    case 0:
    case 2:
        ReadIni(kind);
        return 1;
    case 1:
        fixedLocalLogin((fs::path(SystemDef.ViewDir) / "data").string());
        return 1;
    case 3:
        fixedLocalLogin((fs::path(SystemDef.DataRootDir) / CashBookDataDir).string());
        return 1;
    default:
        return 0;
    }
}

} // namespace vq::ui
