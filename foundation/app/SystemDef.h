#pragma once
// The settings of this run: who is logged on, where the folders and databases
// are, and the operator's display and printing preferences. One instance,
// SystemDef, read and written directly by every subsystem.
//
// Text is UTF-8. Bool fields are bytes holding 0 or 1 because their values
// travel to and from integer database columns unchanged.
#include <array>
#include <cstdint>
#include <string>

#include "foundation/app/FontDesc.h"

namespace vq {

struct TSystemDef {
    std::int32_t GROUPID = 0;       // office group; 10000 stand-alone
    std::string IniFileName;        // DataRootDir/AppName.ini
    std::string LoginUserName;      // login name of the session user
    std::string DocumentsDir;       // documents/BaseFolder
    std::string DataRootDir;        // common application data/BaseFolder
    std::string ProgramDir;         // folder of the executable
    std::string ParentDir;          // parent of ProgramDir
    std::string HelpDir;            // ParentDir/help
    std::string SqlDir;             // ParentDir/sql
    std::string IniDir;             // DataRootDir/ini
    std::string LogDir;             // DataRootDir/log
    std::string TempDir;            // DataRootDir/temp
    std::string WinTempDir;         // TEMP of the environment
    std::string ViewDir;            // WinTempDir/ViewFolder
    std::string SysDir;             // folder of the system database (as the server sees it)
    std::string DataDir;            // folder of the open data set, '' when none
    std::string HostName;           // database host, '' stand-alone
    std::uint8_t GoGlobal = 0;
    std::uint8_t GroupLogon = 0;    // the logon asks for the group number
    std::string DbUser;             // upper case
    std::string DbPassword;         // lower case
    std::string Serial;             // installation identifier (set by the host, if at all)
    std::string ComputerName;
    std::int32_t OPCODE = 0;        // GROUPID * 10000 + operator number
    std::int32_t OperatorNo = 0;
    std::string OPNAME;
    std::int32_t JOBLEVEL = 0;      // 9 lifts every facility restriction
    std::uint8_t JIMUSHO = 0;       // office-wide operator
    std::string CurSisetuCode;
    std::uint8_t MYNUMBER_ADM = 0;
    std::uint8_t SHONIN = 0;        // may approve journal entries
    std::int32_t DefSisetuKind = 0;
    std::string DefSisetuCode;      // a single blank when the code is empty
    std::int32_t PeriodOverride = 0;

    // The operator's settings row (SYSDEF), one field per column.
    std::string FontName;
    std::int32_t FontSize = 0;
    std::int32_t FontStyle = 0;     // 0 regular, 1 bold, 2 italic, 3 bold italic
    std::int32_t FontCharSet = 0;
    std::int32_t FontHeight = 0;
    std::int32_t GridResize = 0;
    std::int32_t ShowHint = 0;
    std::int32_t GridMaxRow = 0;
    std::int32_t GridRsiz = 0;
    std::int32_t PanelColor = 0;    // colours are COLORREF values ($BBGGRR)
    std::int32_t PanelBackColor = 0;
    std::int32_t MenuPrintSw = 0;
    std::int32_t ColHeaderColor = 0;
    std::int32_t FixedTopColor = 0;
    std::int32_t RowHeaderColor = 0;
    std::int32_t FixedLeftColor = 0;
    std::int32_t ActiveColor = 0;
    std::int32_t ClientColor = 0;
    std::int32_t ClientColor1 = 0;
    std::int32_t ClientColor2 = 0;
    std::int32_t ClientColor3 = 0;
    std::int32_t TotalColor = 0;
    std::int32_t ColHeaderGradColor1 = 0;
    std::int32_t ColHeaderGradColor2 = 0;
    std::int32_t ForeColor = 0;
    std::int32_t BorderColor = 0;
    std::int32_t ThruBorderColor = 0;
    std::string PrinterName;
    std::int32_t PreviewZOOM = 0;
    std::int32_t Shouhyou = 0;      // reserved; cleared whenever the settings are read
    std::int32_t NetColor1 = 0;
    std::int32_t NetColor2 = 0;
    std::int32_t PLineColor1 = 0;
    std::int32_t PLineColor2 = 0;
    std::int32_t HojWait = 0;
    std::int32_t DicSwitch = 0;
    std::int32_t DicTekAuto = 0;
    std::int32_t DicTorAuto = 0;
    std::int32_t DicUsednt = 0;
    std::int32_t DicType = 0;
    std::int32_t DicNum1 = 0;
    std::int32_t DicNum2 = 0;
    std::int32_t DicSortType = 0;
    std::int32_t TEK_AUTOUP = 0;
    std::int32_t TOR_AUTOUP = 0;
    std::int32_t UserPrint = 0;
    std::int32_t SwkTotal = 0;
    std::int32_t SwkLine = 0;
    std::int32_t Reserve3 = 0;
    std::int32_t Reserve1 = 0;
    std::int32_t KingakuPlus = 0;
    std::int32_t ZeroPrint = 0;
    std::int32_t SankakuPlus = 0;
    std::int32_t Reserve2Bit1 = 0;  // bit 1 (value 1) of Reserve2
    std::int32_t Reserve2Bit2 = 0;  // bit 2 (value 2) of Reserve2
    std::int32_t Reserve2 = 0;
    std::int32_t Reserve4 = 0;
    std::int32_t Reserve5 = 0;
    std::string SSTR;

