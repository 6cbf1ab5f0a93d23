#pragma once
// The transfers of the open data set through a relay slot: the relay send
// and receive of a whole data set between offices, and the cash-book
// exchange with the client's cash-book program through the three cash-book
// slots. Each moves "vqacc.wen" (the LHA archive of the data set's backup,
// enciphered with the slot's password) through the relay server's FTP
// storage and reports the completion to the relay server.
//
// What every way out keeps sound:
// - work files lie in a private folder of this call, removed at the end;
// - the server's previous copy is moved aside under its name + "bak" only
//   for the upload, put back when anything before the completion fails;
// - the open data set is replaced only by the restore of a whole,
//   size-checked download whose collation the operator accepted; a
//   cash-book download is restored apart, never over the data set.
#include "comm/RelaySession.h"
#include "comm/TransferSteps.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace vq::comm {

inline constexpr const char* RelayBackupName = "vqacc.fbk";
inline constexpr const char* RelayArchiveName = "vqacc.lzh";
inline constexpr const char* RelayCipherName = "vqacc.wen";

enum class TRelayKind {
    Relay,    // a data set between offices (completion 1820, receive 1830)
    CashBook, // the cash-book slots (completion 1810)
};

class TRelayTransfer : public TTransferSteps {
public:
    // folder: the open data set's folder; commId and password: the
    // communication ID and password of the slots (the data set's, or the
    // cash-book ones).
    TRelayTransfer(TRelaySession& session, TRelayKind kind, std::string folder, std::string commId,
                   std::string password);

    // Saves, archives, enciphers and uploads the open data set into slot
    // (1..10) and reports it with completion (its Slot is set here). The
    // reply's send time goes to column 8 of the slot. 0 sent, 1 failed
    // (reported).
    std::int32_t Send(std::int32_t slot, TSendCompletion completion);
    // Downloads slot's copy, deciphers and unpacks it and restores it over
    // the open data set after the collation (relay: then 1830, whose time
    // goes to columns 10 and 11 of the slot), or into target (cash book).
    // 0 received, 1 failed or declined (reported).
    std::int32_t Receive(std::int32_t slot, const std::filesystem::path& target = {});

private:
    bool restoreOverDataSet(const std::filesystem::path& backup) const;
    bool restoreApart(const std::filesystem::path& backup, const std::filesystem::path& target) const;

    TRelaySession& session_;
    TRelayKind kind_;
    std::string folder_;
    std::string commId_;
    std::string password_;
};

// "yyyy/mm/dd hh:nn" of a relay reply time yyyymmddhhnn...; empty when shorter.
std::string RelayStampText(const std::string& digits);

} // namespace vq::comm
