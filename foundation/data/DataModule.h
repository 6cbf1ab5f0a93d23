#pragma once
// The data module: owns every database connection and transaction of the
// process - the system database, the database of the data set that is open
// and the file-transfer database - and opens, tests, closes and drops them.
// One instance, created by the host after the folder and connection settings
// are known and kept until the end of the run; the global DM points to it.
//
// Method discipline (all of the module's methods): a method that needs
// IBTransactionDEF or IBTransactionDAT starts it only when it is not active,
// commits at the end of its work and on an exception rolls back only what it
// started (db::TransactionScope). Database errors go to ReportDbError with
// the label "TDM.<method>", other exceptions to ShowMessageDetail; the method
// then returns its failure value.
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/app/SystemIniRec.h"
#include "foundation/data/DeferredTimer.h"
#include "foundation/data/DmDatabase.h"
#include "foundation/data/SettingValue.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

class TDM {
public:
    // Registers itself as DM when no module is registered yet. Nothing is
    // connected at creation.
    TDM();
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // ---- Components (other parts name them) --------------------------------
    // System database (vqaccdef.fdb in SysDir) and its read-committed,
    // no-wait transaction used for every read and write of it.
    DmDatabase IBDatabaseDEF;
    db::Transaction IBTransactionDEF{IBDatabaseDEF.attachment(), db::kReadCommitted};
    // The open data set's database (vqacc.fdb in the data set's folder).
    DmDatabase IBDatabaseDAT;
    db::Transaction IBTransactionDAT{IBDatabaseDAT.attachment(), db::kReadCommitted};
    // Snapshot for consistent multi-statement reads (trial balances).
    db::Transaction IBTransactionDATSS{IBDatabaseDAT.attachment(), db::kSnapshot};
    // System-database statements: settings read, settings write, others.
    db::Statement IBQSysDefGet{IBDatabaseDEF.attachment(), IBTransactionDEF};
    db::Statement IBQSysDefPut{IBDatabaseDEF.attachment(), IBTransactionDEF};
    db::Statement QueryDef{IBDatabaseDEF.attachment(), IBTransactionDEF};
    db::Statement IBSQLDEF{IBDatabaseDEF.attachment(), IBTransactionDEF};
    // The module's own data-set reads, and those of the database update.
    db::Statement IBQACC1{IBDatabaseDAT.attachment(), IBTransactionDAT};
    db::Statement IBQACC2{IBDatabaseDAT.attachment(), IBTransactionDAT};
    // File-transfer database (vqfileman.fdb in SysDir), only where it exists.
    DmDatabase IBFileMan;
    db::Transaction IBTransFileMan{IBFileMan.attachment(), db::kReadCommitted};
    db::Statement IBQueryFileMan{IBFileMan.attachment(), IBTransFileMan};
    db::Statement IBSQLFileMan{IBFileMan.attachment(), IBTransFileMan};

    // Deferred close of a window: a screen stores its handle in Tag and
    // enables the timer; the handler asks PostWindowClose to close it.
    DeferredTimer TimerFormClose{100, [this] { TimerFormCloseTimer(); }};
    // Deferred start of a registered screen (see StartSyoriDeferred).
    DeferredTimer TimerSyoriKidou{100, [this] { TimerSyoriKidouTimer(); }};

    // ---- Connections ----------------------------------------------------------
    // Connects the system database on host ('' = HostName). Already connected:
    // true at once. reportErrors 1 reports a failure and returns false; any
    // other value lets the error reach the caller.
    bool fnAccDefConnected(const std::string& host, std::uint8_t reportErrors);
    // Connects the file-transfer database when its file exists; never reports.
    bool OpenFileManDatabase(const std::string& host);
    // Connects the data set in folder ('' = DataDir) on host, closing the one
    // open before. writeStatus 1 marks it in use (info file, stand-alone only).
    bool fnAccDatConnected(const std::string& host, const std::string& folder, std::uint8_t writeStatus);
    // Closes the open data set properly: writeFree 1 marks it free (info file,
    // stand-alone only), refreshList 1 refreshes its data-list row. Always 1.
    std::int32_t CloseAccDat(const std::string& folder, std::uint8_t writeFree, std::uint8_t refreshList);
    // Whether the system database (kind 0) or the data set (kind 1) of folder
    // is attached on its server; keepOwn 0 leaves the module's own attachment
    // out of the count (it is closed for the query and opened again).
    bool AccDatInConnection(std::uint8_t kind, const std::string& host, const std::string& folder,
                            std::uint8_t keepOwn);
    // Drops the data set's database in folder.
    bool AccDatDropDatabase(const std::string& host, const std::string& folder);
    // The data-broken check: 1 sound (or not checked), 0 damaged.
    std::int32_t CallDataStatusHook(const std::string& host, const std::string& folder, std::int32_t silent,
                                    std::int32_t force);

