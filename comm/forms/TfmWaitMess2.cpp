#include "comm/forms/TfmWaitMess2.h"

namespace vq::comm {

TfmWaitMess2::TfmWaitMess2(QWidget* owner)
    : TWaitStepWindow(owner, {{75, "クラウドシェア認証チェック", true}})
{
    setObjectName(QStringLiteral("fmWaitMess2"));
}

} // namespace vq::comm
