#pragma once
// An edit with an input mask on which Enter and the chosen arrows move
// between fields wherever the caret stands.
#include "ui/forms/KeyStyleControl.h"

#include <QLineEdit>

namespace vq::ui {

class TxMaskEdit : public KeyStyleControl<QLineEdit> {
    Q_OBJECT
public:
    explicit TxMaskEdit(QWidget* parent = nullptr);
};

} // namespace vq::ui
