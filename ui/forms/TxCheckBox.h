#pragma once
// A check box on which Enter and the chosen arrows move between fields. Those
// keys reach the control itself: they neither press a default button nor
// step through a group of buttons.
#include "ui/KeyStyles.h"

#include <QCheckBox>

namespace vq::ui {

class TxCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TxCheckBox(QWidget* parent = nullptr);
    explicit TxCheckBox(const QString& text, QWidget* parent = nullptr);

    TKeyStyles KeyStyles() const { return keyStyles_; }
    void setKeyStyles(TKeyStyles value) { keyStyles_ = value; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TKeyStyles keyStyles_ = defaultKeyStyles;
};

} // namespace vq::ui
