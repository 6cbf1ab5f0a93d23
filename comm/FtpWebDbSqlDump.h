#pragma once
// The upload of the open data set's accounting data to the analysis server:
// the dump (TWebDbSqlDump) zipped with the archive password into a private
// work folder, announced over HTTPS (pmd=1000, whose reply headers X-Add and
// X-Pas name the FTP host and password), sent by FTP into the slot's folder
// and confirmed over HTTPS (pmd=1100) with the data version, the archive
// password and, when a web meeting is announced, its page and start. Both
// HTTPS requests and the FTP control channel follow the communication
// settings' TLS policy; every query value is percent-encoded.
//
// Each step that fails ends the upload with its three-digit status; the
// server's own codes come in X-Status. The dump and the archive live only in
// the work folder (mode 0700), which goes on every way out, success included.
#include "comm/CommSettings.h"
#include "comm/WebDbSqlDump.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace vq::comm {

class TFtpWebDbSqlDump {
public:
    // The server host from AppInfo (WebHalbrinServer), the settings from the
    // communication settings file.
    TFtpWebDbSqlDump();
    explicit TFtpWebDbSqlDump(TCommSettings settings);

    // Sends the open data set for the communication ID (its "-" are dropped)
    // and slot 1 to 10; the status, "000" when the server accepted it (see
    // StatusMessage). Shows nothing of its own and never throws: a failing
    // dump has shown its message, and ErrorText tells the rest.
    std::string UploadDump(const std::string& commId, std::int32_t dataNo);

    // The Japanese text of a status; any unknown text, the empty one
    // included, is "原因不明のエラー発生".
    static std::string StatusMessage(const std::string& status);
    // The dvr value: "major.minor.0", or "8.0.0" for data before 8.0.2.
    static std::string DataVersionParam(int major, int minor, int revision);
    // The meeting_date value: "m月d日　hh：nn".
    static std::string MeetingDateParam(double date);

    static constexpr const char* ZipPassword = "Ohbcjn8506";
    static constexpr const char* UserAgent = "Corvane";

    TWebDbSqlDump Dump;
    TCommSettings Settings;
    std::string ServerHost;
    // Where the private work folder is made; empty: SystemDef.TempDir.
    std::filesystem::path WorkBase;

    // The state of the last upload.
    std::string Status;
    std::string CommId;
    std::int32_t DataNo = 0;
    std::string DatabaseName;
    std::string FtpHost;
    std::string FtpPassword;
    std::string DataVersionText;
    std::int32_t MeetingOn = 0;
    std::string MeetingUrl;
    std::int32_t MeetingDateMode = 0;
    double MeetingDate = 0;
    // What made the upload fail, for the caller's log; never a password.
    std::string ErrorText;

private:
    std::string run(const std::string& commId, std::int32_t dataNo);
    std::string confirmUrl() const;
};

} // namespace vq::comm
