#include "ui/forms/TxWizard.h"

#include "ui/SlotGuard.h"

#include <QAbstractButton>
#include <QLabel>

namespace vq::ui {

TxWizard::TxWizard(QWidget* parent)
    : QStackedWidget(parent)
{
    if (nextCap_.isEmpty())
        nextCap_ = QStringLiteral("次へ(&N) >");
    if (nextFinCap_.isEmpty())
        nextFinCap_ = QStringLiteral("完了(&F)");
    if (backCap_.isEmpty())
        backCap_ = QStringLiteral("< 戻る(&B)");
}

void TxWizard::setNextButton(QAbstractButton* button)
{
    if (next_)
        disconnect(next_, nullptr, this, nullptr);
    next_ = button;
    if (!button)
        return;
    connect(button, &QAbstractButton::clicked, this, guarded([this] { nextStep(); }));
    button->setText(count() == 1 ? nextFinCap_ : nextCap_);
}

void TxWizard::setBackButton(QAbstractButton* button)
{
    if (back_)
        disconnect(back_, nullptr, this, nullptr);
    back_ = button;
    if (!button)
        return;
    connect(button, &QAbstractButton::clicked, this, guarded([this] { backStep(); }));
    button->hide();
    button->setText(backCap_);
}

void TxWizard::setLblHeader(QLabel* label)
{
    header_ = label;
    if (label && !headerCaption_.isEmpty() && currentIndex() >= 0 && currentIndex() < headerCaption_.size())
        label->setText(headerCaption_.at(currentIndex()));
}

void TxWizard::setLblInfo(QLabel* label)
{
    info_ = label;
    if (label && !infoCaption_.isEmpty() && currentIndex() >= 0 && currentIndex() < infoCaption_.size())
        label->setText(infoCaption_.at(currentIndex()));
}

void TxWizard::showCaptions(int index)
{
    // A page without a line keeps what the label showed.
    if (header_ && index < headerCaption_.size())
        header_->setText(headerCaption_.at(index));
    if (info_ && index < infoCaption_.size())
        info_->setText(infoCaption_.at(index));
}

void TxWizard::nextStep()
{
    QObject* sender = next_ ? static_cast<QObject*>(next_) : this;
    const bool last = count() == currentIndex() + 1;
    bool allowChange = true;
    if (OnNextClicking)
        OnNextClicking(sender, false, allowChange);
    if (!allowChange)
        return;
    bool finalState = false;
    if (count() == 1 || last) {
        finalState = true;
    } else {
        setCurrentIndex(currentIndex() + 1);
        showCaptions(currentIndex());
        if (back_)
            back_->show();
    }
    if (next_ && count() == currentIndex() + 1)
        next_->setText(nextFinCap_);
    if (OnNextClick)
        OnNextClick(sender, finalState);
}

void TxWizard::backStep()
{
    QObject* sender = back_ ? static_cast<QObject*>(back_) : this;
    if (count() == 1 || currentIndex() == 0) {
        if (back_)
            back_->hide();
    } else {
        setCurrentIndex(currentIndex() - 1);
        showCaptions(currentIndex());
        if (next_)
            next_->setText(nextCap_);
        if (currentIndex() == 0 && count() > 1 && back_)
            back_->hide();
    }
    if (OnBackClick)
        OnBackClick(sender);
}

} // namespace vq::ui
