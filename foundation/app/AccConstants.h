#pragma once
// The product's typed constants. The names of files and folders start at the
// built-in values below and are replaced once at start-up from the
// application information file (ApplyAppInfo in foundation/AppInfo.h); after
// that they are read-only by convention. Folder names are relative paths with
// '/' separators.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>

namespace vq {

// Replaced from the application information file.
extern std::string AppName;            // "dozevid": names the local settings file
extern std::string BaseFolder;         // "draxon/zeverivurev": under app data and documents
extern std::string ViewFolder;         // "vqzview"
extern std::string ShareFolder;        // "zeverivurev": share name of shared data
extern std::string ServerDataDir;      // "/zeverivurev/data"
extern std::string ServerTempDir;      // "/zeverivurev/temp"
extern std::string SysDbFileName;      // "vqaccdef.fdb": the system database
extern std::string DataDbFileName;     // "vqacc.fdb": a data set's database
extern std::string DataBackupFileName; // "vqacc.fbk": backup made for transfers
extern std::string DataIniFileName;    // "vqacc.ini": a data set's information file
extern std::string CashBookDataDir;    // "cb_data"
extern std::int32_t DataListCnt;       // 120: data-list rows the data selection handles

// Not replaced.
inline const std::string BackupFileName = "vqacc.fbk";
// Database user and password until the local settings name others.
inline const std::string DefaultDbUser = "VORLEN";
inline const std::string DefaultDbPassword = "tamsin";

// Defaults of ColHeaderColor, ColHeaderGradColor1, ColHeaderGradColor2,
// ClientColor, ClientColor1, ClientColor2, TotalColor, ActiveColor of a new
// settings row (COLORREF). UseDistributorColors() changes the last three.
extern std::array<std::int32_t, 8> DefaultColors;
void UseDistributorColors();

inline const std::array<std::string, 13> FuncKeyCaptions = {
    "ESC:", "F1:", "F2:", "F3:", "F4:", "F5:", "F6:", "F7:", "F8:", "F9:", "F10:", "F11:", "F12:"};
inline const std::array<std::string, 2> SortMarks = {"▲", "▼"};
inline const std::array<std::string, 2> PrintFontNames = {"ＭＳ 明朝", "ＭＳ ゴシック"};
inline const std::array<std::string, 6> DataKindNames = {
    "法人", "個人(一般)", "個人(不動産)", "医療法人", "個人(クリニック)", "個人(農業)"};
// Caption of the all-facilities entry by data kind 1..3 (index kind - 1).
inline const std::array<std::string, 3> SitenTotalNames = {"法人全体", "総体", "法人全体"};
// Business kinds of medical facilities, 0..4.
inline const std::array<std::string, 5> IryouJigyouNames = {
    "法人全体", "病院・診療所", "老人保健施設", "指定訪問看護", "その他の事業"};
inline const std::array<std::string, 4> TerminalKindNames = {"", "GO-Global", "RDS", "XenDesktop"};
// Width of the individual-cost code for the data set's setting of 0..3 digits.
inline constexpr std::array<std::int32_t, 4> SwkTaxKinds = {3, 4, 5, 6};
// Consolidation kinds (sets over 0..15).
inline const std::bitset<16> GassanAllKinds{0b111};
inline const std::bitset<16> GassanPartKinds{0b110};

inline bool isGassanPart(int kind)
{
    return kind >= 0 && kind < 16 && GassanPartKinds.test(static_cast<std::size_t>(kind));
}

// The defaults, for resetting the replaceable constants (start-up and tests).
void ResetAccConstants();

} // namespace vq
