#include "ui/forms/HintMemo.h"

#include <QPalette>
#include <QPlainTextEdit>

namespace vq::ui {

QPlainTextEdit* NewHintMemo(QWidget* parent, const QRect& geometry, const char* name)
{
    auto* memo = new QPlainTextEdit(parent);
    if (name != nullptr)
        memo->setObjectName(QString::fromLatin1(name));
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setGeometry(geometry);
    QPalette colours = memo->palette();
    colours.setColor(QPalette::Base, parent->window()->palette().color(QPalette::Window));
    memo->setPalette(colours);
    return memo;
}

} // namespace vq::ui
