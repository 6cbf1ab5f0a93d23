#pragma once
// A stack of pages driven as a wizard: it takes over a Next and a Back button
// placed elsewhere on the form, moves between pages, shows the finishing
// caption on the last page and a header and information text per page, and
// tells its owner about each step.
#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QStackedWidget>
#include <QStringList>

#include <functional>

namespace vq::ui {

class TxWizard : public QStackedWidget {
    Q_OBJECT
public:
    explicit TxWizard(QWidget* parent = nullptr);

    QString NextButtonCap() const { return nextCap_; }
    void setNextButtonCap(const QString& value) { nextCap_ = value; }
    QString NextButtonFinCap() const { return nextFinCap_; }
    void setNextButtonFinCap(const QString& value) { nextFinCap_ = value; }
    QString BackButtonCap() const { return backCap_; }
    void setBackButtonCap(const QString& value) { backCap_ = value; }

    QAbstractButton* NextButton() const { return next_; }
    void setNextButton(QAbstractButton* button);
    QAbstractButton* BackButton() const { return back_; }
    void setBackButton(QAbstractButton* button);
    QLabel* LblHeader() const { return header_; }
    void setLblHeader(QLabel* label);
    QLabel* LblInfo() const { return info_; }
    void setLblInfo(QLabel* label);
    QStringList HeaderCaption() const { return headerCaption_; }
    void setHeaderCaption(const QStringList& lines) { headerCaption_ = lines; }
    QStringList InfoCaption() const { return infoCaption_; }
    void setInfoCaption(const QStringList& lines) { infoCaption_ = lines; }

    int PageIndex() const { return currentIndex(); }
    void setPageIndex(int index) { setCurrentIndex(index); }

    std::function<void(QObject* sender)> OnBackClick;
    // finalState: Next was pressed on the last page.
    std::function<void(QObject* sender, bool finalState)> OnNextClick;
    std::function<void(QObject* sender, bool finalState, bool& allowChange)> OnNextClicking;

    void nextStep();
    void backStep();

private:
    void showCaptions(int index);

    QString nextCap_;
    QString nextFinCap_;
    QString backCap_;
    QPointer<QAbstractButton> next_;
    QPointer<QAbstractButton> back_;
    QPointer<QLabel> header_;
    QPointer<QLabel> info_;
    QStringList headerCaption_;
    QStringList infoCaption_;
};

} // namespace vq::ui
