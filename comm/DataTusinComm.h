#pragma once
// The data communication behind the data-set screens' cloud-share calls.
// The release of a data set's cloud slot runs here; the transfers and the
// settings screen still give the stand-in's answer.
//
// The release works on the data set of the folder it is given, read from
// that data set's own database: its cloud slot and communication ID, never
// those of whichever data set the program has open. Every failure, an error
// of the connection included, is reported and answers 1.
#include "comm/CommSettings.h"
#include "comm/RelaySession.h"
#include "datasets/CloudShareComm.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vq::comm {

class TDataTusinComm : public TCloudShareComm {
public:
    // Settings from the communication settings file at each call.
    TDataTusinComm() = default;
    explicit TDataTusinComm(TCommSettings settings) : settings_(std::move(settings)) {}

    std::int32_t ReleaseCloudShare(const std::string& folder) override;

    // A session with the settings, the installation identifier and the
    // client names of the logged-on operator and this computer. A failure
    // to name the client is reported and the session goes on.
    TRelaySession NewSession() const;

private:
    std::optional<TCommSettings> settings_;
};

// Makes the program's data-set screens use TDataTusinComm.
void InstallDataTusinComm();

} // namespace vq::comm
