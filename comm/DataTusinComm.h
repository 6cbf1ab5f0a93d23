#pragma once
// The data communication behind the data-set screens' cloud-share calls:
// the release of a data set's cloud slot, the send, the receive and the copy
// into the work folder "receive". The settings screen still gives the
// stand-in's answer.
//
// Each call works on the data set of the folder it is given, read from that
// data set's own database: its cloud slot, communication ID and password,
// never those of whichever data set the program has open. The transfers
// open that data set in the data module for their run (and close it again
// when they opened it). Every failure, an error of the connection included,
// is reported and answers 1.
//
// A slot that the listing shows in use by another operator or computer is
// refused before anything is taken or sent, in every connection mode.
#include "comm/CloudShareTransfer.h"
#include "comm/CommSettings.h"
#include "comm/RelaySession.h"
#include "datasets/CloudShareComm.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace vq::comm {

class TDataTusinComm : public TCloudShareComm {
public:
    // Settings from the communication settings file at each call.
    TDataTusinComm() = default;
    explicit TDataTusinComm(TCommSettings settings) : settings_(std::move(settings)) {}

    std::int32_t ReleaseCloudShare(const std::string& folder) override;
    std::int32_t CloudShareSend(const std::string& folder, const std::string& waitCaption,
                                std::int32_t automatic) override;
    // mode 1 receives a slot in use and answers 5 then; callers pass 0.
    std::int32_t CloudShareReceive(const std::string& folder, std::int32_t automatic, std::int32_t mode) override;
    std::int32_t CloudShareReceiveTo(const std::string& folder, std::int32_t automatic) override;

    // The pause before each server step; tests and the benchmark leave it out.
    bool Pauses = true;
    // The transfers' step captions (box 1..4), for a step window.
    std::function<void(int, const std::string&)> Step;
    // Where the transfers make their work folders; empty: the settings' TEMP folder.
    std::filesystem::path WorkBase;

    // A session with the settings, the installation identifier and the
    // client names of the logged-on operator and this computer. A failure
    // to name the client is reported and the session goes on.
    TRelaySession NewSession() const;

private:
    TCloudShareTransfer NewTransfer(TRelaySession& session, const std::string& folder,
                                    const TCloudShareRecord& record) const;
    // The latest-copy shortcut: takes the slot (1833) and stores the server's
    // time as the data set's cloud time; the slot is released again when
    // that store fails.
    bool NotifyReceiveEnd(TRelaySession& session, const std::string& folder, std::int32_t slot) const;

    std::optional<TCommSettings> settings_;
};

// Makes the program's data-set screens use TDataTusinComm.
void InstallDataTusinComm();

} // namespace vq::comm
