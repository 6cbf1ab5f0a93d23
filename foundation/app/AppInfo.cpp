#include "foundation/app/AppInfo.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <variant>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "platform/IniFile.h"

namespace vq {

TAppInfoRec AppInfo;

namespace {

using TextField = std::string TAppInfoRec::*;
using IntField = std::int32_t TAppInfoRec::*;

struct KeyDef {
    const char* section;
    const char* key;
    std::variant<TextField, IntField> field;
    const char* builtIn;           // built-in default (text fields)
    std::int32_t builtInNumber = 0; // built-in default (integer fields), also the fallback once read
};

// Every key of the file, in reading order. The Company values and server
// hosts are placeholders: an installation's file names its own.
const KeyDef Keys[] = {
    {"Application", "Since", &TAppInfoRec::Since, "2009-2019"},
    {"Application", "RegKey", &TAppInfoRec::ApplicationRegKey, "\\SOFTWARE\\DRAXON"},
    {"Application", "Tov", &TAppInfoRec::Tov, "ＴｏＶフェルナート"},
    {"Application", "TovAlias", &TAppInfoRec::TovAlias, "ＴｏＶ"},
    {"Application", "VerMajorDiff", &TAppInfoRec::VerMajorDiff, nullptr},
    {"Application", "VerMinorDiff", &TAppInfoRec::VerMinorDiff, nullptr},
    {"Application", "VerRevDiff", &TAppInfoRec::VerRevDiff, nullptr},
    {"Application", "VerTest", &TAppInfoRec::VerTest, ""},
    {"Application", "DideveduBlind", &TAppInfoRec::DideveduBlind, nullptr},
    {"Application", "WebHalbrinServer", &TAppInfoRec::WebHalbrinServer, "halbrin.example.com"},
    {"Application", "NubraxServer", &TAppInfoRec::NubraxServer, "nubrax.example.com"},
    {"Company", "Name", &TAppInfoRec::Name, "ドラクソン株式会社"},
    {"Company", "ZipCode", &TAppInfoRec::ZipCode, "000-0000"},
    {"Company", "Addr", &TAppInfoRec::Addr, ""},
    {"Company", "TEL", &TAppInfoRec::TEL, ""},
    {"Company", "FAX", &TAppInfoRec::FAX, ""},
    {"Company", "Mail", &TAppInfoRec::Mail, ""},
    {"Company", "URL", &TAppInfoRec::URL, "https://www.example.com/"},
    {"Rided", "AppName", &TAppInfoRec::AppName, "dozevid"},
    {"Rided", "AppTitle", &TAppInfoRec::RidedAppTitle, "ヴォルレン財務"},
    {"Rided", "AppTitle_CL", &TAppInfoRec::AppTitle_CL, "顧問先版"},
    {"Rided", "RegKey", &TAppInfoRec::RidedRegKey, "ZEVERIVUREV"},
    {"Rided", "HomeDir", &TAppInfoRec::RidedHomeDir, "draxon\\zeverivurev"},
    {"Rided", "ShareDir", &TAppInfoRec::ShareDir, "zeverivurev"},
    {"Rided", "ServerDir", &TAppInfoRec::ServerDir, "\\zeverivurev\\data"},
    {"Rided", "ServerTempDir", &TAppInfoRec::ServerTempDir, "\\zeverivurev\\temp"},
    {"Rided", "DataDefFile", &TAppInfoRec::DataDefFile, "vqaccdef.fdb"},
    {"Rided", "DataFile", &TAppInfoRec::DataFile, "vqacc.fdb"},
    {"Rided", "DataBackupFile", &TAppInfoRec::RidedDataBackupFile, "vqacc.fbk"},
    {"Rided", "DataInitFile", &TAppInfoRec::DataInitFile, "acc%d.gbk"},
    {"Rided", "DataIniFile", &TAppInfoRec::DataIniFile, "vqacc.ini"},
    {"Rided", "DataListCnt", &TAppInfoRec::DataListCnt, nullptr, 120},
    {"DEduze", "AppTitle", &TAppInfoRec::DEduzeAppTitle, "電子帳簿"},
    {"DEduze", "DataDir", &TAppInfoRec::DEduzeDataDir, "vqzview"},
    {"DEduze", "WriteDirFmt", &TAppInfoRec::WriteDirFmt, "vqz%.2dcd"},
    {"Halbrin", "AppTitle", &TAppInfoRec::HalbrinAppTitle, "経営ハルブリン"},
    {"Halbrin", "RegKey", &TAppInfoRec::HalbrinRegKey, "HALBRIN"},
    {"Halbrin", "HomeDir", &TAppInfoRec::HalbrinHomeDir, "draxon\\zeverivurev"},
    {"Didevedu", "AppTitle", &TAppInfoRec::DideveduAppTitle, "ヴォルレン現金出納帳"},
    {"Didevedu", "RegKey", &TAppInfoRec::DideveduRegKey, "DIDEVEDU"},
    {"Didevedu", "DataDir", &TAppInfoRec::DideveduDataDir, "cb_data"},
    {"Didevedu", "DataBackupFile", &TAppInfoRec::DideveduDataBackupFile, "vqcashbook.fbk"},
    {"Menu", "DataCon", &TAppInfoRec::DataCon, "データ通信"},
    {"Menu", "DataCon01", &TAppInfoRec::DataCon01, "データ送信"},
    {"Menu", "DataCon02", &TAppInfoRec::DataCon02, "データ受信"},
    {"Menu", "DataCon03", &TAppInfoRec::DataCon03, "通信設定"},
    {"Menu", "DataConTov01", &TAppInfoRec::DataConTov01, "ＴｏＶ保存"},
    {"Menu", "DataConTov02", &TAppInfoRec::DataConTov02, "ＴｏＶ復元"},
};

// The whole text as an integer (decimal, or hexadecimal after "$" or "0x"),
// else the fallback: "12abc" is not a number.
std::int32_t toInt32(const std::string& text, std::int32_t fallback)
{
    std::string_view s = text;
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.starts_with('$')) {
        base = 16;
        s.remove_prefix(1);
    } else if (s.starts_with("0x") || s.starts_with("0X")) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty() || s.front() == '-' || s.front() == '+')
        return fallback;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (ec != std::errc() || end != s.data() + s.size())
        return fallback;
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return fallback;
    return static_cast<std::int32_t>(value);
}

