#include "datasets/operations/SaveRestoreEngine.h"

#include <filesystem>
#include <unistd.h>

#include "datasets/CloudShareIO.h"
#include "datasets/operations/BackupTrailer.h"
#include "datasets/operations/CollationCheck.h"
#include "datasets/operations/DataSetFileSystem.h"
#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/GassanDataCtl.h"
#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "platform/Interaction.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

std::string workTag()
{
    return "new-" + std::to_string(::getpid());
}

void showJobFailure(const BackupJobResult& r)
{
    platform::showMessage(r.Message + "\r" + r.Detail, platform::MessageKind::Warning);
}

void removeQuietly(const fs::path& p)
{
    std::error_code ec;
    fs::remove_all(p, ec);
}

bool ask(const std::string& text)
{
    return platform::showMessage(text, platform::MessageKind::Confirmation, platform::Buttons::OkCancel) ==
           platform::ResultOk;
}

bool serverMode()
{
    return ConnectMode == ConnectClientServer || ConnectMode == ConnectTerminal;
}

// The status a locked server data set would read without the lock, with its
// description (the trailer needs its journal counts and My Number flag).
std::uint8_t statusBeneathOwnLock(const std::string& folder, TDataInfomationRec& info)
{
    TDataInfomation reader;
    reader.Location = ConnectMode;
    ClearRec(info);
    if (!reader.GetDataInfoFromFolder(folder, info))
        return DataStatusOpenFailed;
    return DM && DM->AccDatInConnection(1, SystemDef.HostName, folder, 0) ? DataStatusInUse : DataStatusFree;
}

} // namespace

fs::path ServerWorkFolder()
{
    const fs::path base = SystemDef.FileTransId.empty() ? fs::path(ProgramTempFolder()) : fs::path(SystemDef.FileTransId);
    return base / std::to_string(SystemDef.OPCODE);
}

std::string ProgramTempFolder()
{
    return SystemDef.TempDir;
}

bool RefuseTempPlace(const std::string& place)
{
    if (ProgramTempFolder().empty() || !IsSameFolder(place, ProgramTempFolder()))
        return false;
    platform::showMessage("このフォルダは選択出来ません。他の場所を選んで下さい。", platform::MessageKind::Information);
    return true;
}

std::int32_t SaveDataSet(const SaveRequest& request, const DataSetBackupTool& tool)
{
    TDataInfomationRec info;
    const bool ownLock = request.OwnLock && serverMode();
    std::uint8_t status = CheckDataStatus(request.Folder, true, !ownLock, info);
    if (ownLock && status == DataStatusLocked)
        status = statusBeneathOwnLock(request.Folder, info);
    if (status == DataStatusInUse && serverMode()) {
        if (!ask("このデータは他のオペレータが使用中です。保存しますか？"))
            return 0;
    } else if (status != DataStatusFree) {
        return 0;
    }
    if (request.Place.empty() || RefuseTempPlace(request.Place))
        return 0;
    if (!FileOpDExist(request.Place, ConnectStandAlone) && !FileOpMkDir(request.Place, ConnectStandAlone)) {
        platform::showMessage("バックアップフォルダの作成に失敗しました。", platform::MessageKind::Warning);
        return 0;
    }
    const fs::path target = fs::path(request.Place) / DataBackupFileName;
    if (!request.PlaceGiven && fs::exists(target) &&
        !ask("この場所には、同じ名前のバックアップファイルが既に存在します。\r上書きしますか？"))
        return 0;

    DataStatusMark mark(request.Folder, DataStatusSaving);
    const fs::path temporary = SiblingWorkPath(target, workTag());
    removeQuietly(temporary);
    // The thread appends the trailer to the temporary; the old backup is
    // replaced only by a finished one.
    BackupJobResult result = tool.save(fs::path(request.Folder) / DataDbFileName, temporary, TrailerOf(info));
    if (result.Succeeded) {
        try {
            SwapInFile(temporary, target);
        } catch (const std::exception& e) {
            result = BackupJobResult{false, "100", BackupFailedText, e.what()};
        }
    }
    removeQuietly(temporary);
    if (!result.Succeeded) {
        showJobFailure(result);
        return -1;
    }
    return 1;
}

