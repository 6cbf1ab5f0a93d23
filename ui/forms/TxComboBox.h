#pragma once
// The library's combo box: Enter and the chosen arrows move between fields,
// an item can be chosen by typing the code at the start of its text
// ("002" selects "002:支店"), and the opened list can be wider than the box.
#include "ui/KeyStyles.h"

#include <QComboBox>

#include <string>

namespace vq::ui {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TxComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TxComboBox(QWidget* parent = nullptr);

    int DropDownWidth() const { return dropDownWidth_; }
    void setDropDownWidth(int value) { dropDownWidth_ = value; }
    TKeyStyles KeyStyles() const { return keyStyles_; }
    void setKeyStyles(TKeyStyles value) { keyStyles_ = value; }
    // Length in CP932 bytes of the code at the start of each item; 0: no code search.
    int KeyLen() const { return keyLen_; }
    void setKeyLen(int value) { keyLen_ = value; }
    std::string KeyTerm() const { return keyTerm_; }
    void setKeyTerm(const std::string& value) { keyTerm_ = value; }
    TComboBoxStyle Style() const { return style_; }
    void setStyle(TComboBoxStyle value);
    using QComboBox::setStyle;

    // Selects an item; an index of 0 or more is also remembered as the item
    // the box shows when the operator leaves it.
    void setItemIndex(int index);
    int rememberedIndex() const { return remembered_; }

    void showPopup() override;
    void hidePopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void searchTypedCode();
    void showItemText(int index);

    int dropDownWidth_ = 0;
    TKeyStyles keyStyles_ = defaultKeyStyles;
    int keyLen_ = 0;
    std::string keyTerm_ = ":";
    TComboBoxStyle style_ = csDropDown;
    int remembered_ = -1;
};

} // namespace vq::ui
