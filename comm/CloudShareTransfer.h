#pragma once
// The transfers of a cloud-shared data set through the relay server's FTP
// storage: the send (save, archive, encipher, upload, completion 1823) and
// the receive or copy (take 1833, download, decipher, extract, restore). The
// entry points of TDataTusinComm read the data set's record and the listing
// first and hand both over.
//
// What every way out keeps sound:
// - work files lie in a private folder of this call, removed at the end;
// - the slot is released (1730 "free") only when this call took it and the
//   operation failed, whatever step failed;
// - the cloud time of the data set is stored only once the server accepted
//   the send (1823) or the received copy replaced the data set;
// - the server's previous copy is moved aside under its name + "bak" only
//   for the upload and put back when anything before the completion fails,
//   and a "bak" left by an earlier failure is cleared first;
// - the local data set is replaced only by the restore of a whole,
//   authentic, size-checked download, through the restore job (which builds
//   the file beside the data set and swaps it in once it validates).
#include "comm/CloudShareDataFile.h"
#include "comm/CloudShareRecord.h"
#include "comm/RelaySession.h"
#include "comm/TransferSteps.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace vq::comm {

inline constexpr const char* CloudBackupName = "cpacc.fbk";
inline constexpr const char* CloudArchiveName = "cpacc.lzh";
inline constexpr const char* CloudCipherName = "cpacc.wen";

class TCloudShareTransfer : public TTransferSteps {
public:
    // folder: the data set's folder; record: its values read from its own
    // database; session: with the client names, the caller and a listing.
    TCloudShareTransfer(TRelaySession& session, std::string folder, TCloudShareRecord record);

    // 0 sent, 1 failed (reported).
    std::int32_t SendData(const TDataVersion& version);
    // 0 received, 1 failed or declined (reported). copy: into CopyFolder()
    // instead of over the data set; the slot then stays taken on success.
    std::int32_t ReceiveData(bool copy);

    // "receive" in the data root's temp folder.
    static std::filesystem::path CopyFolder();

private:
    // Runs the steps of one transfer: 0 when they ran through; 1 after a
    // failure was reported; the slot this call took is released on every
    // way but success.
    std::int32_t run(const std::function<void()>& steps);
    void takeSlot(const char* connectMessage, const char* serverMessage, const char* otherMessage);
    void releaseIfTaken();
    bool restoreReceivedData(const std::filesystem::path& backup, bool copy);

    TRelaySession& session_;
    std::string folder_;
    TCloudShareRecord record_;
    bool slotTaken_ = false;
};

} // namespace vq::comm
