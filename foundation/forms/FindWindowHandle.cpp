#include "foundation/forms/FindWindowHandle.h"

#include <QApplication>
#include <QString>
#include <QWidget>

namespace vq {

QWidget* FindWindowHandle(const std::string& className, const std::string& windowName)
{
    const QString cls = QString::fromStdString(className);
    const QString caption = QString::fromStdString(windowName);
    if ((cls.isEmpty() && caption.isEmpty()) || cls.compare(QStringLiteral("desktop"), Qt::CaseInsensitive) == 0)
        return nullptr;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!cls.isEmpty() && cls.compare(QLatin1String(w->metaObject()->className()), Qt::CaseInsensitive) != 0)
            continue;
        if (!caption.isEmpty() && w->windowTitle() != caption)
            continue;
        return w;
    }
    return nullptr;
}

} // namespace vq
