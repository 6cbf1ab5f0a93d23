#include "ui/forms/TxCheckedComboBox.h"

#include "ui/FormFont.h"
#include "ui/forms/FocusMove.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace vq::ui {

TxCheckedComboBox::TxCheckedComboBox(QWidget* parent)
    : QWidget(parent)
    , capSelectAll_(QStringLiteral("&全て選択"))
    , capDeSelectAll_(QStringLiteral("&選択解除"))
    , emptyValue_(QStringLiteral("未選択"))
    , kensuFormat_(QStringLiteral("%d件選択"))
{
    setFont(formFont());
    setFocusPolicy(Qt::StrongFocus);
    resize(120, 20);
    dropDownWidth_ = 120;

    panel_ = new QLabel(this);
    panel_->setObjectName(QStringLiteral("panel"));
    panel_->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel_->setAutoFillBackground(true);
    panel_->setIndent(2);
    panel_->installEventFilter(this);
    button_ = new QToolButton(this);
    button_->setObjectName(QStringLiteral("button"));
    button_->setArrowType(Qt::DownArrow);
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QToolButton::clicked, this, [this] {
        DropDown();
        emit buttonClick();
    });

    popup_ = new QWidget(this, Qt::Popup | Qt::FramelessWindowHint);
    auto* box = new QVBoxLayout(popup_);
    box->setContentsMargins(2, 2, 2, 2);
    list_ = new QListWidget(popup_);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    box->addWidget(list_);
    list_->installEventFilter(this);
    popup_->installEventFilter(this);
    connect(list_, &QListWidget::itemChanged, this, &TxCheckedComboBox::itemChanged);

    menu_ = new QMenu(this);
    selectAllAction_ = menu_->addAction(capSelectAll_, this, &TxCheckedComboBox::SelectAll);
    deselectAllAction_ = menu_->addAction(capDeSelectAll_, this, &TxCheckedComboBox::DeSelectAll);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { menu_->popup(list_->viewport()->mapToGlobal(p)); });
    layoutParts();
    refresh();
}

void TxCheckedComboBox::setItems(const QStringList& items)
{
    items_ = items;
    if (sorted_)
        items_.sort();
    refill();
}

void TxCheckedComboBox::setCapSelectAll(const QString& value)
{
    capSelectAll_ = value;
    selectAllAction_->setText(value);
}

void TxCheckedComboBox::setCapDeSelectAll(const QString& value)
{
    capDeSelectAll_ = value;
    deselectAllAction_->setText(value);
}

void TxCheckedComboBox::setSorted(bool value)
{
    sorted_ = value;
    if (value) {
        items_.sort();
        refill();
    }
}

void TxCheckedComboBox::setColumns(int value)
{
    columns_ = value;
    list_->setFlow(value >= 2 ? QListView::TopToBottom : QListView::TopToBottom);
    list_->setWrapping(value >= 2);
}

void TxCheckedComboBox::setDropDownLines(int value)
{
    if (value >= 1 && value <= 20)
        dropDownLines_ = value;
}

void TxCheckedComboBox::setEmptyValue(const QString& value)
{
    if (emptyValue_ == value)
        return;
    emptyValue_ = value;
    refresh();
}

void TxCheckedComboBox::setSortDisplay(bool value)
{
    sortDisplay_ = value;
    refresh();
}

void TxCheckedComboBox::setDispStyle(TDispStyle value)
{
    dispStyle_ = value;
    refresh();
}

void TxCheckedComboBox::setKensuValueFormat(const QString& value)
{
    kensuFormat_ = value;
    refresh();
}

void TxCheckedComboBox::setMultiSelect(bool value)
{
    multiSelect_ = value;
    selectAllAction_->setEnabled(value);
}

QString TxCheckedComboBox::DisplayText() const
{
    return selection_.displayText(dispStyle_, items_, sortDisplay_, emptyValue_, kensuFormat_);
}