    // ---- Backup, restore, validation -----------------------------------------------
    // Protocol 3 works on a file of this computer through the embedded engine
    // (host ignored); any other value asks the server on host. Database and
    // backup names are paths as that machine sees them.
    //
    // Backs dbFile up into backupFile. keepName 0 writes "vqacc.fb_" beside
    // the database first and moves it onto backupFile afterwards. A failed
    // backup leaves no partial file behind. False: reported.
    bool BackupFDB(std::uint8_t protocol, const std::string& host, const std::string& dbFile,
                   const std::string& backupFile, std::uint8_t keepName);
    // Restores backupFile into dbFile (page size 16384, 4096 buffers; indexes
    // deactivated unless keepIndexes is 1). The restore goes to a temporary
    // file beside dbFile, is validated, and only then takes dbFile's place,
    // so a failed or interrupted restore leaves dbFile as it was. A restored
    // data set is connected once to clear its operation history. The data
    // set's connection is closed at the end in every case. False: reported.
    bool RestoreFDB(std::uint8_t protocol, const std::string& host, const std::string& dbFile,
                    const std::string& backupFile, std::uint8_t keepIndexes);
    // The same through the gbak tool (gbakProgram()), host "" meaning a local
    // file. Host "127.0.0.1" takes the services with the local protocol.
    // Success needs exit status 0 and no "ERROR" in gbak's log. The backup
    // throws its failure (std::runtime_error) to the caller; the restore
    // reports it and returns false.
    bool RunGbakBackup(std::uint8_t protocol, const std::string& host, const std::string& dbFile,
                       const std::string& backupFile, std::uint8_t keepName);
    bool RunGbakRestore(std::uint8_t protocol, const std::string& host, const std::string& dbFile,
                        const std::string& backupFile, std::uint8_t keepIndexes);
    // True when the full validation reports nothing, and also when the file
    // cannot be opened at all (held elsewhere, or an I/O error): a data set
    // in use must never be taken for damaged. Never reports.
    bool ValidateDatabase(std::uint8_t protocol, const std::string& host, const std::string& dbFile);
    // Empties the operation history (OPINF) of the open data set; errors
    // reach the caller.
    void ClearOpInf();

    // ---- Files on the database server ----------------------------------------------
    // "FEXIST", "FCOPY", "FDEL", "FMOVE" (FILEOPERATION) or "DEXIST", "MKDIR",
    // "RMDIR" (DIRECTORYTEST) on the server through the system database,
    // connected for the call when it is not. True when the server answered
    // WBOOL 1. False for another op or blank paths; failures reported.
    bool ServerFileOperation(const std::string& op, const std::string& path1, const std::string& path2);
    // The server's short form of a path ('' when blank or on failure).
    void ServerLongToShortFileName(const std::string& longName, std::string& shortName);
    // The short form locally (mode 0: the path itself) or on the server.
    void ShortFileName(const std::string& path, std::uint8_t mode, std::string& shortName);

    // ---- The operator's settings (system database) -----------------------------
    // Reads the logged-on operator's SYSDEF row (inserting it with the
    // defaults and the first SYSREG values on the first logon), the SYSREG
    // values, the system information and the newest program version into
    // SystemDef. False: reported; the program must stop.
    bool fnGetSysDef();
    // Writes the settings row and the SYSREG values back. False: reported.
    bool fnPutSysDef();
    // Removes the operator's rows of the logon list.
    void DeleteLogonInfo();
    // A typed SYSREG value ("文字", "論理", "日付", "整数", "金額"), inserted
    // with defaultText when missing. On an error value stays as it was.
    void funcGetSysReg(std::int32_t opCode, const std::string& code, const std::string& typeName,
                       const std::string& defaultText, SettingValue& value);
    void funcGetSysReg(const std::string& code, const std::string& typeName, const std::string& defaultText,
                       SettingValue& value);
    void funcPutSysReg(std::int32_t opCode, const std::string& code, const std::string& typeName,
                       const SettingValue& value);
    void funcPutSysReg(const std::string& code, const std::string& typeName, const SettingValue& value);
    // One SYSTEMINI row (rec.REC selects it); a missing row reads as zeros.
    bool GetSysIni(TSystemIniRec& rec);
    bool SetSysIni(const TSystemIniRec& rec);
    // The colours of a print style, kept as text; errors are swallowed.
    void GetStyleColor(std::int32_t opCode, const std::string& styleName, std::string& sstr);
    void PutStyleColor(std::int32_t opCode, const std::string& styleName, const std::string& sstr);
    // GengoTable := the GENGO rows, newest first; the built-in eras when the
    // table gives no row (or cannot be read).
    void LoadGengoTable();
    // The newest VERSION row into ProgVerMajor/Minor1/Minor2 (0s on failure).
    void GetLatestProgramVersion();

    // Whether a font of that family is installed; installed by the host's
    // user interface. Without it the operator's font is not taken over.
    using FontInstalledFunc = std::function<bool(const std::string& family)>;
    static FontInstalledFunc FontInstalled;

