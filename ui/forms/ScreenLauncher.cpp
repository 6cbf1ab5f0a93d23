#include "ui/forms/ScreenLauncher.h"

#include "platform/Interaction.h"
#include "ui/ScreenParams.h"
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/ScreenRegistry.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace vq::ui {

namespace {

// Restores the cursor this start changed, whatever way the start ends.
class Hourglass {
public:
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass()
    {
        if (QApplication::overrideCursor() != nullptr)
            QApplication::restoreOverrideCursor();
    }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

bool hourglassShowing()
{
    const QCursor* c = QApplication::overrideCursor();
    return c != nullptr && c->shape() == Qt::WaitCursor;
}

} // namespace

std::int32_t StartRegisteredProcess(const std::string& name, std::int32_t mode, const std::string& params)
{
    if (name.empty() || hourglassShowing())
        return -1;
    Hourglass hourglass;
    QWidget* form = FindRegisteredProcess(name);
    auto* screen = dynamic_cast<ISyoriKidou*>(form);
    if (screen == nullptr) {
        platform::showMessage("処理を起動するためのインターフェースが実装されていません。\r"
                              "ライブラリのロードに失敗した可能性があります。",
                              platform::MessageKind::Error);
        delete form;
        return -1;
    }
    ParamLines lines = splitParamLines(params);
    lines.push_back(formStyleLine(mode == 1));
    screen->SetParams(lines);
    return screen->Execute(mode == 1);
}

} // namespace vq::ui
