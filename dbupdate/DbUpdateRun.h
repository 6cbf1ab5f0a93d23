#pragma once
// The update run: what the update dialog does when the operator confirms
// it. It refuses while anybody else uses the database, holds the database
// for itself, backs it up when a pending step asks for it, runs the pending
// steps in version order, restores the backup after a failed step, brings
// the database back online, reconnects it and reports a failure.
//
// The run works on the version test's state (the lists, the pending range,
// the versions); what it shows goes through the virtual operations below,
// which the dialog overrides and whose defaults talk to the interaction
// seam, so the run needs no window.
//
// Sound behaviour where a step goes wrong: an exception out of a step counts
// as a failed step (the backup is restored, then deleted); a failed restore,
// or an exception outside the steps, keeps the backup file and names it in
// the failure box.
#include <cstdint>
#include <string>
#include <vector>

#include "dbupdate/DbVersionTest.h"

namespace vq {

// The backup/restore job's error information.
struct TErrInfomation {
    bool Failed = false;
    std::string ProcName;
    std::string Code;
    std::string Message;
    std::string Detail;
};

class TDbUpdateRun {
public:
    explicit TDbUpdateRun(TDbVersionTest& state);
    virtual ~TDbUpdateRun() = default;
    TDbUpdateRun(const TDbUpdateRun&) = delete;
    TDbUpdateRun& operator=(const TDbUpdateRun&) = delete;

    // The OK button's work. Returns the dialog's modal result: 1 when every
    // pending step was done, 4 after a refusal or a failure. A second call
    // while one runs returns 0 at once. An exception outside the steps
    // passes on after the database was reconnected.
    int Execute();
    bool Running() const { return running_; }

    // -1 nothing pending, the backup failed or the restore failed; 0 a step
    // failed and the database was restored (or no backup had been taken);
    // 1 every pending step succeeded.
    std::int32_t ExecUpdate();
    // The other operators logged on to the system database, one
    // "[ 0012 ]:  name" line each ended by CR (mode 0 only).
    std::string GetLoginUserText();

    // The status column of a step's row for its result.
    static std::string StatusText(std::int32_t result);
    static std::string BackupPath();
    static std::string DatabasePath(std::uint8_t mode);

    bool FUpdated = false;           // the last run reached the target version
    std::string FBackupFile;         // backup of the last run, '' before any
    bool FBackupKept = false;        // the backup file stays for the operator
    TErrInfomation FErrInfo;
    std::vector<std::string> FRowStatus; // status column of the listed rows
    std::vector<std::string> FFailureLines; // the failure box's lines of the last run

protected:
    // The listed row (0 = the first pending step) got its status.
    virtual void RowStatusChanged(int row) { (void)row; }
    virtual void ProgressStart(int steps) { (void)steps; }
    virtual void ProgressStep() {}
    virtual void ProgressEnd() {}
    // The wait window over the dialog while a backup or restore runs.
    virtual void WaitWindowShow(const std::string& caption, const std::string& label);
    virtual void WaitWindowClose() {}
    // The refusal while the system database is used by others.
    virtual void ShowSystemInUse(const std::string& mainText, const std::vector<std::string>& lines);
    virtual void ShowFailureBox(const std::vector<std::string>& lines);

private:
    bool backupOrRestore(std::int32_t job);
    std::int32_t runSteps();
    void refuseInUse();
    void reconnect();
    void showFailure(bool nothingPending);

    TDbVersionTest& state_;
    bool running_ = false;
};

} // namespace vq
