#include "ui/forms/TxPFbtn.h"

#include "ui/FormFont.h"
#include "ui/forms/FormModalResult.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace vq::ui {

int functionKeyOfName(const QString& name)
{
    if (name == QLatin1String("ESC"))
        return 0;
    for (int k = 1; k <= 10; ++k)
        if (name == QStringLiteral("F%1").arg(k))
            return k;
    return -1;
}

TxPFbtn::TxPFbtn(QWidget* parent)
    : QFrame(parent)
{
    setFont(formFont());
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, [this] {
        timer_.stop();
        showRaised();
        QApplication::processEvents();
    });
}

QObject* TxPFbtn::ownerComponent() const
{
    if (owner_)
        return owner_;
    return window();
}

void TxPFbtn::setText(const QString& text)
{
    text_ = text;
    update();
}

void TxPFbtn::showRaised()
{
    outline_ = false;
    setFrameShadow(QFrame::Raised);
    update();
}

void TxPFbtn::mousePressEvent(QMouseEvent* event)
{
    QFrame::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // The pressed look shows before the owner reacts to the key.
    setFrameShadow(QFrame::Sunken);
    QApplication::processEvents();
    outline_ = true;
    update();
    QApplication::processEvents();
    timer_.start(200);
}

void TxPFbtn::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
    showRaised();
    if (event->button() == Qt::LeftButton) {
        const int key = functionKeyOfName(objectName());
        if (key >= 0)
            setTag(ownerComponent(), key);
    }
}

void TxPFbtn::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.drawText(contentsRect(), Qt::AlignCenter, text_);
    if (outline_) {
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace vq::ui
