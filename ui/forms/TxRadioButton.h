#pragma once
// A radio button on which Enter and the chosen arrows move between fields. Those
// keys reach the control itself: they neither press a default button nor
// step through a group of buttons.
#include "ui/forms/KeyStyleControl.h"

#include <QRadioButton>

namespace vq::ui {

class TxRadioButton : public KeyStyleControl<QRadioButton> {
    Q_OBJECT
public:
    explicit TxRadioButton(QWidget* parent = nullptr);
    explicit TxRadioButton(const QString& text, QWidget* parent = nullptr);
};

} // namespace vq::ui
