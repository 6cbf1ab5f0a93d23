#pragma once
// A small waiting window (animation, caption, information line, optional
// cancel button) for long work on the main thread. Usual use: set the texts,
// Execute(ownForm) - the form is disabled and the window shown without
// waiting - do the work while setting InfoLabel, pumping events and polling
// Cancelled, then Close(), which enables the form again. With OnShow set,
// Execute instead runs that work modally inside the window.
#include <QDialog>
#include <QPointer>
#include <QString>

#include <exception>
#include <functional>

class QLabel;
class QMovie;
class QPushButton;

namespace vq::ui {

enum TxLabelPosition { xlpRight, xlpBottom };
enum TCommonAVI {
    aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile, aviRecycleFile,
    aviEmptyRecycle, aviDeleteFile
};

// The window itself, built in code.
class TxProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TxProgressForm(QWidget* parent);

    QLabel* anime = nullptr;
    QLabel* label = nullptr;
    QPushButton* cancelButton = nullptr;
    QMovie* movie = nullptr;
    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class TxAnimeProgressDialog : public QObject {
    Q_OBJECT
public:
    explicit TxAnimeProgressDialog(QObject* parent = nullptr);
    ~TxAnimeProgressDialog() override;

    // The progress window while it exists.
    TxProgressForm* Handle() const { return form_; }
    // The window disabled meanwhile; Execute with an owner form replaces it.
    QWidget* ParentHandle() const { return parent_; }
    void setParentHandle(QWidget* window) { parent_ = window; }
    QString Caption() const { return caption_; }
    void setCaption(const QString& value);
    QString InfoLabel() const { return info_; }
    void setInfoLabel(const QString& value);
    TxLabelPosition LabelPosition() const { return labelPosition_; }
    void setLabelPosition(TxLabelPosition value);
    TCommonAVI CommonAVI() const { return commonAvi_; }
    void setCommonAVI(TCommonAVI value);
    // An animation file (a GIF); used instead of CommonAVI when set.
    QString AviFile() const { return aviFile_; }
    void setAviFile(const QString& value);
    bool AnimeActive() const;
    void setAnimeActive(bool value) { PlayAnime(value); }
    bool CancelBtnShow() const { return cancelBtnShow_; }
    void setCancelBtnShow(bool value) { cancelBtnShow_ = value; }

    // Work run modally inside the window (sender: the window). An exception
    // it throws closes the window and is thrown again from Execute.
    std::function<void(QWidget* sender)> OnShow;
    std::function<void(QWidget* sender)> OnClose;

    bool Cancelled = false;

    void Execute(QWidget* ownerForm);
    int Close();
    void PlayAnime(bool active);
    // Waits without pumping events.
    static void Wait(int ms);

private:
    void buildWindow(QWidget* ownerForm);
    void layout();
    void loadAnimation();
    void placeOverParent(QWidget* ownerForm);
    void enableParent();
    void destroyWindow();

    QPointer<TxProgressForm> form_;
    QPointer<QWidget> parent_;
    QPointer<QWidget> disabled_;
    QString caption_;
    QString info_;
    TxLabelPosition labelPosition_ = xlpRight;
    TCommonAVI commonAvi_ = aviNone;
    QString aviFile_;
    bool cancelBtnShow_ = true;
    bool showing_ = false;
    std::exception_ptr captured_;
};

} // namespace vq::ui
