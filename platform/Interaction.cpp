#include "platform/Interaction.h"

#include "platform/ScriptedInteraction.h"

#include <chrono>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <mutex>

#include <pwd.h>
#include <unistd.h>

namespace vq::platform {
namespace {

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar.
long daysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

// Without an installed seam nobody can answer: every question takes its
// default button, inputs and file choices are cancelled, nothing is opened.
class HeadlessInteraction : public Interaction {
public:
    double now() override { return systemNow(); }
    std::string computerName() override { return systemComputerName(); }
    std::string userName() override { return systemUserName(); }
    int message(const MessageRequest& request) override { return defaultResultOf(request); }
    std::optional<std::string> input(const std::string&, const std::string&, const std::string&,
                                     bool) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseFile(const FileDialogRequest&) override { return std::nullopt; }
    bool openUrl(const std::string&) override { return false; }
};

std::mutex& seamMutex()
{
    static std::mutex m;
    return m;
}

std::unique_ptr<Interaction>& installed()
{
    static std::unique_ptr<Interaction> seam;
    return seam;
}

} // namespace

std::optional<std::string> Interaction::ask(const InputRequest& request)
{
    return input(request.caption, request.prompt, request.initial, request.password);
}

Interaction& interaction()
{
    std::lock_guard lock(seamMutex());
    if (auto& seam = installed())
        return *seam;
    static HeadlessInteraction headless;
    return headless;
}

std::unique_ptr<Interaction> installInteraction(std::unique_ptr<Interaction> seam)
{
    std::lock_guard lock(seamMutex());
    std::unique_ptr<Interaction> previous = std::move(installed());
    installed() = std::move(seam);
    return previous;
}

int showMessage(const std::string& text, MessageKind kind, Buttons buttons, const std::string& caption)
{
    MessageRequest request;
    request.text = text;
    request.caption = caption;
    request.kind = kind;
    request.buttons = buttons;
    return interaction().message(request);
}

std::string captionOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return "警告";
    case MessageKind::Error:
        return "エラー";
    case MessageKind::Information:
        return "情報";
    case MessageKind::Confirmation:
        return "確認";
    case MessageKind::None:
        break;
    }
    return {};
}

double systemNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    const long day = daysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                   static_cast<unsigned>(local.tm_mday)) -
                     daysFromCivil(1899, 12, 30);
    const double secondsOfDay =
        local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + static_cast<double>(millis) / 1000.0;
    return static_cast<double>(day) + secondsOfDay / 86400.0;
}

std::string systemComputerName()
{
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

std::string systemUserName()
{
    if (const char* user = std::getenv("USER"); user && *user)
        return user;
    struct passwd pw {};
    struct passwd* result = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::geteuid(), &pw, buffer, sizeof buffer, &result) == 0 && result)
        return result->pw_name;
    if (const char* login = ::getlogin())
        return login;
    return {};
}

} // namespace vq::platform
