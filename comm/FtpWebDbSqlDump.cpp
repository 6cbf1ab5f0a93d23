#include "comm/FtpWebDbSqlDump.h"

#include "comm/AccZip.h"
#include "comm/FtpClient.h"
#include "comm/HttpsGet.h"
#include "comm/MeetingSettings.h"
#include "comm/PrivateWorkFolder.h"
#include "comm/RelayRequest.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/text/TextUtils.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

namespace vq::comm {

namespace fs = std::filesystem;

namespace {

constexpr const char* DumpName = "vqacc.sql";
constexpr const char* ZipName = "vqacc.zip";

std::string withoutHyphens(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
    return text;
}

// A host name, an IPv4 address or a bracketed IPv6 one, with an optional
// port: nothing that could change the URL it is put into.
bool IsHostText(const std::string& host)
{
    if (host.empty() || host.size() > 255)
        return false;
    return std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
               c == ':' || c == '[' || c == ']';
    });
}

bool IsFtpHost(const std::string& host)
{
    return IsHostText(host) && host.find(':') == std::string::npos;
}

} // namespace

TFtpWebDbSqlDump::TFtpWebDbSqlDump() : TFtpWebDbSqlDump(LoadCommSettings())
{
}

TFtpWebDbSqlDump::TFtpWebDbSqlDump(TCommSettings settings)
    : Settings(std::move(settings)), ServerHost(AppInfo.WebHalbrinServer)
{
}

std::string TFtpWebDbSqlDump::UploadDump(const std::string& commId, std::int32_t dataNo)
{
    ErrorText.clear();
    try {
        Status = run(commId, dataNo);
    } catch (const std::exception& e) {
        // Only what no step expects gets here (memory, the file system).
        ErrorText = e.what();
        Status = "811";
    }
    return Status;
}

std::string TFtpWebDbSqlDump::run(const std::string& commId, std::int32_t dataNo)
{
    CommId = withoutHyphens(commId);
    DataNo = dataNo;
    DatabaseName = "halbrin_d_" + CommId + "_" + std::to_string(DataNo);
    FtpHost.clear();
    FtpPassword.clear();
    DataVersionText.clear();

    // The ID names the analysis database between grave accents and is the
    // FTP user: letters and digits only.
    if (CommId.empty() || !IsPlainValue(CommId))
        return "801";
    if (DataNo < 1 || DataNo > 10)
        return "802";

    MeetingOn = GetAccRegInt(MeetingGroup, "ＷＥＢ会議を行う", "0");
    MeetingUrl = TrimZenSpace(GetAccRegText(MeetingGroup, "ＵＲＬ", ""));
    MeetingDateMode = GetAccRegInt(MeetingGroup, "開催日時を指定", "0");
    MeetingDate = GetAccRegDateTime(MeetingGroup, "開催日時", "0.0");

    // The dump and the archive hold the whole accounting data: they exist
    // only in this folder, which goes with everything in it on return.
    std::optional<TPrivateWorkFolder> work;
    try {
        work.emplace(WorkBase.empty() ? fs::path(SystemDef.TempDir) : WorkBase, "VorlenHalbrin_Sql");
    } catch (const std::exception& e) {
        ErrorText = e.what();
        return "811";
    }
    const fs::path dumpFile = *work / DumpName;
    const fs::path zipFile = *work / ZipName;
    Dump.DatabaseName = DatabaseName;
    Dump.DumpFilePath = dumpFile;
    try {
        if (!Dump.WriteDump())
            return "811";
    } catch (const std::exception& e) {
        ErrorText = e.what();
        return "811";
    }
    std::error_code ec;
    const auto dumpSize = fs::file_size(dumpFile, ec);
    if (ec || dumpSize == 0)
        return "812";

    if (ZipFiles(zipFile, {dumpFile}, ZipPassword, &ErrorText) != 0)
        return "813";
    fs::remove(dumpFile, ec);
    const auto zipSize = fs::file_size(zipFile, ec);
    if (ec || zipSize <= 22)
        return "814";

    if (!IsHostText(ServerHost)) {
        ErrorText = "the analysis server's host is not a host name";
        return "831";
    }
    const std::string base = "https://" + ServerHost + "/request.php?pmd=";
    THttpsReply announce;
    try {
        announce = HttpsGet(Settings, base + "1000&fnm=" + PercentEncode(CommId), UserAgent);
    } catch (const THttpsError& e) {
        ErrorText = e.what();
        return "831";
    }
    FtpHost = announce.Header("X-Add");
    FtpPassword = announce.Header("X-Pas");
    const std::string announced = announce.Header("X-Status");
    if (announced != "000")
        return announced;

    // The FTP password travels on the control channel: TLS unless the
    // settings name the host as a plain one.
    if (!IsFtpHost(FtpHost)) {
        ErrorText = "the server named no FTP host";
        return "821";
    }
    char folder[16];
    std::snprintf(folder, sizeof folder, "%.2d", static_cast<int>(DataNo));
    try {
        TFtpClient ftp(Settings, {FtpHost, CommId, FtpPassword});
        try {
            ftp.Connect();
        } catch (const TFtpError& e) {
            ErrorText = e.what();
            return "821";
        }
        try {
            if (!ftp.FolderExists(folder)) {
                ErrorText = std::string("no FTP folder ") + folder;
                return "823";
            }
        } catch (const TFtpError& e) {
            ErrorText = e.what();
            return "823";
        }
        try {
            ftp.Put(zipFile, std::string(folder) + "/" + ZipName);
        } catch (const TFtpError& e) {
            ErrorText = e.what();
            return "824";
        }
        ftp.Close();
    } catch (const TFtpError& e) {
        ErrorText = e.what();
        return "821";
    }

    DataVersionText = DataVersionParam(AccInf.DataVerMajor, AccInf.DataVerMinor1, AccInf.DataVerMinor2);
    THttpsReply confirm;
    try {
        confirm = HttpsGet(Settings, confirmUrl(), UserAgent);
    } catch (const THttpsError& e) {
        ErrorText = e.what();
        return "831";
    }
    return confirm.Header("X-Status");
}

