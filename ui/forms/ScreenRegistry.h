#pragma once
// The screens other programs start by name. Each screen's unit registers its
// class under a name at start-up (the host calls the registration functions
// before its main window opens); the launcher finds a class by name without
// regard to letter case and makes an instance owned by the application.
#include <QString>

#include <functional>
#include <string>
#include <typeindex>
#include <vector>

class QWidget;

namespace vq::ui {

using ScreenFactory = std::function<QWidget*()>;

struct RegisteredScreen {
    std::type_index formClass;
    std::string name;
    ScreenFactory create;
};

// Registers formClass under name. A class already registered keeps its first
// name; two classes under one name are both kept and the first is found.
void RegisterScreen(std::type_index formClass, const std::string& name, ScreenFactory create);

template <typename Form>
void RegisterScreen(const std::string& name)
{
    RegisterScreen(std::type_index(typeid(Form)), name, [] { return static_cast<QWidget*>(new Form); });
}

// The registrations in order, for the host.
const std::vector<RegisteredScreen>& RegisteredScreens();

// A new top-level instance of the first class registered as name (letter
// case ignored); nullptr when no class has that name.
QWidget* FindRegisteredProcess(const std::string& name);

} // namespace vq::ui
