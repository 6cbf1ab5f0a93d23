#include "comm/forms/WaitStepWindow.h"

#include "platform/Folders.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMovie>
#include <QTimer>

namespace vq::comm {

TWaitStepWindow::TWaitStepWindow(QWidget* owner, const std::vector<StepRec>& steps)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setModal(false);
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);
    resize(435, 214);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(steps[i].caption), this);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        box->setGeometry(144, steps[i].top, 280, 20);
        box->setChecked(steps[i].ticked);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        steps_.push_back(box);
    }
    Animate = new QLabel(this);
    Animate->setObjectName(QStringLiteral("Animate"));
    Animate->setGeometry(40, 16, 32, 32);
    const QString file = QString::fromStdString((platform::folders::program() / "progress.gif").string());
    if (QFile::exists(file)) {
        Movie = new QMovie(file, {}, this);
        Animate->setMovie(Movie);
    }
    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (Movie != nullptr && Movie->state() != QMovie::Running)
            Movie->start();
        Animate->update();
    });
}

void TWaitStepWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Animate->move(Animate->x(), (height() + 1) / 2 - 20);
    if (Movie != nullptr)
        Movie->start();
    Timer1->start();
}

void TWaitStepWindow::setColour(int index, const QColor& colour)
{
    QPalette p = Step(index)->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    Step(index)->setPalette(p);
}

void TWaitStepWindow::MarkRunning(int index, const QString& caption)
{
    Step(index)->setVisible(true);
    Step(index)->setText(caption + QStringLiteral("　実行中"));
    setColour(index, Qt::blue);
    Step(index)->setChecked(true);
    Step(index)->setFocus();
    Refresh();
}

void TWaitStepWindow::MarkDone(int index, const QString& caption)
{
    Step(index)->setText(caption + QStringLiteral("　終了"));
    setColour(index, QColor(128, 128, 128));
    Refresh();
}

void TWaitStepWindow::MarkPlain(int index, const QString& caption)
{
    Step(index)->setVisible(true);
    Step(index)->setText(caption);
    setColour(index, Qt::black);
    Refresh();
}

void TWaitStepWindow::ShowNow()
{
    show();
    Refresh();
}

void TWaitStepWindow::Refresh()
{
    repaint();
    QApplication::sendPostedEvents(this);
}

} // namespace vq::comm