RestoreOutcome RestoreDataSet(const RestoreRequest& request, const DataSetBackupTool& tool)
{
    RestoreOutcome outcome;
    TCopySource& copySource = outcome.Source;
    const std::string& folder = request.Folder;
    const bool damaged = request.Row.DATA_STATUS == 1;
    TDataInfomationRec info;
    if (damaged) {
        CloseOwnConnectionTo(folder);
    } else {
        const std::uint8_t status = CheckDataStatus(folder, false, true, info);
        if (status != DataStatusFree) {
            if (status == DataStatusInUse && serverMode())
                platform::showMessage("このデータは他のオペレータが使用中のため復元処理は行えません。",
                                      platform::MessageKind::Information);
            return outcome;
        }
    }
    // The data set's own folder in the server modes is read through the
    // server: its backup is restored there and never copied or cut.
    const bool onServer = request.PlaceOnServer && serverMode();
    if (request.Place.empty() || (!onServer && RefuseTempPlace(request.Place)))
        return outcome;
    const fs::path source = fs::path(request.Place) / DataBackupFileName;
    if (onServer ? !FileOpFExist(source.string(), ConnectMode) : !fs::is_regular_file(source)) {
        platform::showMessage("この場所には、バックアップファイル(" + DataBackupFileName + ")がありませんでした。",
                              platform::MessageKind::Information);
        return outcome;
    }

    CloseOwnConnectionTo(folder);
    if (IsDataSetAttached(SystemDef.HostName, folder)) {
        platform::showMessage(RestoreInUseText, platform::MessageKind::Information);
        outcome.Result = -1;
        return outcome;
    }

    RowDataLock lock(request.Row.REC, request.Row.DATALOCK);
    const fs::path work = onServer ? ServerWorkFolder() : fs::path(ProgramTempFolder());
    const fs::path backup = onServer ? source : work / DataBackupFileName;
    const fs::path trialDb = work / DataDbFileName;
    auto clearWork = [&] {
        for (const std::string& name : {DataBackupFileName, DataDbFileName, DataIniFileName})
            removeQuietly(work / name);
    };
    // What the restore made in its work folder; the backup it read from the
    // server stays where it is.
    auto removeWork = [&] {
        if (onServer) {
            if (FileOpDExist(work.string(), ConnectMode))
                FileOpRmDir(work.string(), ConnectMode, false);
        } else {
            clearWork();
        }
    };
    DataSetBackupTool jobs = tool;
    BackupTrailer trailer;
    bool hasTrailer = false;
    if (onServer) {
        jobs.Direct = true;
        if (!FileOpDExist(work.string(), ConnectMode) && !FileOpMkDir(work.string(), ConnectMode)) {
            platform::showMessage("ワーク領域にファイルをコピー出来なかったため、復元処理は失敗しました。",
                                  platform::MessageKind::Information);
            return outcome;
        }
    } else {
        try {
            dataSetFileSystem().createFolders(work);
            CloseOwnConnectionTo(work);
            clearWork();
            dataSetFileSystem().copyFile(source, backup);
            if (fs::file_size(backup) != fs::file_size(source))
                throw std::runtime_error("incomplete copy");
        } catch (...) {
            clearWork();
            platform::showMessage("ワーク領域にファイルをコピー出来なかったため、復元処理は失敗しました。",
                                  platform::MessageKind::Information);
            return outcome;
        }
        hasTrailer = ReadBackupTrailer(backup, trailer, true);
    }
    TDataInfomationRec described = DescriptionOf(trailer);
    outcome.HadDatabase = FileOpFExist((fs::path(folder) / DataDbFileName).string(), ConnectMode);

    bool passed = true;
    if (damaged) {
        passed = ask("このデータは破損データのため、データ間の照合チェックは行わずに復元を行います。\rよろしいですか？");
    } else {
        if (outcome.HadDatabase) {
            if (!hasTrailer) {
                // The trial copy is made beside the backup: on this computer,
                // or on the server for a backup read there.
                DataSetBackupTool trialTool = jobs;
                if (!onServer)
                    trialTool.Host = "127.0.0.1";
                const BackupJobResult trial = trialTool.restore(backup, trialDb, false);
                if (!trial.Succeeded) {
                    showJobFailure(trial);
                    passed = false;
                } else {
                    TDataInfomation reader;
                    reader.Location = onServer ? ConnectMode : static_cast<std::uint8_t>(ConnectStandAlone);
                    reader.ReadIniFile(onServer ? trialTool.host() : std::string(), work.string(), described);
                    CloseOwnConnectionTo(work);
                }
            }
            if (passed)
                passed = CheckGassanPattern(OpRestore, described, folder, copySource) == 1;
        }
    }
    if (!passed) {
        removeWork();
        outcome.Result = -1;
        return outcome;
    }
    if (onServer) {
        removeWork();
    } else {
        removeQuietly(trialDb);
        removeQuietly(work / DataIniFileName);
    }

    if (!FileOpDExist(folder, ConnectMode))
        FileOpMkDir(folder, ConnectMode);
    {
        DataStatusMark mark(folder, DataStatusRestoring);
        const fs::path database = fs::path(folder) / DataDbFileName;
        // The data module restores beside the database, validates the new
        // file and swaps it in only then, with nobody attached.
        CloseOwnConnectionTo(folder);
        BackupTrailer from = trailer;
        if (!hasTrailer) {
            from = TrailerOf(described);
            from.DATAVARSION = described.VERSION2;
        }
        const BackupJobResult result = jobs.restore(backup, database, true, from);
        if (!onServer)
            removeQuietly(backup);
        if (!result.Succeeded) {
            showJobFailure(result);
            outcome.Result = -1;
            return outcome;
        }
    }

    outcome.DropChildren = ConnectMode == ConnectStandAlone && IsConsolidatedKind(request.Row.GASSAN) &&
                           request.Row.SHOUGOU != described.SHOUGOU;
    TDataInfomation reader;
    reader.Location = ConnectMode;
    if (!outcome.HadDatabase || damaged) {
        TDataInfomationRec now;
        if (reader.GetDataInfoFromFolder(folder, now)) {
            copySource.Row.SHOUGOU = now.SHOUGOU;
            copySource.Row.KISHU = SafeStrToDate(now.KISHU);
            copySource.Row.KIMATU = SafeStrToDate(now.KIMATU);
            copySource.Row.VER_TEXT = now.VERSION2;
            copySource.Row.GASSAN = now.GASSANKBN;
        }
    }
    if (const auto setting =
            AdjustedGassanSetting(ConnectMode, copySource.Row.GASSAN, request.Row.GASSAN, request.ParentChildCount))
        WriteGassanSetting(folder, setting->first, setting->second);
    TCloudShareIO().ClearSetting(SystemDef.HostName, folder);
    outcome.DescriptionRead = reader.GetDataInfoFromFolder(folder, outcome.Restored);
    if (outcome.DescriptionRead) {
        reader.UpdateDataInfomation(SystemDef.HostName, folder, outcome.Restored);
        // The info file must describe the data set now in the folder.
        reader.WriteIniFile(folder, "DATAINFO", outcome.Restored);
    }
    outcome.Result = 1;
    return outcome;
}

} // namespace vq
