#pragma once
// The step window of a cloud-share receive while it checks the slot: one step.
#include "comm/forms/WaitStepWindow.h"

namespace vq::comm {

class TfmWaitMess2 : public TWaitStepWindow {
    Q_OBJECT
public:
    explicit TfmWaitMess2(QWidget* owner);
};

} // namespace vq::comm
