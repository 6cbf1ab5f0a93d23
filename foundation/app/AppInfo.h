#pragma once
// The application information file "AppInfo.ini" that ships next to every
// program of the line: product names, registry keys, the installation's
// folder and database file names, web-service hosts and a few menu captions.
// Read once at start-up into AppInfo; never written.
#include <cstdint>
#include <filesystem>
#include <string>

namespace vq {

// One field per key, in the order of the file's sections. Keys that occur in
// several sections carry the section name in front.
struct TAppInfoRec {
    // [Application]
    std::string OEM;                 // edition identifier; "TellmarData" = distributor edition 1
    std::string Since;
    std::string ApplicationRegKey;
    std::string Tov;
    std::string TovAlias;
    std::int32_t VerMajorDiff = 0;
    std::int32_t VerMinorDiff = 0;
    std::int32_t VerRevDiff = 0;
    std::string VerTest;             // OEM + VerTest: creator tag of code-system files
    std::int32_t DideveduBlind = 0;
    std::string WebHalbrinServer;
    std::string NubraxServer;
    // [Company]
    std::string Name;
    std::string ZipCode;
    std::string Addr;
    std::string TEL;
    std::string FAX;
    std::string Mail;
    std::string URL;
    // [Rided] the accounting product
    std::string AppName;
    std::string RidedAppTitle;
    std::string AppTitle_CL;
    std::string RidedRegKey;
    std::string RidedHomeDir;
    std::string ShareDir;
    std::string ServerDir;
    std::string ServerTempDir;
    std::string DataDefFile;
    std::string DataFile;
    std::string RidedDataBackupFile;
    std::string DataInitFile;        // "acc%d.gbk", formatted with data kind * 10 + code kind
    std::string DataIniFile;
    std::int32_t DataListCnt = 0;
    // [DEduze] electronic books
    std::string DEduzeAppTitle;
    std::string DEduzeDataDir;
    std::string WriteDirFmt;
    // [Halbrin] management analysis
    std::string HalbrinAppTitle;
    std::string HalbrinRegKey;
    std::string HalbrinHomeDir;
    // [Didevedu] cash book
    std::string DideveduAppTitle;
    std::string DideveduRegKey;
    std::string DideveduDataDir;
    std::string DideveduDataBackupFile;
    // [Menu]
    std::string DataCon;
    std::string DataCon01;
    std::string DataCon02;
    std::string DataCon03;
    std::string DataConTov01;
    std::string DataConTov02;
};

extern TAppInfoRec AppInfo;

inline constexpr const char* AppInfoFileName = "AppInfo.ini";

// Results of ReadAppInfo.
enum AppInfoResult : std::int32_t {
    AppInfoRead = 1,
    AppInfoMissing = 0,     // no file; the record is untouched
    AppInfoNoOem = -1,      // [Application] OEM empty; the record holds the built-in defaults
    AppInfoReadError = -10, // the file could not be read; the record may be partly filled
};

// Fills every field with its built-in default.
void LoadAppInfoDefaults(TAppInfoRec& info);

// Reads AppInfo.ini in the folder of exeName into info. Once OEM is present
// a missing key reads as empty (no built-in default); integer keys that are
// empty or not a number give 0, DataListCnt gives 120.
std::int32_t ReadAppInfo(const std::filesystem::path& exeName, TAppInfoRec& info);

// The closing message the host shows for a result other than AppInfoRead.
std::string AppInfoFailureMessage(std::int32_t result);

// Sets OemKind from info.OEM, copies the file and folder names into the typed
// constants (foundation/AccConstants.h) and, in a distributor edition, the
// distributor colours. Folder names are converted to '/' separators. An empty
// value leaves the built-in constant in place: a file that names only OEM
// must not leave the programs without file names.
void ApplyAppInfo(const TAppInfoRec& info);

} // namespace vq
