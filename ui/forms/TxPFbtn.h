#pragma once
// One key of an on-screen function-key bar: a raised panel that shows itself
// pressed for 200 ms and tells its owner which key it is through the owner's
// Tag ("ESC" 0, "F1" 1 ... "F10" 10, taken from the button's object name).
#include <QFrame>
#include <QPointer>
#include <QTimer>

namespace vq::ui {

class TxPFbtn : public QFrame {
    Q_OBJECT
public:
    explicit TxPFbtn(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    // The component whose Tag is set; the button's window when not given.
    void setOwnerComponent(QObject* owner) { owner_ = owner; }
    QObject* ownerComponent() const;

    bool isPressedLook() const { return frameShadow() == QFrame::Sunken; }
    const QTimer& timer() const { return timer_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showRaised();

    QString text_;
    QPointer<QObject> owner_;
    QTimer timer_;
    bool outline_ = false;
};

// The key number of a function-key button's name, -1 for any other name.
int functionKeyOfName(const QString& name);

} // namespace vq::ui
