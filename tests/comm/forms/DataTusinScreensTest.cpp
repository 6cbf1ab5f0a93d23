// The step window of a cloud-share transfer follows the transfer's steps.
#include "comm/forms/DataTusinScreens.h"
#include "comm/forms/TfmWaitMess.h"

#include <gtest/gtest.h>

#include <QCheckBox>

using namespace vq;

namespace {

struct Shown {
    std::string text;
    bool ticked;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> shown(const comm::TWaitStepWindow& window, int count)
{
    std::vector<Shown> steps;
    for (int i = 0; i < count; ++i)
        steps.push_back({window.Step(i)->text().toStdString(), window.Step(i)->isChecked()});
    return steps;
}

} // namespace

TEST(DataTusinScreensTest, TheRunningStepIsTickedAndTheStepsBeforeItFinished)
{
    struct Case {
        const char* name;
        const std::vector<const char*>* steps;
        std::vector<std::pair<int, std::string>> calls;
        std::vector<Shown> after;
    };
    const Case cases[] = {
        {"send, third step",
         &comm::CloudSendSteps,
         {{1, "送信用データ保存　実行中"}, {3, "送信用データ暗号化　実行中"}},
         {{"送信用データ保存　終了", true},
          {"送信用データ圧縮　終了", false},
          {"送信用データ暗号化　実行中", true},
          {"クラウドへデータ送信", false}}},
        {"receive to its end, the last step's own caption",
         &comm::CloudReceiveSteps,
         {{1, "クラウドからデータ受信　実行中"}, {4, "受信データ復元・照合　実行中"}, {4, "受信データ復元　終了"}},
         {{"クラウドからデータ受信　終了", true},
          {"受信データ暗号解読　終了", false},
          {"受信データ圧縮解凍　終了", false},
          {"受信データ復元　終了", true}}},
        {"a box the window lacks changes nothing",
         &comm::CloudSendSteps,
         {{0, "x　実行中"}, {5, "y　実行中"}},
         {{"送信用データ保存", false},
          {"送信用データ圧縮", false},
          {"送信用データ暗号化", false},
          {"クラウドへデータ送信", false}}},
    };
    for (const auto& c : cases) {
        comm::TfmWaitMess window(nullptr);
        for (int i = 0; i < 4; ++i) {
            window.MarkPlain(i, QString::fromUtf8((*c.steps)[static_cast<std::size_t>(i)]));
            window.Step(i)->setChecked(false);
        }
        for (const auto& [box, text] : c.calls)
            comm::ShowTransferStep(window, *c.steps, box, text);
        EXPECT_EQ(shown(window, 4), c.after) << c.name;
    }
}
