#include "ui/forms/ScreenRegistry.h"

#include <QWidget>

namespace vq::ui {

namespace {

std::vector<RegisteredScreen>& registry()
{
    static std::vector<RegisteredScreen> screens;
    return screens;
}

} // namespace

void RegisterScreen(std::type_index formClass, const std::string& name, ScreenFactory create)
{
    for (const auto& s : registry())
        if (s.formClass == formClass)
            return;
    registry().push_back({formClass, name, std::move(create)});
}

const std::vector<RegisteredScreen>& RegisteredScreens()
{
    return registry();
}

QWidget* FindRegisteredProcess(const std::string& name)
{
    const QString wanted = QString::fromStdString(name);
    for (const auto& s : registry())
        if (QString::fromStdString(s.name).compare(wanted, Qt::CaseInsensitive) == 0)
            return s.create ? s.create() : nullptr;
    return nullptr;
}

} // namespace vq::ui
