#include "comm/forms/DataTusinScreens.h"

#include "comm/forms/TfmDataTusin.h"
#include "comm/forms/TfrmTusinSettei.h"

namespace vq::comm {

TDataTusinScreens::TDataTusinScreens() = default;
TDataTusinScreens::~TDataTusinScreens() = default;

TfrmTusinSettei& TDataTusinScreens::SettingsScreen()
{
    if (!settings_)
        settings_ = std::make_unique<TfrmTusinSettei>();
    return *settings_;
}

std::int32_t TDataTusinScreens::ShowCloudShareSettings(const std::string& folder)
{
    TfrmTusinSettei& screen = SettingsScreen();
    const std::int32_t result = screen.ShowCloudShareSettings(folder);
    SlotChosen = screen.ChosenCloudLine;
    SettingsSaved = result == 0;
    NeedUpload = result == 0 && screen.NeedUpload == 1;
    return result;
}

void InstallDataTusinScreens()
{
    SetCloudShareCommFactory([] { return std::make_unique<TDataTusinScreens>(); });
    RegisterDataTusin();
    RegisterTusinSettei();
}

} // namespace vq::comm
