#include "ui/forms/TxComboBox.h"

#include "ui/CodeSearch.h"
#include "ui/FormFont.h"
#include "ui/forms/EditContextMenu.h"
#include "ui/forms/FocusMove.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <vector>

namespace vq::ui {

TxComboBox::TxComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setFont(formFont());
    setStyle(csDropDown);
    // Whatever selects an item (the program, the list, the arrows) makes it
    // the item the box shows when the operator leaves it; clearing the
    // selection does not forget it.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            remembered_ = index;
    });
}

void TxComboBox::setStyle(TComboBoxStyle value)
{
    style_ = value;
    const bool editable = value != csDropDownList;
    if (isEditable() != editable)
        setEditable(editable);
    if (editable) {
        // Qt's own completion and insertion would fight the code search.
        setCompleter(nullptr);
        setInsertPolicy(QComboBox::NoInsert);
        connect(lineEdit(), &QLineEdit::textEdited, this, &TxComboBox::searchTypedCode, Qt::UniqueConnection);
        useEditContextMenu(lineEdit());
    }
}

void TxComboBox::setItemIndex(int index)
{
    setCurrentIndex(index);
    if (index >= 0)
        remembered_ = index;
}

void TxComboBox::showItemText(int index)
{
    if (index >= 0 && index < count() && isEditable())
        setEditText(itemText(index));
}

void TxComboBox::searchTypedCode()
{
    if (keyLen_ <= 0)
        return;
    const QString text = currentText();
    const TypedCode code = typedCodeOf(text.toStdString(), keyLen_, keyTerm_);
    if (code.key.empty())
        return;
    if (code.typedName) {
        remembered_ = currentIndex();
        return;
    }
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i)
        items.push_back(itemText(i).toStdString());
    const int found = findItemByPrefix(items, code.key, currentIndex() - 1);
    if (found >= 0) {
        remembered_ = found;
        return;
    }
    const QString key = QString::fromStdString(code.key);
    QComboBox::setCurrentIndex(-1);
    if (isEditable()) {
        setEditText(key);
        lineEdit()->setCursorPosition(static_cast<int>(key.size()));
    }
}

void TxComboBox::showPopup()
{
    QComboBox::showPopup();
    // The list is never narrower than the box.
    if (auto* v = view()) {
        const int w = std::max(dropDownWidth_, width());
        if (auto* popup = v->window(); popup && popup->width() < w)
            popup->resize(w, popup->height());
    }
}

void TxComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (keyLen_ <= 0)
        return;
    if (currentIndex() >= 0 || remembered_ < 0)
        showItemText(remembered_);
    else
        QComboBox::setCurrentIndex(remembered_);
}

void TxComboBox::keyPressEvent(QKeyEvent* event)
{
    const NavKey key = navKeyOf(event);
    const FocusMove move = comboKeyMove(key, keyStyles_, noModifiers(event), view() && view()->isVisible());
    if (move != FocusMove::None) {
        event->accept();
        moveFocus(this, move == FocusMove::Next);
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        QLineEdit* edit = lineEdit();
        const int selStart = !edit ? 0 : edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        if (selStart == 0 || currentText().isEmpty()) {
            event->accept();
            if (count() > 0) {
                setItemIndex(0);
                showItemText(0);
            }
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

void TxComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    // With nothing remembered the text stays: it may be free text typed or
    // set by the program, which entering the box must not wipe.
    if (event->reason() != Qt::PopupFocusReason && remembered_ >= 0 && currentIndex() != remembered_)
        QComboBox::setCurrentIndex(remembered_);
}

void TxComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || keyLen_ <= 0)
        return;
    QComboBox::setCurrentIndex(remembered_);
    showItemText(remembered_);
}

void TxComboBox::changeEvent(QEvent* event)
{
    // A font change must not lose what the operator had selected in the edit.
    if (event->type() == QEvent::FontChange && isEditable() && lineEdit()) {
        QLineEdit* edit = lineEdit();
        const bool keep = hasFocus();
        const int start = keep ? (edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition()) : 0;
        const int length = keep ? static_cast<int>(edit->selectedText().size()) : 0;
        QComboBox::changeEvent(event);
        edit->setSelection(start, length);
        update();
        return;
    }
    QComboBox::changeEvent(event);
}

} // namespace vq::ui
