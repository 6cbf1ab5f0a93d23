#pragma once
// The library's single-line edit: Enter and the chosen arrows move between
// fields, the caret is placed on entry, the text reads as an amount or an
// integer, pasting can be locked, and the reading typed through the input
// method is captured for name-reading fields.
#include "ui/KeyStyles.h"
#include "ui/PreeditReading.h"

#include <QLineEdit>

#include <string>

namespace vq::ui {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TCursorPos { cpAllSel, cpLeft, cpRight };
// Input-method modes the controls distinguish; imDisable switches it off.
enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata };

class TxEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TxEdit(QWidget* parent = nullptr);

    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment value);
    using QLineEdit::setAlignment;
    TBorderStyle KeyEdit3D() const { return border_; }
    void setKeyEdit3D(TBorderStyle value);
    TKeyStyles KeyStyles() const { return keyStyles_; }
    void setKeyStyles(TKeyStyles value) { keyStyles_ = value; }
    TCursorPos CursorPos() const { return cursorPos_; }
    void setCursorPos(TCursorPos value) { cursorPos_ = value; }

    // The text as an amount (4 decimals) or integer; text that is no number reads 0.
    // Writing 0 leaves the text as it is.
    double Curr() const;
    void setCurr(double value);
    int Long() const;
    void setLong(int value);

    // The captured reading as half-width katakana. Reading it also keeps the
    // katakana form in the buffer. Writing an empty text changes nothing.
    std::string kana();
    void setKana(const std::string& value);
    bool KanaSw() const { return kanaSw_; }
    void setKanaSw(bool value) { kanaSw_ = value; }
    bool KillPaste() const { return killPaste_; }
    void setKillPaste(bool value) { killPaste_ = value; }
    TImeMode ImeMode() const { return imeMode_; }
    void setImeMode(TImeMode value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool pasteLocked() const { return killPaste_ && imeMode_ == imDisable; }
    void appendReading(const QString& text);

    TAlignment alignment_ = taLeftJustify;
    TBorderStyle border_ = bsSingle;
    TKeyStyles keyStyles_ = defaultKeyStyles;
    TCursorPos cursorPos_ = cpAllSel;
    bool kanaSw_ = false;
    bool killPaste_ = true;
    TImeMode imeMode_ = imDontCare;
    bool capturing_ = false;
    std::string reading_;
    PreeditReading preedit_;
};

} // namespace vq::ui