    std::string AppTitle;           // display name used in the closing messages
    std::string AppVersion;         // for the error log
    std::int32_t AppVerMajor = 0;
    std::int32_t AppVerMinor = 0;
    std::int32_t MFTop = 0;         // main-form rectangle (SYSDEF)
    std::int32_t MFLeft = 0;
    std::int32_t MFWidth = 0;
    std::int32_t MFHeight = 0;
    std::string OpenDataVersion;    // major.minor1.minor2 of the data set the wizard chose
    FontDesc BaseFont;              // the host main form's font
    FontDesc UserFont;              // the display font the base form rescales to
    std::int32_t MenuHeight = 0;    // screen metrics taken at start-up
    std::int32_t MetricReserved = 0; // always 0; cleared whenever the settings are read
    std::int32_t FrameHeight = 0;
    std::int32_t CaptionHeight = 0;
    std::int32_t FrameExtra = 0;    // 0 when FrameHeight < 5, else 2 * (FrameHeight - 4)
    std::int32_t ShowDataSentaku = 0;
    std::string ZenkaiDrive;
    std::int32_t LastMenu = 0;
    std::string DataSelectMessage;
    std::uint8_t MenuHostState = 0; // MenuHostProc(11, "CorvaneMenu") as the base form saw it
    std::uint8_t BaseFormShown = 0;
    std::string OfficeName;         // system information row 10
    std::string OfficeAddress;
    std::string OfficeTel;
    std::int32_t OfficeReserve1 = 0;
    std::int32_t OfficeReserve2 = 0;
    std::int32_t OfficeReserve3 = 0;
    std::int32_t Reserve4Bit1 = 0;  // bit n of Reserve4 is the bit of value 2^(n-1)
    std::int32_t Reserve4Bit2 = 0;
    std::int32_t Reserve4Bit3 = 0;
    std::int32_t Reserve4Bit4 = 0;
    std::int32_t Reserve4Bits56 = 0; // 1 bit 5 set, else 2 bit 6 set, else 0
    std::int32_t Reserve4Bit7 = 0;  // replaced by "元帳最終行残高出力区"
    std::int32_t Reserve4Bit8 = 0;
    std::int32_t SisetuFreeSwitch = 0; // 1: no facility restriction for anybody
    std::int32_t Reserve4Bit9 = 0;
    std::int32_t EraDisplay = 0;    // bit 10: dates as Japanese-era texts
    std::int32_t Reserve4Bit11 = 0;
    std::int32_t NextItemMove = 0;  // "次項目移動区分"
    std::uint8_t KamokuDigits = 0;  // "科目コード桁数"
    std::uint8_t HojoDigits = 0;    // "補助コード桁数"
    std::uint8_t BumonDigits = 0;   // "部門コード桁数"
    std::uint8_t SwkDateFocus = 0;  // "仕訳日付フォーカス" (default 2)
    std::int32_t DataBrokenFlag = 0; // 1: the chosen data set was found damaged
    std::int32_t DataBrokenCheck = 0; // "データ破損チェック区"

    // Report switches.
    std::int32_t SisanSyukeiPrint = 0;   // "試算表集計出力区分"
    std::int32_t MotochoTitlePrint = 0;  // "元帳タイトル出力区分"
    std::int32_t SisanBsPageBreak = 0;   // "試算表ＢＳ改ページ区"
    std::int32_t SisanTitlePrint = 0;    // "試算表タイトル出力区"

