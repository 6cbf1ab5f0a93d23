#pragma once
// A radio button on which Enter and the chosen arrows move between fields. Those
// keys reach the control itself: they neither press a default button nor
// step through a group of buttons.
#include "ui/KeyStyles.h"

#include <QRadioButton>

namespace vq::ui {

class TxRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit TxRadioButton(QWidget* parent = nullptr);
    explicit TxRadioButton(const QString& text, QWidget* parent = nullptr);

    TKeyStyles KeyStyles() const { return keyStyles_; }
    void setKeyStyles(TKeyStyles value) { keyStyles_ = value; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TKeyStyles keyStyles_ = defaultKeyStyles;
};

} // namespace vq::ui
