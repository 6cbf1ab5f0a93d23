#include "ui/forms/TxAnimeProgressDialog.h"

#include "ui/FormFont.h"
#include "ui/ModalResult.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <thread>

namespace vq::ui {

namespace {

constexpr int clientWidth = 380;
constexpr int clientHeight = 100;

int px(int v)
{
    return scaledFromDesign(v);
}

QStyle::StandardPixmap pixmapOf(TCommonAVI avi)
{
    switch (avi) {
    case aviFindFolder: return QStyle::SP_DirOpenIcon;
    case aviFindFile: return QStyle::SP_FileDialogContentsView;
    case aviFindComputer: return QStyle::SP_ComputerIcon;
    case aviCopyFiles:
    case aviCopyFile: return QStyle::SP_FileIcon;
    case aviRecycleFile:
    case aviEmptyRecycle:
    case aviDeleteFile: return QStyle::SP_TrashIcon;
    case aviNone: break;
    }
    return QStyle::SP_CustomBase;
}

// The work runs on this thread and lets no paint event through: the window
// is drawn here, once the window system has put it on screen (it shows
// blank otherwise until the work ends). Input waits in its queue meanwhile.
void paintOnScreen(QWidget* window)
{
    constexpr int kLongestWaitMs = 1000;
    QDeadlineTimer deadline(kLongestWaitMs);
    QWindow* handle = window->windowHandle();
    while (handle != nullptr && !handle->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    window->repaint();
}

} // namespace

TxProgressForm::TxProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setFont(formFont());
    setFixedSize(px(clientWidth), px(clientHeight));
}

void TxProgressForm::closeEvent(QCloseEvent* event)
{
    if (onClose)
        onClose();
    QDialog::closeEvent(event);
}

void TxProgressForm::keyPressEvent(QKeyEvent* event)
{
    // Esc does not end the work; only the cancel button asks for that.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

TxAnimeProgressDialog::TxAnimeProgressDialog(QObject* parent)
    : QObject(parent)
{
}

TxAnimeProgressDialog::~TxAnimeProgressDialog()
{
    enableParent();
    destroyWindow();
}

void TxAnimeProgressDialog::setCaption(const QString& value)
{
    caption_ = value;
    if (form_)
        form_->setWindowTitle(value);
}

void TxAnimeProgressDialog::setInfoLabel(const QString& value)
{
    info_ = value;
    if (form_) {
        form_->label->setText(value);
        // Drawn at once: the caller works on and pumps no paint events.
        form_->label->repaint();
        Wait(1);
    }
}

void TxAnimeProgressDialog::setLabelPosition(TxLabelPosition value)
{
    labelPosition_ = value;
    if (form_)
        layout();
}

void TxAnimeProgressDialog::setCommonAVI(TCommonAVI value)
{
    commonAvi_ = value;
    if (form_)
        loadAnimation();
}

void TxAnimeProgressDialog::setAviFile(const QString& value)
{
    aviFile_ = value;
    if (form_)
        loadAnimation();
}

bool TxAnimeProgressDialog::AnimeActive() const
{
    return form_ && form_->movie && form_->movie->state() == QMovie::Running;
}

void TxAnimeProgressDialog::loadAnimation()
{
    QLabel* anime = form_->anime;
    if (form_->movie) {
        form_->movie->stop();
        anime->setMovie(nullptr);
        delete form_->movie;
        form_->movie = nullptr;
    }
    anime->clear();
    // A file that is not there is dropped; the system animation stays.
    if (!aviFile_.isEmpty() && !QFileInfo::exists(aviFile_))
        aviFile_.clear();
    if (!aviFile_.isEmpty()) {
        form_->movie = new QMovie(aviFile_, QByteArray(), anime);
        if (form_->movie->isValid()) {
            form_->movie->setScaledSize(anime->size());
            anime->setMovie(form_->movie);
            form_->movie->jumpToFrame(0);
            return;
        }
        delete form_->movie;
        form_->movie = nullptr;
    }
    if (commonAvi_ != aviNone)
        anime->setPixmap(form_->style()->standardIcon(pixmapOf(commonAvi_)).pixmap(anime->size()));
}

void TxAnimeProgressDialog::layout()
{
    TxProgressForm* f = form_;
    const int half = px(clientHeight) / 2;
    f->anime->setGeometry(px(20), px(16), px(32), px(32));
    const int labelHeight = QFontMetrics(f->label->font()).height();
    if (labelPosition_ == xlpRight)
        f->label->setGeometry(px(60), px(24), px(300), labelHeight);
    else
        f->label->setGeometry(px(20), px(52), px(300), labelHeight);
    if (!cancelBtnShow_) {
        f->label->move(f->label->x(), labelPosition_ == xlpRight ? half - px(8) : half + px(20));
        f->anime->move(f->anime->x(), half - px(20));
    }
    f->update();
}

void TxAnimeProgressDialog::buildWindow(QWidget* ownerForm)
{
    if (!form_) {
        // The window handed in as ParentHandle owns it when no form does, so
        // it stays above the window it disables.
        form_ = new TxProgressForm(ownerForm ? ownerForm : parent_.data());
        form_->anime = new QLabel(form_);
        form_->anime->setObjectName(QStringLiteral("Animate"));
        form_->label = new QLabel(form_);
        form_->label->setObjectName(QStringLiteral("InfoLabel"));
        form_->label->setTextFormat(Qt::PlainText);
        form_->onClose = [this] {
            if (OnClose)
                OnClose(form_);
        };
    }
    TxProgressForm* f = form_;
    if (ownerForm)
        f->setFont(ownerForm->font());
    f->setWindowTitle(caption_);
    f->anime->setGeometry(px(20), px(16), px(32), px(32));
    loadAnimation();
    f->label->setText(info_);

    Cancelled = false;
    delete f->cancelButton;
    f->cancelButton = nullptr;
    if (cancelBtnShow_) {
        f->cancelButton = new QPushButton(QStringLiteral("キャンセル"), f);
        f->cancelButton->setObjectName(QStringLiteral("CancelButton"));
        f->cancelButton->setGeometry(px(152), px(67), px(76), px(23));
        f->cancelButton->setAutoDefault(false);
        connect(f->cancelButton, &QPushButton::clicked, this, [this] { Cancelled = true; });
    }
    layout();
}

void TxAnimeProgressDialog::placeOverParent(QWidget* ownerForm)
{
    TxProgressForm* f = form_;
    const QRect parentRect = parent_->frameGeometry();
    QScreen* screen = parent_->screen() ? parent_->screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const bool onTopOwner = ownerForm && (ownerForm->windowFlags() & Qt::WindowStaysOnTopHint);
    if (parentRect.isEmpty() || onTopOwner) {
        f->move(screenRect.center() - QPoint(f->width() / 2, f->height() / 2));
        if (parentRect.isEmpty())
            f->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        return;
    }
    f->move(parentRect.left() + (parentRect.width() - f->width()) / 2,
            parentRect.top() + (parentRect.height() - f->height()) / 2);
}

void TxAnimeProgressDialog::Execute(QWidget* ownerForm)
{
    if (ownerForm)
        parent_ = ownerForm->window();
    buildWindow(ownerForm);
    showing_ = true;
    PlayAnime(true);

    TxProgressForm* f = form_;
    if (OnShow) {
        captured_ = nullptr;
        // The work starts once the window is on screen and ends its modal run
        // whatever happens; its exception waits until the window has gone.
        QTimer::singleShot(0, f, [this, f] {
            paintOnScreen(f);
            try {
                OnShow(f);
            } catch (...) {
                captured_ = std::current_exception();
            }
            // Ending the modal run closes the window, and its OnClose hears
            // of it, as a form closing with a modal result does.
            try {
                if (f->onClose)
                    f->onClose();
            } catch (...) {
                if (!captured_)
                    captured_ = std::current_exception();
            }
            f->done(mrOk);
        });
        f->exec();
        destroyWindow();
        showing_ = false;
        QApplication::processEvents();
        Wait(50);
        if (captured_) {
            auto e = captured_;
            captured_ = nullptr;
            std::rethrow_exception(e);
        }
        return;
    }

    if (parent_) {
        placeOverParent(ownerForm);
        parent_->setEnabled(false);
        disabled_ = parent_;
        f->show();
        // Disabling the owner disables its child windows too; this one must
        // stay usable for its cancel button.
        f->setEnabled(true);
    } else {
        f->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        f->show();
    }
    QApplication::processEvents();
    paintOnScreen(f);
    Wait(50);
}

void TxAnimeProgressDialog::enableParent()
{
    if (disabled_)
        disabled_->setEnabled(true);
    disabled_ = nullptr;
}

void TxAnimeProgressDialog::destroyWindow()
{
    if (form_) {
        form_->onClose = nullptr;
        form_->hide();
        delete form_.data();
    }
    form_ = nullptr;
}

int TxAnimeProgressDialog::Close()
{
    enableParent();
    showing_ = false;
    destroyWindow();
    return 0;
}

void TxAnimeProgressDialog::PlayAnime(bool active)
{
    if (!form_)
        return;
    if (form_->movie) {
        if (active)
            form_->movie->start();
        else
            form_->movie->stop();
    }
    form_->update();
}

void TxAnimeProgressDialog::Wait(int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace vq::ui