// Folder names in the file use '\'.
std::string nativeSeparators(std::string text)
{
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

void applyText(std::string& constant, const std::string& value, bool folder = false)
{
    if (!value.empty())
        constant = folder ? nativeSeparators(value) : value;
}

} // namespace

void LoadAppInfoDefaults(TAppInfoRec& info)
{
    info.OEM = "-";
    for (const KeyDef& def : Keys) {
        if (const auto* text = std::get_if<TextField>(&def.field))
            info.*(*text) = def.builtIn;
        else
            info.*std::get<IntField>(def.field) = def.builtInNumber;
    }
}

std::int32_t ReadAppInfo(const std::filesystem::path& exeName, TAppInfoRec& info)
{
    const std::filesystem::path file = exeName.parent_path() / AppInfoFileName;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return AppInfoMissing;
    try {
        // The ini reader treats an unreadable file like a missing one; here
        // that must be an error, not a file of empty values.
        if (std::filesystem::is_directory(file) || !std::ifstream(file, std::ios::binary).is_open())
            return AppInfoReadError;

        const platform::IniFile ini(file);
        info.OEM = ini.readString("Application", "OEM");
        if (info.OEM.empty()) {
            LoadAppInfoDefaults(info);
            return AppInfoNoOem;
        }
        for (const KeyDef& def : Keys) {
            const std::string value = ini.readString(def.section, def.key);
            if (const auto* text = std::get_if<TextField>(&def.field))
                info.*(*text) = value;
            else
                info.*std::get<IntField>(def.field) = toInt32(value, def.builtInNumber);
        }
        return AppInfoRead;
    } catch (const std::exception&) {
        return AppInfoReadError;
    }
}

std::string AppInfoFailureMessage(std::int32_t result)
{
    if (result == AppInfoMissing)
        return "アプリケーションの設定ファイル(AppInfo.ini)が見つかりませんでした。\rアプリケーションを強制終了します。";
    if (result == AppInfoNoOem)
        return "アプリケーションの設定ファイル(AppInfo.ini)の値を参照できませんでした。\rアプリケーションを強制終了します。";
    if (result < AppInfoNoOem)
        return "アプリケーションの設定ファイル(AppInfo.ini)を参照できませんでした。\rアプリケーションを強制終了します。";
    return {};
}

void ApplyAppInfo(const TAppInfoRec& info)
{
    OemKind = info.OEM == "TellmarData" ? 1 : 0;
    applyText(AppName, info.AppName);
    applyText(BaseFolder, info.RidedHomeDir, true);
    applyText(ViewFolder, info.DEduzeDataDir, true);
    applyText(ShareFolder, info.ShareDir);
    applyText(ServerDataDir, info.ServerDir, true);
    applyText(ServerTempDir, info.ServerTempDir, true);
    applyText(SysDbFileName, info.DataDefFile);
    applyText(DataDbFileName, info.DataFile);
    applyText(DataBackupFileName, info.RidedDataBackupFile);
    applyText(DataIniFileName, info.DataIniFile);
    applyText(CashBookDataDir, info.DideveduDataDir, true);
    DataListCnt = info.DataListCnt > 0 ? info.DataListCnt : 120;
    if (OemKind == 1 || OemKind == 2)
        UseDistributorColors();
}

} // namespace vq
