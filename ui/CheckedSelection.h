#pragma once
// The value of the multi-select combo box: the chosen item names joined by
// "," in the order they were ticked, with their count, and the text the
// closed control shows for them.
#include <QString>
#include <QStringList>

namespace vq::ui {

enum TDispStyle { dsKensu, dsItems };

class CheckedSelection {
public:
    const QString& text() const { return text_; }
    int count() const { return count_; }

    // An item was ticked: appended unless its name is already chosen.
    void tick(const QString& name);
    // An item was unticked: its name (the first whole match) leaves the text.
    void untick(const QString& name);
    void selectAll(const QStringList& items);
    void clear();

    // dsKensu: nothing chosen emptyValue, one the name, more kensuFormat with
    // the count ("%d件選択"). dsItems: emptyValue, or the names (in the order
    // of items with sortDisplay).
    QString displayText(TDispStyle style, const QStringList& items, bool sortDisplay, const QString& emptyValue,
                        const QString& kensuFormat) const;

private:
    QString text_;
    int count_ = 0;
};

} // namespace vq::ui
