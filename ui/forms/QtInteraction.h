#pragma once
// The interaction seam on the screen: message boxes with the Japanese caption
// of their kind and Japanese button captions, text input (the library's input
// dialog for the questions with its rules, ask), file choice and
// opening addresses in the desktop's browser. The program installs it once at
// start (installQtInteraction); tests install a ScriptedInteraction instead.
#include "platform/Interaction.h"

namespace vq::ui {

class QtInteraction : public vq::platform::Interaction {
public:
    double now() override;
    std::string computerName() override;
    std::string userName() override;
    int message(const vq::platform::MessageRequest& request) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial, bool password) override;
    std::optional<std::string> ask(const vq::platform::InputRequest& request) override;
    std::optional<std::string> chooseFile(const vq::platform::FileDialogRequest& request) override;
    bool openUrl(const std::string& url) override;
};

// Installs a QtInteraction (and the form-font mapping); returns the previous seam.
std::unique_ptr<vq::platform::Interaction> installQtInteraction();

// True when the installed seam is the Qt one, so modal screens may be shown.
bool qtInteractionInstalled();

} // namespace vq::ui
