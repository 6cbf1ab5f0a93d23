#pragma once
// The one seam for everything a test must control: the clock, the computer and
// user names, every modal question to the operator, and opening a URL.
// The program installs the Qt implementation (ui/forms); tests install a
// ScriptedInteraction. Without an installed one, a headless default answers:
// the system clock and names, and the default button of every question.
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vq::platform {

enum class MessageKind { Warning, Error, Information, Confirmation, None };

// Buttons and results keep the Windows numbering (IDOK = 1 ...), which callers
// store and compare.
enum class Buttons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum DialogResult : int {
    ResultNone = 0, ResultOk = 1, ResultCancel = 2, ResultAbort = 3, ResultRetry = 4,
    ResultIgnore = 5, ResultYes = 6, ResultNo = 7
};

struct MessageRequest {
    std::string text;      // '\r' breaks lines
    std::string caption;   // empty: the caption of the kind
    MessageKind kind = MessageKind::Information;
    Buttons buttons = Buttons::Ok;
    int defaultButton = 0; // index of the default button: 0 the first, 1 the second, 2 the third
};

struct FileDialogRequest {
    enum class Mode { Open, Save, Folder } mode = Mode::Open;
    std::string title;
    std::string initialPath;
    std::vector<std::string> filters; // "XML (*.xml)"
};

// A question for one typed value, with the rules of the library's input
// dialog: the password form hides what is typed (a box shows it on request)
// and takes no empty answer.
struct InputRequest {
    std::string caption;
    std::string prompt;
    bool promptAlert = false; // the prompt in red: the answer before was wrong
    std::string initial;
    bool password = false;
    int maxLength = 0;        // characters; 0: no limit
    int keyFilter = 0;        // characters taken: 0 all, 10 number characters,
                              // 20 letters, 30 letters and digits, 40 all but
                              // the signs a file name cannot hold
    std::string hint;         // shown under the input
};

class Interaction {
public:
    virtual ~Interaction() = default;

    // Local time as a day number: days since 1899-12-30, fraction = time of day.
    virtual double now() = 0;
    virtual std::string computerName() = 0;
    virtual std::string userName() = 0;

    virtual int message(const MessageRequest& request) = 0;
    // Text input and passwords; nullopt when cancelled.
    virtual std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                             const std::string& initial, bool password) = 0;
    // The question of request; nullopt when cancelled. The default asks
    // input() with the caption, prompt, initial text and password flag alone.
    virtual std::optional<std::string> ask(const InputRequest& request);
    virtual std::optional<std::string> chooseFile(const FileDialogRequest& request) = 0;
    virtual bool openUrl(const std::string& url) = 0;
};

// The installed seam (a headless default when none was installed).
Interaction& interaction();
// Installs a seam and returns the previous one (nullptr for the default).
std::unique_ptr<Interaction> installInteraction(std::unique_ptr<Interaction> seam);

// Convenience wrappers that go through interaction().
int showMessage(const std::string& text, MessageKind kind, Buttons buttons = Buttons::Ok,
                const std::string& caption = {});
// The caption of a kind: "警告", "エラー", "情報", "確認".
std::string captionOf(MessageKind kind);

// The system's answers, for the default seam and the Qt seam.
double systemNow();
std::string systemComputerName();
std::string systemUserName();

} // namespace vq::platform
