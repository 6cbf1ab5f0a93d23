#pragma once
// The settings of the relay-server connection, kept in the communication
// settings file "DataTusin.ini" (section [Relay]) of the settings folder.
// Every value has a sound default; a missing file gives all defaults:
//
//   Host=              relay server's host name (no default: requests fail
//                      with the connection message until it is set)
//   Port=443
//   CaFile=            PEM file of the certificate authorities to trust;
//                      empty: the system's store
//   ConnectTimeoutMs=10000, ReadTimeoutMs=30000  (100 .. 600000)
//   AllowLegacyTls=0   1 admits TLS 1.0 and 1.1 servers (certificates are
//                      still checked); every use is written to the log
//   InstallationId=    the installation identifier sent as sSno; empty:
//                      the one the host set in SystemDef.Serial
//   LoginUrl=, GuideUrl=  pages the communication screens open
//   FtpPort=21         port of the FTP storage
//   FtpPlainHosts=     FTP hosts (comma-separated) reached without TLS; by
//                      default none is, and every plain connection is logged
#include <filesystem>
#include <string>

namespace vq::comm {

struct TCommSettings {
    std::string Host;
    int Port = 443;
    std::string CaFile;
    int ConnectTimeoutMs = 10000;
    int ReadTimeoutMs = 30000;
    bool AllowLegacyTls = false;
    std::string InstallationId;
    std::string LoginUrl;
    std::string GuideUrl;
    int FtpPort = 21;
    std::string FtpPlainHosts;
    // Where the connection notes go (the use of legacy TLS).
    std::filesystem::path LogFile;
};

// The settings file of this installation: the settings folder's "DataTusin.ini".
std::filesystem::path CommSettingsFile();
// Reads file; out-of-range numbers fall back to their defaults.
TCommSettings LoadCommSettings(const std::filesystem::path& file);
TCommSettings LoadCommSettings();
void SaveCommSettings(const std::filesystem::path& file, const TCommSettings& settings);

// Appends one dated line to the settings' log; a log that cannot be written
// is passed over (the note never stops a request).
// Whether host is among the settings' FtpPlainHosts.
bool FtpPlainAllowed(const TCommSettings& settings, const std::string& host);

void WriteCommLog(const TCommSettings& settings, const std::string& text);

} // namespace vq::comm
