#pragma once
// One database job on a worker thread: back up a database file, restore a
// backup into one, copy a data set by backup and restore into another
// folder, or rebuild one in place. The worker only sequences: every step
// runs on the main thread (Synchronize), so the creating screen must wait
// with messages (WaitWithMessages / WaitForWithMessages) while it polls
// IsTerminated, every 300 ms.
//
//   TBackupRestoreThread job(true);
//   job.Job = 0; job.DbFile = ...; job.BackupFile = ...; job.WithTrailer = 1; ...
//   job.Resume();
//   WaitForWithMessages([&] { return job.IsTerminated(); }, 300);
//   if (job.Succeeded != 1) show job.Message + "\r" + job.Detail
//
// Where the data lies decides the path: Location 0 lets the database
// services reach the file (locally, or on Host when that is a server);
// Location 1 carries the backup through the file-transfer database of the
// server, or, without it, runs gbak. A backup of a data set can end with a
// trailer ("## CorvaneZone" and KEY=value lines, CP932, CR LF) that the
// restore side reads, and cuts, before it restores.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "foundation/dataset/MyNumberIO.h"

namespace vq {

class TBackupRestoreThread {
public:
    // createSuspended false starts the job at once (with the fields as they
    // are after creation); callers pass true, set the fields, then Resume.
    explicit TBackupRestoreThread(bool createSuspended = true);
    // Waits for a running job to end (its steps need the main thread, so
    // destroy a running job only after polling it to its end).
    ~TBackupRestoreThread();
    TBackupRestoreThread(const TBackupRestoreThread&) = delete;
    TBackupRestoreThread& operator=(const TBackupRestoreThread&) = delete;

    void Resume();
    bool IsTerminated() const { return terminated_.load(); }
    // The job itself (the worker runs it; tests may call it on the main
    // thread, where every step runs at once).
    void Execute();

    void ClearTrailer();
    // Appends the trailer when SHOUGOU is set.
    void WriteTrailer(const std::string& fileName);
    // Reads the trailer fields (after ClearTrailer); with cut the trailer is
    // removed so that the file holds the backup alone. True: SHOUGOU found.
    bool ReadTrailer(const std::string& fileName, bool cut);

    std::int32_t Job = 0;              // 0 backup, 1 restore, 2 copy, 3 rebuild
    std::uint8_t Location = 0;         // 0 services reach the file; 1 file-transfer database
    std::uint8_t AskFirst = 1;         // run the My Number check before jobs 0 and 1
    std::string Host;                  // '' or "127.0.0.1": this computer
    std::string DbFile;                // database (for a restore: the target)
    std::string DbFile2;               // target of job 2 (job 3 sets it to DbFile)
    std::string BackupFile;
    std::uint8_t ActivateIndexes = 0;  // 1: restore with active indexes
    std::uint8_t Succeeded = 0;
    std::uint8_t Failed = 0;           // 1: failed with the four texts below
    std::string ProcName;              // "BackupDatabase" / "RestoreDatabase"
    std::string Code;                  // "100" ... "203"
    std::string Message;
    std::string Detail;
    std::uint8_t WithTrailer = 0;      // append the trailer after a backup
    std::uint8_t ConfirmMyNumber = 0;  // ask whether My Number values go into the backup
    std::uint8_t IncludeMyNumber = 0;  // write My Number audit-log entries
    std::uint8_t ExcludeMyNumber = 0;  // set by the check: back up without My Number values
    std::int32_t Answer = 0;           // 6 backup with, 7 restore with My Number values
    std::string Caption;               // operation name in audit-log entries

    // The trailer.
    std::string SHOUGOU;
    std::string KISHU;                 // "yyyy/mm/dd"
    std::string KIMATU;
    std::int32_t SIWAKE = 0;
    std::int32_t TOTALSIWAKE = 0;
    std::string DATAVARSION;           // "%d.%d.%d"
    std::int32_t GASSAN = 0;
    std::int32_t USEMYNUMBER = 0;

    // The names some callers know these fields by.
    std::string& SecondDbFile = DbFile2;
    std::uint8_t& KeepIndexes = ActivateIndexes;
    std::uint8_t& AddTrailer = WithTrailer;
    std::uint8_t& AskMyNumberOnBackup = ConfirmMyNumber;
    std::uint8_t& LogMyNumber = IncludeMyNumber;

private:
    void AskMyNumber();
    void DoBackup();
    void DoRestore();
    void DoCopy();
    void DoRebuild();
    void fail(const char* procName, const char* code, const std::string& message, const std::string& detail);
    bool isLocalHost() const;
    bool transferBackupFromServer(const std::string& serverFile, const std::string& transferId);
    bool transferBackupToServer(const std::string& serverFile, const std::string& transferId);

    std::unique_ptr<TMyNumberIO> myNumber_ = std::make_unique<TMyNumberIO>();
    std::thread worker_;
    std::atomic<bool> terminated_{false};
};

} // namespace vq
