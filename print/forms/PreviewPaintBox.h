#pragma once
// The preview's page image. The window draws the page into `image` when the
// page, zoom, paper or margins change; painting only shows it, so a repaint
// never reads a file or opens a message box.
#include <QImage>
#include <QWidget>

class QMouseEvent;

namespace vq::print {

class PreviewPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPaintBox(QWidget* parent);
    QImage image;

signals:
    void pressed(QMouseEvent* event);
    void moved(QMouseEvent* event);
    void released(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace vq::print
