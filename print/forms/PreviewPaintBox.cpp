#include "print/forms/PreviewPaintBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace vq::print {

PreviewPaintBox::PreviewPaintBox(QWidget* parent) : QWidget(parent)
{
    setToolTip(QStringLiteral("印刷可能範囲"));
}

void PreviewPaintBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (image.isNull())
        p.fillRect(rect(), Qt::white);
    else
        p.drawImage(0, 0, image);
}

void PreviewPaintBox::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event);
}

void PreviewPaintBox::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event);
}

void PreviewPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event);
}

} // namespace vq::print
