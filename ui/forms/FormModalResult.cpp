#include "ui/forms/FormModalResult.h"

#include <QDialog>
#include <QVariant>

namespace vq::ui {

namespace {
constexpr const char* modalResultProperty = "vqModalResult";
constexpr const char* tagProperty = "Tag";
} // namespace

int modalResult(const QWidget* form)
{
    return form ? form->property(modalResultProperty).toInt() : 0;
}

void setModalResult(QWidget* form, int result)
{
    if (form)
        form->setProperty(modalResultProperty, result);
}

bool closeWithModalResult(QWidget* form)
{
    auto* dialog = qobject_cast<QDialog*>(form);
    const int result = modalResult(form);
    if (!dialog || result == 0 || !dialog->isModal() || !dialog->isVisible())
        return false;
    setModalResult(form, 0);
    dialog->done(result);
    return true;
}

int tagOf(const QObject* component)
{
    return component ? component->property(tagProperty).toInt() : 0;
}

void setTag(QObject* component, int tag)
{
    if (component)
        component->setProperty(tagProperty, tag);
}

} // namespace vq::ui
