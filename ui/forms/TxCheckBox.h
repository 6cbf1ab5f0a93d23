#pragma once
// A check box on which Enter and the chosen arrows move between fields. Those
// keys reach the control itself: they neither press a default button nor
// step through a group of buttons.
#include "ui/forms/KeyStyleControl.h"

#include <QCheckBox>

namespace vq::ui {

class TxCheckBox : public KeyStyleControl<QCheckBox> {
    Q_OBJECT
public:
    explicit TxCheckBox(QWidget* parent = nullptr);
    explicit TxCheckBox(const QString& text, QWidget* parent = nullptr);
};

} // namespace vq::ui
