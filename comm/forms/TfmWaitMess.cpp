#include "comm/forms/TfmWaitMess.h"

namespace vq::comm {

TfmWaitMess::TfmWaitMess(QWidget* owner)
    : TWaitStepWindow(owner, {{16, "送信用データ保存", true},
                              {48, "送信用データ圧縮", false},
                              {80, "送信用データ暗号化", false},
                              {112, "中継サーバーへデータ送信", false},
                              {140, "経営ハルブリン（クラウド）へデータ送信", false}})
{
    setObjectName(QStringLiteral("fmWaitMess"));
}

} // namespace vq::comm
