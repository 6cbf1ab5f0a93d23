#pragma once
// The data communication of the program with its screens: the transfers of
// TDataTusinComm and the cloud-share settings screen, shown for
// ShowCloudShareSettings (one screen kept and reused by each object).
#include "comm/DataTusinComm.h"

#include <memory>

namespace vq::comm {

class TfrmTusinSettei;

class TDataTusinScreens : public TDataTusinComm {
public:
    TDataTusinScreens();
    ~TDataTusinScreens() override;
    std::int32_t ShowCloudShareSettings(const std::string& folder) override;

    // The screen, for tests that drive it.
    TfrmTusinSettei& SettingsScreen();

private:
    std::unique_ptr<TfrmTusinSettei> settings_;
};

// Makes the program's data-set screens use TDataTusinScreens, and registers
// the communication screens ("QzDataTusin", "QzTusinSettei").
void InstallDataTusinScreens();

} // namespace vq::comm