    // ---- The open data set --------------------------------------------------------
    // Fills AccInf from the open data set, selects the edition tables and
    // prepares the tax-rate table of its data version. False: reported;
    // AccInf may be partly filled.
    bool fnGetAccInfo();
    // Column of the ACCTOTALNAME row of kGroup ('' when none).
    void fnGetAccTotalName(const std::string& kGroup, const std::string& column, std::string& name);
    bool CheckIryouData();
    // Medical-corporation data (data type 3, code type 1); selects the
    // balance tables and the cash-flow items of that edition.
    bool CheckIryouDataKind(std::int32_t dataType, std::int32_t codeType);
    // Throw std::runtime_error for a kind outside the table.
    static void GetDataTypeName(std::int32_t dataType, std::string& name);
    static void GetCodeTypeName(std::int32_t dataType, std::int32_t codeType, std::string& name,
                                bool withDataType);
    // No facility restriction applies to the logged-on operator.
    bool IsSisetuFree() const;
    // Whether the operator's job level may run procId (with option).
    bool SetJobControl(const std::string& procId, const std::string& option);
    // The operator has facilities to work in.
    bool fnGetExistsOpeDefSisetu();
    // The operator's default facility into SystemDef; name = its name.
    void GetOpeDefSisetu(std::string& name);
    // The operator may see every facility of the open data set; false when
    // the facilities cannot be read (reported).
    bool IsAllSisetuPermitted(std::int32_t opCode);
    // A value of a facility's XSTR text; "COLOR" is an integer ($FFAF80
    // when missing or not above 0), any other key a text.
    static void GetXstrValue(const std::string& text, const std::string& key, SettingValue& value);
    // The value of the "key=" line of a multi-line text (key case-insensitive).
    static void GetTextValue(const std::string& text, const std::string& key, std::string& value);
    // The version of ACCVERSION row 1 as "major.minor1.minor2" ("0.0.0" on
    // failure). Commits an active data-set transaction first.
    void fnGetDataBaseVer(std::string& version);
    // Schema tests on the open data set (names in upper case).
    bool fnExistence_Table(const std::string& table);
    bool fnExistence_Field(const std::string& table, const std::string& column);
    // Journal counts of a facility (blank = all); errors reach the caller.
    std::int32_t GetYukouSiwakeCount(const std::string& sCode);
    std::int32_t GetUpDelSiwakeCount(const std::string& sCode);
    std::int32_t GetSiwakeCount(const std::string& sCode, std::int32_t& valid, std::int32_t& upDel);
    std::int32_t GetTotalSiwakeCount(const std::string& sCode);
    // A fixed account by its ACCDEF2 name, and an account's user code.
    void SetSystemCode(const std::string& name, std::string& kCode, std::string& userCode);
    void GetUserCode(const std::string& kCode, std::string& userCode);
    // The two folder names after "DATA" or "CB_DATA" in path.
    static void SplitDataFolderNumbers(const std::string& path, std::string& first, std::string& second);
    // The data-list row of a data folder.
    void GetDataListRec(const std::string& path, std::int32_t& rec, std::int32_t& childRec);
    // Asks for the data password (three attempts); true when it may open.
    bool AskDataPassword();
    bool CanUseCloudShare(std::uint8_t excludeAnalysis) const;
    bool IsDataReadOnly() const;
    static std::int32_t AdjustForIkkatuZeinuki(std::int32_t value, std::int32_t extra);
    static std::int32_t AdjustForIkkatuZeinuki2(std::int32_t value, std::int32_t extra);
    // TUSIN_ID row rec into slot of AccInf.CommHolder/CommPassword.
    void GetTusinId(std::int32_t rec, std::size_t slot);

    // ---- Timers -----------------------------------------------------------------
    void TimerFormCloseTimer();
    void TimerSyoriKidouTimer();
    // Starts the registered screen `name` after the current event is handled.
    void StartSyoriDeferred(const std::string& name, std::int32_t mode, const std::string& params);

    // Closes the window whose handle a screen left in TimerFormClose.Tag;
    // installed by the host's user interface.
    using WindowCloseFunc = std::function<void(std::intptr_t handle)>;
    static WindowCloseFunc PostWindowClose;

    // ---- Connection rules ----------------------------------------------------------
    // "host:folder/file" for the server, "folder/file" for a local attachment.
    static std::string MakeDatabaseName(const std::string& host, const std::string& folder,
                                        const std::string& file, bool remote);
    // The server form is used when ConnectMode is not 0 and host is not "127.0.0.1".
    static bool UsesServer(const std::string& host);
    // Sets dialect, database name and the three parameter lines of a connection.
    static void PrepareConnection(DmDatabase& database, const std::string& databaseName);

private:
    std::string SyoriName;
    std::int32_t SyoriMode = 0;
    std::string SyoriParams;
};

// The one data module of the process (nullptr before the host created it).
extern TDM* DM;

} // namespace vq