std::string TFtpWebDbSqlDump::confirmUrl() const
{
    std::string url = "https://" + ServerHost + "/request.php?pmd=1100&fnm=" + PercentEncode(CommId) +
                      "&dno=" + std::to_string(DataNo) + "&dvr=" + PercentEncode(DataVersionText) +
                      "&fpa=" + PercentEncode(ZipPassword);
    if (MeetingOn == 1 && MeetingDateMode != 0) {
        url += "&meeting_url=" + PercentEncode(MeetingUrl);
        url += "&meeting_date=" + (MeetingDateMode == 1 ? PercentEncode(MeetingDateParam(MeetingDate)) : "");
        url += "&active_id=" + PercentEncode(withoutHyphens(Settings.InstallationId));
    }
    return url;
}

std::string TFtpWebDbSqlDump::DataVersionParam(int major, int minor, int revision)
{
    if (!TWebDbSqlDump::DataVersion802(major, minor, revision))
        return "8.0.0";
    return std::to_string(major) + "." + std::to_string(minor) + ".0";
}

std::string TFtpWebDbSqlDump::MeetingDateParam(double date)
{
    return FormatDateTime("m月d日　hh：nn", date);
}

std::string TFtpWebDbSqlDump::StatusMessage(const std::string& status)
{
    static const std::map<std::string, std::string> texts = {
        {"000", "正常終了"},
        {"001", "「vorlenzaimu」データ無し"},
        {"002", "「vorlenzaimu」データより、認証不許可"},
        {"003", "「FtpUsers」データ無し"},
        {"801", "通信IDなし"},
        {"802", "データリスト番号不正"},
        {"811", "SQLDumpファイル作成失敗"},
        {"812", "SQLDumpファイル作成失敗(結果0バイト)"},
        {"813", "SQLDumpファイルZip圧縮失敗"},
        {"814", "SQLDumpファイルZip圧縮失敗(結果0バイト)"},
        {"821", "FTP コネクト失敗"},
        {"822", "FTP ログアウト失敗"},
        {"823", "FTP ディレクトリ移動失敗"},
        {"824", "FTP アップロード失敗"},
        {"825", "FTP ダウンロード失敗"},
        {"831", "HTTP GET失敗"},
        {"900", "ユーザーエージェント不正"},
        {"901", "制御モード不明"},
        {"902", "通信ID不明"},
        {"903", "該当制御コード無し"},
        {"911", "データ管理番号不正"},
        {"912", "データバージョン不正"},
        {"913", "データバージョン内容不正"},
        {"921", "Zipオープン失敗"},
        {"922", "Zip解凍パスワード失敗"},
        {"923", "Zip展開失敗"},
        {"924", "SQLDumpファイル不明"},
        {"999", "サーバープログラム例外エラー"},
    };
    const auto it = texts.find(status);
    return it != texts.end() ? it->second : "原因不明のエラー発生";
}

} // namespace vq::comm