void TxCheckedComboBox::refill()
{
    updating_ = true;
    list_->clear();
    for (const auto& name : items_) {
        auto* item = new QListWidgetItem(name, list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    updating_ = false;
    selection_.clear();
    refresh();
}

void TxCheckedComboBox::refresh()
{
    panel_->setText(DisplayText());
}

bool TxCheckedComboBox::isChecked(int index) const
{
    const QListWidgetItem* item = list_->item(index);
    return item != nullptr && item->checkState() == Qt::Checked;
}

void TxCheckedComboBox::setChecked(int index, bool checked)
{
    if (QListWidgetItem* item = list_->item(index))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TxCheckedComboBox::itemChanged(QListWidgetItem* item)
{
    if (updating_)
        return;
    if (item->checkState() == Qt::Checked) {
        if (!multiSelect_) {
            updating_ = true;
            for (int i = 0; i < list_->count(); ++i)
                if (list_->item(i) != item)
                    list_->item(i)->setCheckState(Qt::Unchecked);
            updating_ = false;
            selection_.clear();
        }
        selection_.tick(item->text());
    } else {
        selection_.untick(item->text());
    }
    refresh();
    emit changed();
    emit clickCheck();
}

void TxCheckedComboBox::SelectAll()
{
    if (!multiSelect_)
        return;
    updating_ = true;
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(Qt::Checked);
    updating_ = false;
    selection_.selectAll(items_);
    refresh();
    update();
    emit changed();
}

void TxCheckedComboBox::DeSelectAll()
{
    updating_ = true;
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(Qt::Unchecked);
    updating_ = false;
    selection_.clear();
    refresh();
    emit changed();
}

int TxCheckedComboBox::droppedLines() const
{
    const int count = static_cast<int>(items_.size());
    int lines = columns_ < 2 ? std::min(dropDownLines_, count) : count / columns_ + 1;
    return std::clamp(lines, 1, 20);
}

void TxCheckedComboBox::DropDown()
{
    if (items_.isEmpty())
        return;
    lastLines_ = droppedLines();
    popup_->setFont(font());
    const int itemHeight = std::max(list_->sizeHintForRow(0), fontMetrics().height() + 2);
    const int w = std::max(width(), dropDownWidth_);
    const int h = itemHeight * lastLines_ + 4;
    QPoint at = mapToGlobal(QPoint(0, height()));
    const QScreen* screen = this->screen();
    const int bottom = screen != nullptr ? screen->geometry().bottom() : 768;
    if (at.y() + h > bottom - 20)
        at = mapToGlobal(QPoint(0, -h));
    popup_->setGeometry(at.x(), at.y(), w, h);
    popup_->show();
    list_->setFocus(Qt::PopupFocusReason);
}

void TxCheckedComboBox::CloseUp()
{
    if (!popup_->isVisible())
        return;
    popup_->hide();   // the hide reports the close-up
    setFocus(Qt::OtherFocusReason);
}

bool TxCheckedComboBox::isDroppedDown() const
{
    return popup_->isVisible();
}

void TxCheckedComboBox::layoutParts()
{
    const int h = height();
    const int b = std::max(h - 4, 1);
    button_->setGeometry(width() - b - 2, 2, b, b);
    panel_->setGeometry(0, 0, std::max(width() - b - 3, 1), h);
}

void TxCheckedComboBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutParts();
}

void TxCheckedComboBox::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        QPalette pal = panel_->palette();
        pal.setColor(QPalette::WindowText, isEnabled() ? palette().color(QPalette::WindowText) : QColor(0x80, 0x80, 0x80));
        panel_->setPalette(pal);
    }
}

void TxCheckedComboBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    QPalette pal = panel_->palette();
    pal.setColor(QPalette::Window, palette().color(QPalette::Highlight));
    pal.setColor(QPalette::WindowText, Qt::white);
    panel_->setPalette(pal);
}

void TxCheckedComboBox::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    QPalette pal = panel_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    panel_->setPalette(pal);
}

void TxCheckedComboBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F4) {
        DropDown();
        emit buttonClick();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        moveFocus(this, true);
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TxCheckedComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panel_ && event->type() == QEvent::MouseButtonPress) {
        setFocus(Qt::MouseFocusReason);
        emit panelClick();
    } else if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool none = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (key->key() == Qt::Key_Escape) {
            CloseUp();
            return true;
        }
        if (none && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            CloseUp();
            moveFocus(this, true);
            return true;
        }
        if (key->key() == Qt::Key_Backtab) {
            CloseUp();
            moveFocus(this, false);
            return true;
        }
    } else if (watched == popup_ && event->type() == QEvent::Hide) {
        emit closeUp();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vq::ui
