#include "comm/forms/DataTusinScreens.h"

#include "comm/forms/TfmDataTusin.h"
#include "comm/forms/TfmWaitMess.h"
#include "comm/forms/TfrmTusinSettei.h"

#include <QApplication>
#include <QCheckBox>

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

void ShowTransferStep(TWaitStepWindow& window, const std::vector<const char*>& steps, int box, const std::string& text)
{
    const int index = box - 1;
    if (index < 0 || index >= static_cast<int>(steps.size()) || index >= window.StepCount())
        return;
    for (int i = 0; i < index; ++i)
        window.MarkDone(i, QString::fromUtf8(steps[static_cast<std::size_t>(i)]));
    const std::string done = "　終了";
    const bool finished =
        text.size() >= done.size() && text.compare(text.size() - done.size(), done.size(), done) == 0;
    const std::size_t state = text.rfind("　");
    const QString caption = QString::fromStdString(state == std::string::npos ? text : text.substr(0, state));
    if (finished)
        window.MarkDone(index, caption);
    else
        window.MarkRunning(index, caption);
}

template <class Call>
std::int32_t TDataTusinScreens::withStepWindow(const std::vector<const char*>& steps, const std::string& caption,
                                               Call call)
{
    stepWindow_ = std::make_unique<TfmWaitMess>(QApplication::activeWindow());
    if (!caption.empty())
        stepWindow_->setWindowTitle(QString::fromStdString(caption));
    for (int i = 0; i < stepWindow_->StepCount(); ++i) {
        if (i < static_cast<int>(steps.size()))
            stepWindow_->MarkPlain(i, QString::fromUtf8(steps[static_cast<std::size_t>(i)]));
        else
            stepWindow_->Step(i)->hide();
    }
    stepWindow_->ShowNow();
    Step = [this, steps](int box, const std::string& text) {
        if (stepWindow_)
            ShowTransferStep(*stepWindow_, steps, box, text);
    };
    std::int32_t result = 1;
    try {
        result = call();
    } catch (...) {
        Step = nullptr;
        stepWindow_.reset();
        throw;
    }
    Step = nullptr;
    stepWindow_.reset();
    return result;
}


std::int32_t TDataTusinScreens::CloudShareSend(const std::string& folder, const std::string& waitCaption,
                                               std::int32_t automatic)
{
    return withStepWindow(CloudSendSteps, waitCaption,
                          [&] { return TDataTusinComm::CloudShareSend(folder, waitCaption, automatic); });
}

std::int32_t TDataTusinScreens::CloudShareReceive(const std::string& folder, std::int32_t automatic, std::int32_t mode)
{
    return withStepWindow(CloudReceiveSteps, {}, [&] { return TDataTusinComm::CloudShareReceive(folder, automatic, mode); });
}

std::int32_t TDataTusinScreens::CloudShareReceiveTo(const std::string& folder, std::int32_t automatic)
{
    return withStepWindow(CloudReceiveSteps, {}, [&] { return TDataTusinComm::CloudShareReceiveTo(folder, automatic); });
}

void InstallDataTusinScreens()
{
    SetCloudShareCommFactory([] { return std::make_unique<TDataTusinScreens>(); });
    RegisterDataTusin();
    RegisterTusinSettei();
}

} // namespace vq::comm
