#pragma once
// The seam tests install: a fixed clock and names, a queue of answers for the
// questions, and a record of everything shown. A question without a queued
// answer takes its default button (or cancels an input), so a forgotten
// answer shows up in the record rather than hanging a test.
#include "Interaction.h"

#include <deque>

namespace vq::platform {

class ScriptedInteraction : public Interaction {
public:
    double clock = 46000.5;        // 2025-12-09 12:00
    std::string computer = "TESTPC";
    std::string user = "tester";

    std::deque<int> messageAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<std::optional<std::string>> fileAnswers;

    std::vector<MessageRequest> messages;
    std::vector<std::string> inputs;     // prompts asked
    std::vector<InputRequest> inputRequests; // the questions asked through ask()
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<std::string> urls;
    bool urlResult = true;

    double now() override { return clock; }
    std::string computerName() override { return computer; }
    std::string userName() override { return user; }
    int message(const MessageRequest& request) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial, bool password) override;
    // Recorded, then answered as input() is.
    std::optional<std::string> ask(const InputRequest& request) override;
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
    bool openUrl(const std::string& url) override;
};

// Installs a ScriptedInteraction for the lifetime of the guard and restores
// the previous seam afterwards.
class ScopedScriptedInteraction {
public:
    ScopedScriptedInteraction();
    ~ScopedScriptedInteraction();
    ScriptedInteraction& operator*() { return *seam_; }
    ScriptedInteraction* operator->() { return seam_; }

private:
    ScriptedInteraction* seam_;
    std::unique_ptr<Interaction> previous_;
};

// The default button's result of a request (what an unanswered question returns).
int defaultResultOf(const MessageRequest& request);

} // namespace vq::platform
