#include "platform/ScriptedInteraction.h"

namespace vq::platform {

int defaultResultOf(const MessageRequest& request)
{
    std::vector<int> results;
    switch (request.buttons) {
    case Buttons::Ok:
        results = {ResultOk};
        break;
    case Buttons::OkCancel:
        results = {ResultOk, ResultCancel};
        break;
    case Buttons::AbortRetryIgnore:
        results = {ResultAbort, ResultRetry, ResultIgnore};
        break;
    case Buttons::YesNoCancel:
        results = {ResultYes, ResultNo, ResultCancel};
        break;
    case Buttons::YesNo:
        results = {ResultYes, ResultNo};
        break;
    case Buttons::RetryCancel:
        results = {ResultRetry, ResultCancel};
        break;
    }
    if (request.defaultButton > 0 && static_cast<std::size_t>(request.defaultButton) < results.size())
        return results[static_cast<std::size_t>(request.defaultButton)];
    return results.front();
}

int ScriptedInteraction::message(const MessageRequest& request)
{
    messages.push_back(request);
    if (messageAnswers.empty())
        return defaultResultOf(request);
    int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedInteraction::input(const std::string&, const std::string& prompt,
                                                      const std::string&, bool)
{
    inputs.push_back(prompt);
    if (inputAnswers.empty())
        return std::nullopt;
    auto answer = std::move(inputAnswers.front());
    inputAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedInteraction::ask(const InputRequest& request)
{
    inputRequests.push_back(request);
    return input(request.caption, request.prompt, request.initial, request.password);
}

std::optional<std::string> ScriptedInteraction::chooseFile(const FileDialogRequest& request)
{
    fileDialogs.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

bool ScriptedInteraction::openUrl(const std::string& url)
{
    urls.push_back(url);
    return urlResult;
}

ScopedScriptedInteraction::ScopedScriptedInteraction()
{
    auto seam = std::make_unique<ScriptedInteraction>();
    seam_ = seam.get();
    previous_ = installInteraction(std::move(seam));
}

ScopedScriptedInteraction::~ScopedScriptedInteraction()
{
    installInteraction(std::move(previous_));
}

} // namespace vq::platform
