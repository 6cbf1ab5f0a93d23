#include "foundation/forms/ForceForegroundWindow.h"

#include <QWidget>
#include <QWindow>

namespace vq {

void ForceForegroundWindow(QWidget* widget)
{
    if (!widget)
        return;
    QWidget* top = widget->window();
    if (top->isMinimized())
        top->setWindowState(top->windowState() & ~Qt::WindowMinimized);
    if (!top->isVisible())
        top->show();
    top->raise();
    top->activateWindow();
    if (QWindow* native = top->windowHandle())
        native->requestActivate();
}

} // namespace vq
