#include "print/forms/UpDownButtons.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vq::print {

UpDownButtons::UpDownButtons(int minimum, int maximum, int step, QWidget* parent)
    : QWidget(parent), min_(minimum), max_(maximum), step_(step)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setArrowType(Qt::DownArrow);
    for (auto* b : {up, down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setFixedSize(15, 10);
        layout->addWidget(b);
    }
    connect(up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepBy(-1); });
    resize(15, 20);
}

void UpDownButtons::setBuddy(QLineEdit* edit)
{
    buddy_ = edit;
    setPosition(position_);
}

void UpDownButtons::setPosition(int value)
{
    position_ = std::clamp(value, min_, max_);
    if (buddy_)
        buddy_->setText(QString::number(position_));
}

void UpDownButtons::stepBy(int steps)
{
    // Steps from what the edit shows, as the operator may have typed a value.
    int from = position_;
    if (buddy_) {
        bool ok = false;
        const int typed = buddy_->text().toInt(&ok);
        if (ok)
            from = typed;
    }
    setPosition(from + steps * step_);
}

} // namespace vq::print
