#include "ui/forms/QtInteraction.h"

#include "ui/FormFont.h"
#include "ui/ModalResult.h"
#include "ui/forms/TInputDlgBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace vq::ui {

using vq::platform::Buttons;
using vq::platform::MessageKind;
using vq::platform::MessageRequest;

namespace {

QString fromUtf8(const std::string& s)
{
    return QString::fromStdString(s);
}

// The dialogs break lines at a carriage return; a CR LF pair is one break.
QString messageText(const std::string& text)
{
    QString s = fromUtf8(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

struct ButtonSpec {
    const char* caption;
    int result;
    QMessageBox::ButtonRole role;
};

std::vector<ButtonSpec> buttonsOf(Buttons buttons)
{
    const ButtonSpec ok{"OK", vq::platform::ResultOk, QMessageBox::AcceptRole};
    const ButtonSpec cancel{"キャンセル", vq::platform::ResultCancel, QMessageBox::RejectRole};
    const ButtonSpec yes{"はい(&Y)", vq::platform::ResultYes, QMessageBox::YesRole};
    const ButtonSpec no{"いいえ(&N)", vq::platform::ResultNo, QMessageBox::NoRole};
    const ButtonSpec abort{"中止(&A)", vq::platform::ResultAbort, QMessageBox::RejectRole};
    const ButtonSpec retry{"再試行(&R)", vq::platform::ResultRetry, QMessageBox::AcceptRole};
    const ButtonSpec ignore{"無視(&I)", vq::platform::ResultIgnore, QMessageBox::AcceptRole};
    switch (buttons) {
    case Buttons::Ok: return {ok};
    case Buttons::OkCancel: return {ok, cancel};
    case Buttons::AbortRetryIgnore: return {abort, retry, ignore};
    case Buttons::YesNoCancel: return {yes, no, cancel};
    case Buttons::YesNo: return {yes, no};
    case Buttons::RetryCancel: return {retry, cancel};
    }
    return {ok};
}

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Confirmation: return QMessageBox::Question;
    case MessageKind::None: break;
    }
    return QMessageBox::NoIcon;
}

QWidget* dialogParent()
{
    if (auto* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

double QtInteraction::now()
{
    return vq::platform::systemNow();
}

std::string QtInteraction::computerName()
{
    return vq::platform::systemComputerName();
}

std::string QtInteraction::userName()
{
    return vq::platform::systemUserName();
}

int QtInteraction::message(const MessageRequest& request)
{
    QMessageBox box(dialogParent());
    box.setFont(formFont());
    box.setIcon(iconOf(request.kind));
    const std::string caption =
        request.caption.empty() ? vq::platform::captionOf(request.kind) : request.caption;
    box.setWindowTitle(fromUtf8(caption));
    box.setText(messageText(request.text));

    const auto specs = buttonsOf(request.buttons);
    std::vector<std::pair<QAbstractButton*, int>> results;
    for (const auto& spec : specs)
        results.emplace_back(box.addButton(QString::fromUtf8(spec.caption), spec.role), spec.result);
    const auto defaultIndex = (request.defaultButton > 0 &&
                               static_cast<std::size_t>(request.defaultButton) < results.size())
                                  ? static_cast<std::size_t>(request.defaultButton)
                                  : 0;
    box.setDefaultButton(static_cast<QPushButton*>(results[defaultIndex].first));
    // Esc and the close box answer Cancel when there is one, else the only button.
    QAbstractButton* escape = results.size() == 1 ? results.front().first : nullptr;
    for (const auto& [button, result] : results)
        if (result == vq::platform::ResultCancel)
            escape = button;
    if (escape)
        box.setEscapeButton(escape);

    box.exec();
    for (const auto& [button, result] : results)
        if (box.clickedButton() == button)
            return result;
    return escape ? vq::platform::ResultCancel : results[defaultIndex].second;
}

std::optional<std::string> QtInteraction::input(const std::string& caption, const std::string& prompt,
                                                 const std::string& initial, bool password)
{
    QInputDialog dialog(dialogParent());
    dialog.setFont(formFont());
    dialog.setWindowTitle(fromUtf8(caption));
    dialog.setLabelText(messageText(prompt));
    dialog.setTextValue(fromUtf8(initial));
    dialog.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> QtInteraction::ask(const vq::platform::InputRequest& request)
{
    TInputDlgBox dialog(dialogParent());
    dialog.Mode = request.password ? 1 : 0;
    dialog.DlgCaption = request.caption;
    dialog.MainText = request.prompt;
    dialog.MainColor = request.promptAlert ? clRed : clWindowText;
    dialog.Value = request.initial;
    dialog.InputHint = request.hint;
    dialog.MaxLen = request.maxLength;
    dialog.KeyFilter = request.keyFilter;
    dialog.Apply(1);
    dialog.PlaceForm(0, 0, 0, 0, 3);   // the centre of the screen
    if (dialog.exec() != mrOk)
        return std::nullopt;
    return dialog.Value;
}

std::optional<std::string> QtInteraction::chooseFile(const vq::platform::FileDialogRequest& request)
{
    using Mode = vq::platform::FileDialogRequest::Mode;
    QStringList filters;
    for (const auto& f : request.filters)
        filters << fromUtf8(f);
    const QString filter = filters.join(QStringLiteral(";;"));
    QString chosen;
    switch (request.mode) {
    case Mode::Open:
        chosen = QFileDialog::getOpenFileName(dialogParent(), fromUtf8(request.title),
                                              fromUtf8(request.initialPath), filter);
        break;
    case Mode::Save:
        chosen = QFileDialog::getSaveFileName(dialogParent(), fromUtf8(request.title),
                                              fromUtf8(request.initialPath), filter);
        break;
    case Mode::Folder:
        chosen = QFileDialog::getExistingDirectory(dialogParent(), fromUtf8(request.title),
                                                   fromUtf8(request.initialPath));
        break;
    }
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

bool QtInteraction::openUrl(const std::string& url)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(fromUtf8(url)));
}

std::unique_ptr<vq::platform::Interaction> installQtInteraction()
{
    installFontSubstitutions();
    return vq::platform::installInteraction(std::make_unique<QtInteraction>());
}

bool qtInteractionInstalled()
{
    return dynamic_cast<QtInteraction*>(&vq::platform::interaction()) != nullptr;
}

} // namespace vq::ui