    // Report titles, by slot (see ReportTitleSlot); the unnamed slots stay empty.
    std::array<std::string, 16> ReportTitles;

    std::int32_t ServerDataPlace = 0;    // "サーバのデータの場所"
    // Input switches.
    std::int32_t TekiyouEditMode = 0;    // "摘要項目の編集モード"
    std::int32_t MotochoOneLine = 0;     // "元帳１行出力区分"
    std::int32_t MotochoFusenMark = 0;   // "元帳付箋マーク出力区"
    std::int32_t RensouCondition = 0;    // "連想辞書抽出条件区分"
    std::string LastSelectedData;        // key of the data-list row last chosen
    // What the data selection screen hands back besides the data folder.
    std::string DataPasName;             // PASNAME of the chosen data set (its share path when shared)
    std::string CopyPathsText;           // "PATH1=%s\rPATH2=%s" of an empty target row chosen
    std::int32_t KyoyuDataAuto = 0;      // 1: shared data is taken and kept without the buttons
    std::int32_t KyoyuListAuto = 0;      // 1: the shared-data screen rebuilds its list on every showing
    // Input and print switches.
    std::int32_t TekiyouInputKind = 0;   // "摘要項目の入力区分"
    std::int32_t TorihikiInputKind = 0;  // "取引先項目の入力区分"
    std::int32_t UramenKeisenPrint = 0;  // "裏面の罫線印刷区分"
    std::int32_t TaxCodePrint = 0;       // "消費税コード印刷区分"
    std::int32_t KessanTegataSousai = 0; // "決算書手形相殺区分"
    std::int32_t KessanHanbaihiKumiire = 0; // "決算書販売費組入区分"
    std::int32_t SisanRowAdjust = 0;     // "試算表行数調整区分"
    std::int32_t DefSisetuColor = 0;     // COLOR of the default facility's XSTR
    // Dictionary switches.
    std::int32_t RensouCodeInput = 0;    // "連想辞書コード入力区"
    std::int32_t RensouListOrder = 0;    // "連想辞書リスト並び順"
    std::string FileTransId;             // drive of SysDir + ServerTempDir (client/server only)
    std::int32_t ProgVerMajor = 0;       // newest program version in the system database
    std::int32_t ProgVerMinor1 = 0;
    std::int32_t ProgVerMinor2 = 0;
    std::int32_t PeriodPrintSwitch = 0;  // "試算表期間出力区分"
    std::string NikiTitle;               // "２期試算表タイトル"
    // Dictionary opening switches.
    std::int32_t TekDicOpen = 0;         // "摘要＿辞書開く区分"
    std::int32_t TorDicOpen = 0;         // "取引先＿辞書開く区分"
    std::int32_t TekRensouOpen = 0;      // "摘要＿連想開く区分"
    std::int32_t TorRensouOpen = 0;      // "取引先＿連想開く区分"
    std::int32_t TekAutoOpen = 0;        // "摘要＿自動開く区分"
    std::int32_t TorAutoOpen = 0;        // "取引先＿自動開く区分"
    std::int32_t TekNoInput = 0;         // "摘要＿入力なし区分"
    std::int32_t TorNoInput = 0;         // "取引先＿入力なし区分"
    void* ProgressDialog = nullptr;      // the progress window in use; never owned here
    std::int32_t SeizouTotalLine = 0;    // "試算表製造集計行出区"
};

// The slots of TSystemDef::ReportTitles and the setting each one carries.
enum ReportTitleSlot : int {
    TitleSisan = 0,         // "試算表タイトル"
    TitleZenBs = 1,         // "全科目ＢＳタイトル"
    TitleA3Bs = 3,          // "定形A3ＢＳタイトル"
    TitleZenSisan = 4,      // "全科目資産タイトル"
    TitleA4Sisan = 5,       // "定形A4資産タイトル"
    TitleZenFusai = 7,      // "全科目負債タイトル"
    TitleA4Fusai = 8,       // "定形A4負債タイトル"
    TitleZenPl = 10,        // "全科目ＰＬタイトル"
    TitleA4Pl = 11,         // "定形A4ＰＬタイトル"
    TitleA3Pl = 12,         // "定形A3ＰＬタイトル"
    TitleA4Hanbaihi = 14,   // "定形A4販売費タイトル"
};

extern TSystemDef SystemDef;

} // namespace vq
