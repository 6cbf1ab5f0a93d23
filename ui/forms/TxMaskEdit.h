#pragma once
// An edit with an input mask on which Enter and the chosen arrows move
// between fields wherever the caret stands.
#include "ui/KeyStyles.h"

#include <QLineEdit>

namespace vq::ui {

class TxMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TxMaskEdit(QWidget* parent = nullptr);

    TKeyStyles KeyStyles() const { return keyStyles_; }
    void setKeyStyles(TKeyStyles value) { keyStyles_ = value; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TKeyStyles keyStyles_ = defaultKeyStyles;
};

} // namespace vq::ui
