#pragma once
// The step window of a send and of the slot listing: five steps, from
// saving the data to sending it to the analysis server.
#include "comm/forms/WaitStepWindow.h"

namespace vq::comm {

class TfmWaitMess : public TWaitStepWindow {
    Q_OBJECT
public:
    explicit TfmWaitMess(QWidget* owner);
};

} // namespace vq::comm
