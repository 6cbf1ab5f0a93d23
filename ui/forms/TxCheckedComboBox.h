#pragma once
// A combo box whose list holds check boxes, so that several items can be
// chosen; closed, it shows the number chosen ("%d件選択") or the names. A
// pop-up menu on the list ticks or clears every item.
#include "ui/CheckedSelection.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QToolButton;

namespace vq::ui {

enum TQuoteStyle { qsNone, qsSingle, qsDouble };

class TxCheckedComboBox : public QWidget {
    Q_OBJECT
public:
    explicit TxCheckedComboBox(QWidget* parent = nullptr);

    const QStringList& Items() const { return items_; }
    // Refills the list and empties the selection.
    void setItems(const QStringList& items);
    QString CapSelectAll() const { return capSelectAll_; }
    void setCapSelectAll(const QString& value);
    QString CapDeSelectAll() const { return capDeSelectAll_; }
    void setCapDeSelectAll(const QString& value);
    bool Sorted() const { return sorted_; }
    void setSorted(bool value);
    TQuoteStyle QuoteStyle() const { return quoteStyle_; }
    void setQuoteStyle(TQuoteStyle value) { quoteStyle_ = value; }
    int Columns() const { return columns_; }
    void setColumns(int value);
    int DropDownLines() const { return dropDownLines_; }
    // Taken only for 1 .. 20.
    void setDropDownLines(int value);
    QString EmptyValue() const { return emptyValue_; }
    void setEmptyValue(const QString& value);
    bool SortDisplay() const { return sortDisplay_; }
    void setSortDisplay(bool value);
    int DropDownWidth() const { return dropDownWidth_; }
    void setDropDownWidth(int value) { dropDownWidth_ = value; }
    TDispStyle DispStyle() const { return dispStyle_; }
    void setDispStyle(TDispStyle value);
    QString KensuValueFormat() const { return kensuFormat_; }
    void setKensuValueFormat(const QString& value);
    bool MultiSelect() const { return multiSelect_; }
    void setMultiSelect(bool value);
    QString Version() const { return QStringLiteral("1.0.3"); }

    // The chosen names joined by "," in the order they were ticked.
    QString Text() const { return selection_.text(); }
    int SelectedCount() const { return selection_.count(); }
    // What the closed control shows.
    QString DisplayText() const;
    bool isChecked(int index) const;
    // Ticks or unticks item index as a click on its check box does.
    void setChecked(int index, bool checked);
    void SelectAll();
    void DeSelectAll();
    // Opens the list below the control (above it near the screen's bottom).
    void DropDown();
    void CloseUp();
    bool isDroppedDown() const;
    // The lines the list shows when dropped down.
    int droppedLines() const;
    QListWidget* list() const { return list_; }
    QMenu* menu() const { return menu_; }

signals:
    void changed();
    void clickCheck();
    void closeUp();
    void panelClick();
    void buttonClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refill();
    void refresh();
    void itemChanged(QListWidgetItem* item);
    void layoutParts();

    QStringList items_;
    QString capSelectAll_;
    QString capDeSelectAll_;
    bool sorted_ = false;
    TQuoteStyle quoteStyle_ = qsNone;
    int columns_ = 0;
    int dropDownLines_ = 15;
    QString emptyValue_;
    bool sortDisplay_ = false;
    int dropDownWidth_ = 0;
    TDispStyle dispStyle_ = dsKensu;
    QString kensuFormat_;
    bool multiSelect_ = true;
    int lastLines_ = 0;
    bool updating_ = false;
    CheckedSelection selection_;
    QLabel* panel_ = nullptr;
    QToolButton* button_ = nullptr;
    QWidget* popup_ = nullptr;
    QListWidget* list_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* selectAllAction_ = nullptr;
    QAction* deselectAllAction_ = nullptr;
};

} // namespace vq::ui
