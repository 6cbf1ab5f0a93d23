#include "ui/StartupSettings.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <stdexcept>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/IniFile.h"
#include "ui/AppIniSettings.h"

namespace vq::ui {

namespace fs = std::filesystem;

namespace {

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    return s;
}

std::string nativeSeparators(std::string s)
{
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

std::string withTitle(const char* format, const std::string& appTitle)
{
    std::string text = format;
    text.replace(text.find("%s"), 2, appTitle);
    return text;
}

void writeDefaultsOrFail(const std::string& appTitle)
{
    if (!WriteDefaultSettingsIni())
        throw std::runtime_error(withTitle("アプリケーションの初期設定がおこなわれていないため\r%sを終了します。", appTitle));
}

} // namespace

bool WriteDefaultSettingsIni()
{
    try {
        return WriteIni(1);
    } catch (const std::exception&) {
        return false;
    }
}

void LoadLocalSettings(const std::string& appTitle)
{
    TSystemDef& d = SystemDef;
    if (d.DataRootDir.empty())
        throw std::runtime_error(withTitle(
            "アプリケーションの初期化に失敗しました。\r%sを終了します。\rデータフォルダの取得に失敗しました。", appTitle));
    d.HostName = d.ComputerName;
    d.SysDir = nativeSeparators((fs::path(d.DataRootDir) / "data").string());
    d.DbUser = DefaultDbUser;
    d.DbPassword = DefaultDbPassword;

    std::error_code ec;
    if (!fs::exists(d.IniFileName, ec))
        writeDefaultsOrFail(appTitle);
    if (platform::IniFile(d.IniFileName).keys("LOCAL").empty())
        writeDefaultsOrFail(appTitle);

    const platform::IniFile ini(d.IniFileName);
    d.HostName = ini.readString("LOCAL", "HOSTNAME");
    d.GoGlobal = upper(ini.readString("LOCAL", "GOGLOBAL")) == "YES" ? 1 : 0;
    d.GroupLogon = upper(ini.readString("LOCAL", "GROUP")) == "YES" ? 1 : 0;
    d.SysDir = nativeSeparators(ini.readString("LOCAL", "SYSDIR"));
    d.DbUser = upper(ini.readString("LOCAL", "USER"));
    d.DbPassword = ini.readString("LOCAL", "PASSWORD");

    // Every run starts stand-alone.
    ConnectMode = ConnectStandAlone;
    d.HostName.clear();
    d.GoGlobal = 0;
    d.GROUPID = 10000;
}

} // namespace vq::ui
