#include "print/forms/TNowPrintingdlg.h"

#include "platform/Interaction.h"
#include "print/PrintLoop.h"
#include "ui/FormFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vq::print {

TNowPrintingdlg::TNowPrintingdlg(PrintLoop& loop, QWidget* parent) : QDialog(parent), loop_(loop)
{
    setObjectName(QStringLiteral("NowPrintingdlg"));
    setWindowTitle(QStringLiteral("印刷"));
    setFont(ui::formFont());
    setFixedSize(260, 130);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(10, 10, 240, 70);
    PrintMessage = new QLabel(QStringLiteral(" 印刷中です。"), panel);
    PrintMessage->setGeometry(10, 10, 220, 22);
    PageMessage = new QLabel(panel);
    PageMessage->setGeometry(10, 38, 220, 22);
    CancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    CancelButton->setGeometry(92, 92, 75, 25);
    connect(CancelButton, &QPushButton::clicked, this, &TNowPrintingdlg::CancelButtonClick);
    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    Timer->setInterval(500);
    connect(Timer, &QTimer::timeout, this, &TNowPrintingdlg::PrintStart);
    Timer->start();
}

void TNowPrintingdlg::CancelButtonClick()
{
    if (platform::showMessage("印刷を中止しますか？", platform::MessageKind::Confirmation, platform::Buttons::YesNo) ==
        platform::ResultYes)
        cancelled_ = true;
}

void TNowPrintingdlg::PrintStart()
{
    if (running_)
        return;
    running_ = true;
    loop_.showProgress = [this](const std::string& text) { PageMessage->setText(QString::fromStdString(text)); };
    // The cancel button is served between sheets.
    loop_.cancelRequested = [this] {
        QApplication::processEvents();
        return cancelled_;
    };
    loop_.run();
    running_ = false;
    accept();
}

void TNowPrintingdlg::closeEvent(QCloseEvent* event)
{
    // The window closes when the loop ends; closing it meanwhile asks to cancel.
    if (running_) {
        event->ignore();
        CancelButtonClick();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace vq::print

namespace vq::print {

void TNowPrintingdlg::reject()
{
    // Esc is the cancel button; before the loop has started there is nothing to stop.
    if (running_)
        CancelButtonClick();
}

} // namespace vq::print
