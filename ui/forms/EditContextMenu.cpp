#include "ui/forms/EditContextMenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>

namespace vq::ui {

namespace {

// One entry: its caption, the shortcut shown after it, whether it can act now.
QAction* entry(QMenu& menu, const char* caption, QKeySequence::StandardKey key, bool enabled,
               const std::function<void()>& act)
{
    QString text = QString::fromUtf8(caption);
    const QKeySequence shortcut(key);
    if (!shortcut.isEmpty())
        text += QLatin1Char('\t') + shortcut.toString(QKeySequence::NativeText);
    QAction* action = menu.addAction(text);
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, &menu, act);
    return action;
}

} // namespace

void execEditContextMenu(QLineEdit* edit, const QPoint& globalPos, const std::function<void()>& paste)
{
    // Built here rather than taken from the line edit, whose entries carry
    // whatever language Qt's translations give them.
    const bool writable = !edit->isReadOnly();
    const bool selected = edit->hasSelectedText();
    const bool shown = edit->echoMode() == QLineEdit::Normal;   // a hidden password is not copied out
    const bool clipboardText = !QApplication::clipboard()->text().isEmpty();
    QMenu menu(edit);
    entry(menu, "元に戻す(&U)", QKeySequence::Undo, writable && edit->isUndoAvailable(), [edit] { edit->undo(); });
    entry(menu, "やり直し(&R)", QKeySequence::Redo, writable && edit->isRedoAvailable(), [edit] { edit->redo(); });
    menu.addSeparator();
    entry(menu, "切り取り(&T)", QKeySequence::Cut, writable && selected && shown, [edit] { edit->cut(); });
    entry(menu, "コピー(&C)", QKeySequence::Copy, selected && shown, [edit] { edit->copy(); });
    entry(menu, "貼り付け(&P)", QKeySequence::Paste, writable && clipboardText, [edit, paste] {
        if (paste)
            paste();
        else
            edit->paste();
    });
    entry(menu, "削除(&D)", QKeySequence::UnknownKey, writable && selected, [edit] { edit->del(); });
    menu.addSeparator();
    const bool allSelected = selected && edit->selectedText().size() == edit->text().size();
    entry(menu, "すべて選択(&A)", QKeySequence::SelectAll, !edit->text().isEmpty() && !allSelected,
          [edit] { edit->selectAll(); });
    menu.exec(globalPos);
}

void useEditContextMenu(QLineEdit* edit)
{
    if (edit->contextMenuPolicy() == Qt::CustomContextMenu)
        return;   // given already
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, edit,
                     [edit](const QPoint& pos) { execEditContextMenu(edit, edit->mapToGlobal(pos)); });
}

} // namespace vq::ui
