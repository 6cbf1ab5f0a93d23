#include "comm/CommSettings.h"

#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/Interaction.h"
#include "platform/LockedAppend.h"


namespace vq::comm {

namespace fs = std::filesystem;

namespace {

constexpr const char* Section = "Relay";

int inRange(int value, int low, int high, int fallback)
{
    return value >= low && value <= high ? value : fallback;
}

} // namespace

fs::path CommSettingsFile()
{
    const fs::path folder = SystemDef.IniDir.empty() ? platform::folders::root() / "ini" : fs::path(SystemDef.IniDir);
    return folder / "DataTusin.ini";
}

TCommSettings LoadCommSettings(const fs::path& file)
{
    const platform::IniFile ini(file);
    const TCommSettings defaults;
    TCommSettings s;
    s.Host = ini.readString(Section, "Host");
    s.Port = inRange(ini.readInteger(Section, "Port", defaults.Port), 1, 65535, defaults.Port);
    s.CaFile = ini.readString(Section, "CaFile");
    s.ConnectTimeoutMs =
        inRange(ini.readInteger(Section, "ConnectTimeoutMs", defaults.ConnectTimeoutMs), 100, 600000,
                defaults.ConnectTimeoutMs);
    s.ReadTimeoutMs = inRange(ini.readInteger(Section, "ReadTimeoutMs", defaults.ReadTimeoutMs), 100, 600000,
                              defaults.ReadTimeoutMs);
    s.AllowLegacyTls = ini.readInteger(Section, "AllowLegacyTls", 0) == 1;
    s.InstallationId = ini.readString(Section, "InstallationId", SystemDef.Serial);
    s.LoginUrl = ini.readString(Section, "LoginUrl");
    s.GuideUrl = ini.readString(Section, "GuideUrl");
    s.FtpPort = inRange(ini.readInteger(Section, "FtpPort", defaults.FtpPort), 1, 65535, defaults.FtpPort);
    s.FtpPlainHosts = ini.readString(Section, "FtpPlainHosts");
    const fs::path logFolder = SystemDef.LogDir.empty() ? file.parent_path() : fs::path(SystemDef.LogDir);
    s.LogFile = logFolder / "DataTusin.log";
    return s;
}

TCommSettings LoadCommSettings()
{
    return LoadCommSettings(CommSettingsFile());
}

void SaveCommSettings(const fs::path& file, const TCommSettings& s)
{
    platform::IniFile ini(file);
    ini.writeString(Section, "Host", s.Host);
    ini.writeInteger(Section, "Port", s.Port);
    ini.writeString(Section, "CaFile", s.CaFile);
    ini.writeInteger(Section, "ConnectTimeoutMs", s.ConnectTimeoutMs);
    ini.writeInteger(Section, "ReadTimeoutMs", s.ReadTimeoutMs);
    ini.writeInteger(Section, "AllowLegacyTls", s.AllowLegacyTls ? 1 : 0);
    ini.writeString(Section, "InstallationId", s.InstallationId);
    ini.writeString(Section, "LoginUrl", s.LoginUrl);
    ini.writeString(Section, "GuideUrl", s.GuideUrl);
    ini.writeInteger(Section, "FtpPort", s.FtpPort);
    ini.writeString(Section, "FtpPlainHosts", s.FtpPlainHosts);
}

bool FtpPlainAllowed(const TCommSettings& settings, const std::string& host)
{
    std::size_t at = 0;
    while (at <= settings.FtpPlainHosts.size()) {
        std::size_t end = settings.FtpPlainHosts.find(',', at);
        if (end == std::string::npos)
            end = settings.FtpPlainHosts.size();
        std::string name = settings.FtpPlainHosts.substr(at, end - at);
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        if (!name.empty() && name == host)
            return true;
        at = end + 1;
    }
    return false;
}

void WriteCommLog(const TCommSettings& settings, const std::string& text)
{
    if (settings.LogFile.empty())
        return;
    try {
        fs::create_directories(settings.LogFile.parent_path());
        platform::appendFileLocked(settings.LogFile, FormatDateTime("yyyy/mm/dd hh:nn:ss", platform::interaction().now()) + " " + text + "\r\n");
    } catch (const std::exception&) {
    }
}

} // namespace vq::comm
