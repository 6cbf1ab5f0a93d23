#pragma once
// The cash-book import: a received database is brought into the data set
// that is open, in one transaction that spans both databases (committed in
// two phases), with a log of information, warning and error entries.
//
//   ImportMode 1, merge: the received cash book's sub-accounts, cash opening
//   balances (TextMode 1) and cash entries are merged into the open data set
//   through the journal writer, and the cash balances of both are compared
//   (TextMode 0). The received database is only read.
//   ImportMode 0, replacement: the received data set takes over the open
//   one's dictionaries and data-list name, loses its operator tables, and
//   after the commit replaces the open data set's database file.
//
// Every data step logs its own failure (-100 with the cause) and throws; the
// run then rolls back, so either both databases hold the whole import or
// neither changed. Checks log errors without throwing; an error entry stops
// the steps that follow and rolls back. The result is the code of the first
// error entry, else 1 once the closing success entry is written; a failure
// of the file replacement after the commit is an error like any other.
//
// The engine has no window: TCashBookLoaderBox shows it, and tests run it
// directly.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comm/CorvaneSyoriLog.h"
#include "comm/JisyoLoader.h"
#include "foundation/accounting/SwkRec.h"
#include "foundation/journal/SiwakeWrite.h"
#include "foundation/office/SitenList.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::comm {

// One received account, as the account-system check compares it.
struct TReceiveKamokuInfo {
    std::string GROUPM0;
    std::string USERCODE;
    std::string KNAME;
    std::int32_t USE = 0;
    std::string HOJOSW;
};

// One cash account of the balance comparison.
struct TCashBookLoadKamokuRec {
    std::string KCODE;
    std::string Text;
    std::int32_t DAC = 0;
};

// The two file kinds of the log export.
enum LogFileKind { LogCsv = 1, LogText = 2 };

class TCashBookLoader {
public:
    TCashBookLoader();
    ~TCashBookLoader();
    TCashBookLoader(const TCashBookLoader&) = delete;
    TCashBookLoader& operator=(const TCashBookLoader&) = delete;

    // Names the received database; a missing file makes the run's
    // connection fail.
    void OpenReceivedData(const std::string& fileName);

    // The whole run: the in-use check, the connections, ImportCashBook, the
    // reconnection of the open data set (and its information reloaded after
    // a success).
    void Run();
    void ImportCashBook();

    void ResetLog();
    void AddLog();
    // Adds (kind, code, message) as CurrentEntry through AddLog.
    void AddEntry(std::uint8_t kind, std::int32_t code, const std::string& message);
    std::int32_t RecomputeResult();

    // The steps, in the order of the run.
    void CheckVersion();
    bool CheckAccountSystem();
    std::string RemapCashAccountCode(const std::string& group, const std::string& kcode) const;
    void TransferDictionaries();
    void UpdateDataListName();
    bool ImportSubAccounts();
    bool ImportOpeningBalances();
    bool ImportCashEntries();
    bool CompareCashBalance();
    void CleanupAfterImport();
    void ReplaceDataFile();

    // The log as the export writes it: LogCsv fields in apostrophes followed
    // by commas, LogText bare fields followed by tabs; every entry line is
    // followed by an empty line. Written through a temporary file.
    std::string LogFileText(LogFileKind kind) const;
    void SaveLog(const std::string& fileName, LogFileKind kind) const;

    // The window's progress: a new label, and one step of the bar.
    std::function<void(const std::string&)> OnLabel;
    std::function<void()> OnStep;
    // Every entry as it is added (the window's list).
    std::function<void(const TCorvaneSyoriInfo&)> OnEntry;

    std::string ReceivedFile;
    std::uint8_t TextMode = 0;      // 0 cash-book texts, 1 data texts
    std::uint8_t ImportMode = 1;    // 0 replacement, 1 merge
    std::uint8_t TransactionWasActive = 0;
    std::int32_t ImportResult = 0;
    TCorvaneSyoriInfo CurrentEntry;
    TCorvaneSyoriLog ImportLog;
    TSWKREC JournalRecord;
    std::array<std::int32_t, 3> ReceivedVersion{};
    // The cash-book version a merge needs; a host may raise it.
    std::array<std::int32_t, 3> CashBookRequiredVersion{};

    TSitenList Siten;
    TJisyoLoader Jisyo;
    TSiwakeWrite Writer;

    // The received database and the one transaction over it and the open
    // data set's database.
    db::Attachment ReceiveDatabase;
    db::Transaction ReceiveTransaction;
    db::Statement ReceiveSQL1;
    db::Statement ReceiveSQL2;
    db::Statement SQL1;
    db::Statement SQL2;

private:
    struct ReceivedRow;
    struct Counterpart;
    void label(const std::string& text);
    void step();
    void endTransaction(bool commit);
    void makeFinalEntry();
    std::array<std::int32_t, 3> readReceivedVersion();
    bool receivedBefore6() const { return ReceivedVersion[0] < 6; }
    // A data step: its failure text with the cause is logged and the
    // exception passed on.
    template <typename F>
    auto guarded(const std::string& failure, F&& work) -> decltype(work())
    {
        try {
            return work();
        } catch (const std::exception& e) {
            logFailure(failure, e);
            throw;
        }
    }
    void logFailure(const std::string& failure, const std::exception& e);

    // The cash-entry merge.
    Counterpart findCounterpart(const ReceivedRow& row, char cls);
    bool receivedWins(const ReceivedRow& row, const Counterpart& cp) const;
    void markTaken(const ReceivedRow& row, const Counterpart& cp);
    void restoreAndLink(const ReceivedRow& row, const Counterpart& cp);
    void fillFromReceived(const ReceivedRow& row);
    std::int32_t writeEntry(const ReceivedRow& row, const Counterpart& cp, std::string& reason);
    void logEntry(std::uint8_t kind, std::int32_t code, std::int32_t entryNo, const std::string& reason);
    std::vector<ReceivedRow> readReceivedEntries(const std::string& cash);

    std::int32_t auditRefusals_ = 0;
    // Log texts of the row being merged.
    std::string logDate_, logAccount_, logText_, logAmount_;
    std::string cash_;
};

} // namespace vq::comm
