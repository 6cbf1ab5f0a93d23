#pragma once
// The data communication of the program with its screens: the transfers of
// TDataTusinComm and the cloud-share settings screen, shown for
// ShowCloudShareSettings (one screen kept and reused by each object).
#include "comm/DataTusinComm.h"

#include <memory>
#include <string>
#include <vector>

namespace vq::comm {

class TfrmTusinSettei;
class TWaitStepWindow;

class TDataTusinScreens : public TDataTusinComm {
public:
    TDataTusinScreens();
    ~TDataTusinScreens() override;
    std::int32_t ShowCloudShareSettings(const std::string& folder) override;
    // The transfers with their step window, its steps following the
    // transfer's steps (Step): the running one ticked in blue, those before
    // it finished in grey.
    std::int32_t CloudShareSend(const std::string& folder, const std::string& waitCaption,
                                std::int32_t automatic) override;
    std::int32_t CloudShareReceive(const std::string& folder, std::int32_t automatic, std::int32_t mode) override;
    std::int32_t CloudShareReceiveTo(const std::string& folder, std::int32_t automatic) override;

    // The screen, for tests that drive it.
    TfrmTusinSettei& SettingsScreen();

    // The step window of the transfer under way; none between transfers.
    TWaitStepWindow* StepWindow() const { return stepWindow_.get(); }

private:
    template <class Call>
    std::int32_t withStepWindow(const std::vector<const char*>& steps, const std::string& caption, Call call);

    std::unique_ptr<TfrmTusinSettei> settings_;
    std::unique_ptr<TWaitStepWindow> stepWindow_;
};

// The steps of the step window of a cloud-share send and of a receive.
inline const std::vector<const char*> CloudSendSteps = {"送信用データ保存", "送信用データ圧縮", "送信用データ暗号化",
                                                        "クラウドへデータ送信"};
inline const std::vector<const char*> CloudReceiveSteps = {"クラウドからデータ受信", "受信データ暗号解読",
                                                           "受信データ圧縮解凍", "受信データ復元・照合"};

// Shows a transfer's step (box 1.., its caption ending in "　実行中" or
// "　終了") in window, whose steps are named steps: the running one ticked in
// blue, those before it finished in grey.
void ShowTransferStep(TWaitStepWindow& window, const std::vector<const char*>& steps, int box,
                      const std::string& text);

// Makes the program's data-set screens use TDataTusinScreens, and registers
// the communication screens ("QzDataTusin", "QzTusinSettei").
void InstallDataTusinScreens();

} // namespace vq::comm
