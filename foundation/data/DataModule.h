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

#include "foundation/data/DeferredTimer.h"
#include "foundation/data/DmDatabase.h"
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
