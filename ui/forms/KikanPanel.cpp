#include "ui/forms/KikanPanel.h"

#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/FiscalCalendar.h"
#include "platform/Interaction.h"
#include "ui/FormFont.h"
#include "ui/forms/FocusMove.h"
#include "ui/forms/FormModalResult.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace vq::ui {

KikanCell::KikanCell(int index, QWidget* parent)
    : QLabel(parent)
    , index_(index)
{
    setObjectName(QStringLiteral("No%1").arg(index + 1));
    setTag(this, index);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
}

void KikanCell::setColours(const QColor& back, const QColor& text)
{
    back_ = back;
    text_ = text;
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Window, back);
        pal.setColor(group, QPalette::WindowText, text);
    }
    setPalette(pal);
}

KikanPanel::KikanPanel(int count, QWidget* parent)
    : QFrame(parent)
{
    setFont(formFont());
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < count; ++i) {
        auto* c = new KikanCell(i, this);
        c->setGeometry(4 + i * 18, 4, 18, 18);
        c->installEventFilter(this);
        cells_.push_back(c);
    }
}

void KikanPanel::setBackColor(TColor value)
{
    changeAndUpdate(backColor_, value);
}

void KikanPanel::setFontColor(TColor value)
{
    changeAndUpdate(fontColor_, value);
}

void KikanPanel::setKikanMove(bool value)
{
    kikanMove_ = value;
    if (!value)
        edno_ = stno_;
    UpdateCells();
}

void KikanPanel::storeCalendar(int simeDay, double yearStart, double yearEnd, double firstOpen)
{
    if (!IsValidSimeDay(simeDay))
        QApplication::beep();
    simeDay_ = simeDay;
    yearStart_ = yearStart;
    yearEnd_ = yearEnd;
    firstOpen_ = firstOpen;
}

void KikanPanel::applyLayout(const KikanLayout& layout)
{
    for (std::size_t i = 0; i < cells_.size() && i < layout.cells.size(); ++i) {
        KikanCell* c = cells_[i];
        c->setText(QString::fromStdString(layout.cells[i].text));
        c->setCellEnabled(layout.cells[i].enabled);
        c->show();
    }
    firstSel_ = layout.firstSelectable;
    lastSel_ = layout.lastSelectable;
    stno_ = layout.stno;
    edno_ = layout.edno;
    anchor_ = stno_;
    end_ = edno_;
    layoutCells();
    QApplication::processEvents();
}

void KikanPanel::layoutCells()
{
    std::vector<KikanCell*> shown;
    for (auto* c : cells_)
        if (!c->isHidden())
            shown.push_back(c);
    const int n = static_cast<int>(shown.size());
    if (n == 0)
        return;
    const int w = std::max((width() - 8) / n, 1);
    const int h = std::max(height() - 6, 1);
    const int extra = std::max(width() - 8 - n * w, 0);
    for (int i = 0; i < n; ++i) {
        shown[static_cast<std::size_t>(i)]->setGeometry(4 + i * w + std::min(i, extra), 3, w + (i < extra ? 1 : 0), h);
        shown[static_cast<std::size_t>(i)]->setFont(font());
    }
    UpdateCells();
}

void KikanPanel::UpdateCells()
{
    const QColor face = toQColor(clBtnFace);
    const QColor windowText = toQColor(clWindowText);
    for (auto* c : cells_) {
        const int i = c->index();
        const bool inside = i >= std::min(stno_, edno_) && i <= std::max(stno_, edno_);
        if (!isEnabled()) {
            c->setColours(inside ? disabledSelection() : face, toQColor(clGray));
        } else if (inside && c->cellEnabled()) {
            c->setColours(toQColor(backColor_), toQColor(fontColor_));
        } else if (closedCell(i)) {
            c->setColours(closedBack(), closedText());
        } else {
            c->setColours(face, c->cellEnabled() ? windowText : toQColor(clGray));
        }
    }
    update();
}

void KikanPanel::colourRange(int from, int to)
{
    const int lo = std::min(from, to), hi = std::max(from, to);
    const QColor face = toQColor(clBtnFace);
    for (auto* c : cells_) {
        const int i = c->index();
        if (i >= lo && i <= hi && c->cellEnabled())
            c->setColours(toQColor(backColor_), toQColor(fontColor_));
        else if (closedCell(i))
            c->setColours(closedBack(), closedText());
        else
            c->setColours(face, c->cellEnabled() ? toQColor(clWindowText) : toQColor(clGray));
    }
    QApplication::processEvents();
}

void KikanPanel::commitKeyboard()
{
    emit mouseUp(Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(0, 0));
}

void KikanPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (resizing_)
        return;
    int n = 0;
    for (auto* c : cells_)
        if (!c->isHidden())
            ++n;
    if (n > 0) {
        // The panel takes the width its whole cells need.
        const int w = std::max((width() - 8) / n, 1);
        resizing_ = true;
        resize(n * w + 8, height());
        resizing_ = false;
    }
    layoutCells();
}

void KikanPanel::keyPressEvent(QKeyEvent* event)
{
    const bool exactlyShift = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        kbdMouse_ = true;
        const bool left = event->key() == Qt::Key_Left;
        if (exactlyShift && kikanMove_) {
            if (left && end_ > firstSel_)
                --end_;
            else if (!left && end_ < lastSel_)
                ++end_;
        } else {
            if (left && anchor_ > firstSel_)
                --anchor_;
            else if (!left && anchor_ < lastSel_)
                ++anchor_;
            end_ = anchor_;
        }
        stno_ = anchor_;
        edno_ = end_;
        colourRange(anchor_, end_);
        event->accept();
        return;
    }
    case Qt::Key_Up:
        event->accept();
        moveFocus(this, false);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        if (clearsKbdMouseOnEnter())
            kbdMouse_ = false;
        commitKeyboard();
        moveFocus(this, true);
        return;
    default:
        break;
    }
    QFrame::keyPressEvent(event);
}

void KikanPanel::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift) {
        if (stno_ > edno_)
            std::swap(stno_, edno_);
        UpdateCells();
    }
    QFrame::keyReleaseEvent(event);
}

void KikanPanel::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    kbdMouse_ = false;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(clGray));
    setPalette(pal);
}

void KikanPanel::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    setPalette(QPalette());
    if (kbdMouse_) {
        commitKeyboard();
        kbdMouse_ = false;
    }
}

void KikanPanel::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateCells();
    else if (event->type() == QEvent::FontChange) {
        for (auto* c : cells_)
            c->setFont(font());
        UpdateCells();
    }
}

void KikanPanel::CellMouseDown(KikanCell* cell, QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        if (cell->index() > lastSel_) {
            anchor_ = stno_;
            end_ = edno_;
        } else {
            anchor_ = end_ = cell->index();
            dragging_ = true;
            colourRange(anchor_, end_);
        }
    }
    emit mouseDown(event->button(), event->modifiers(), cell->mapTo(this, event->position().toPoint()));
}

void KikanPanel::CellMouseMove(KikanCell* cell, QMouseEvent* event)
{
    if (!hasFocus() || !kikanMove_ || !dragging_)
        return;
    const QPoint at = cell->mapTo(this, event->position().toPoint());
    for (auto* c : cells_) {
        if (!c->isHidden() && c->geometry().contains(at)) {
            if (c->cellEnabled() && c->index() <= lastSel_)
                end_ = c->index();
            break;
        }
    }
    colourRange(anchor_, end_);
}

void KikanPanel::CellMouseUp(KikanCell* cell, QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    stno_ = std::min(anchor_, end_);
    edno_ = std::max(anchor_, end_);
    UpdateCells();
    emit mouseUp(event->button(), event->modifiers(), cell->mapTo(this, event->position().toPoint()));
}

bool KikanPanel::eventFilter(QObject* watched, QEvent* event)
{
    auto* cell = qobject_cast<KikanCell*>(watched);
    if (!cell || cell->parentWidget() != this)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A cell that cannot be chosen takes no clicks at all.
        if (cell->cellEnabled())
            CellMouseDown(cell, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        CellMouseMove(cell, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        if (cell->cellEnabled() || dragging_)
            CellMouseUp(cell, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        if (cell->cellEnabled())
            emit doubleClicked();
        return true;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

KakuteiKikanPanel::KakuteiKikanPanel(int cells, QWidget* parent)
    : KikanPanel(cells, parent)
{
    resizing_ = true;
    resize(242, 22);
    resizing_ = false;
}

void KakuteiKikanPanel::startWithCurrentYear()
{
    const int year = decodeDate(vq::platform::interaction().now()).year;
    const double start = encodeDate(year, 1, 1);
    SetKikan(SimeDayMonthEnd, start, encodeDate(year, 12, 31), start);
}

void KakuteiKikanPanel::setKakuteiMode(bool value)
{
    changeAndUpdate(mode_, value);
}

void KakuteiKikanPanel::setKakuteiMNo(int value)
{
    changeAndUpdate(count_, value);
}

void KakuteiKikanPanel::setKakuteiBackColor(TColor value)
{
    changeAndUpdate(back_, value);
}

void KakuteiKikanPanel::setKakuteiFontColor(TColor value)
{
    changeAndUpdate(font_, value);
}

} // namespace vq::ui
