#pragma once
// The library's edit for amounts and codes and for names whose reading is
// captured: keys filtered by a numeric style, one key typing "00" or "000",
// "-" toggling the sign of an amount, thousands separators kept while typing
// (the caret stays after the digit typed) or a display picture applied on
// leaving, Enter and chosen arrows moving between fields, an optional move
// on when the field is full, and the katakana reading of what is typed
// through the input method. Whatever enters the text (keys, pasting from the
// keyboard, the menu or the middle button, dropping, the input method) is
// held to the one rule of AmountTextAllowed and the digit limit; amounts stay
// text throughout.
#include "ui/KeyStyles.h"
#include "ui/NumericText.h"
#include "ui/PreeditReading.h"
#include "ui/forms/TxEdit.h"

#include <QClipboard>
#include <QLineEdit>

#include <cstdint>

namespace vq::ui {

enum TKanaMode { kmNone, kmZenkaku, kmHankaku };
enum TZeroKey { zkNone, zkDot, zkPlus, zkMinus, zkAsterisk, zkSlash };
enum TAutoNextCtl : std::uint8_t { acMaxLength = 1, acTabKey = 2, acDownKey = 4, acSendEnter = 8 };
using TAutoNextCtls = std::uint8_t;

class TVorlenEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TVorlenEdit(QWidget* parent = nullptr);

    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment value);
    using QLineEdit::setAlignment;
    TAutoNextCtls AutoNextCtls() const { return autoNext_; }
    void setAutoNextCtls(TAutoNextCtls value) { autoNext_ = value & 0x0F; }
    TAutoNextCtls AutoNextCtls_Result() const { return autoNextResult_; }
    TEditStyle EditStyle() const { return editStyle_; }
    void setEditStyle(TEditStyle value) { editStyle_ = value; }
    // The captured reading; the owner reads and clears it.
    const QString& Kana() const { return kana_; }
    void setKana(const QString& value) { kana_ = value; }
    TKanaMode KanaMode() const { return kanaMode_; }
    void setKanaMode(TKanaMode value) { kanaMode_ = value; }
    bool KillPaste() const { return killPaste_; }
    void setKillPaste(bool value) { killPaste_ = value; }
    TKeyStyles KeyStyles() const { return keyStyles_; }
    void setKeyStyles(TKeyStyles value) { keyStyles_ = value; }
    const QString& OutputFormat() const { return outputFormat_; }
    void setOutputFormat(const QString& value) { outputFormat_ = value; }
    bool Comma() const { return comma_; }
    void setComma(bool value);
    TZeroKey Zero2Key() const { return zero2_; }
    void setZero2Key(TZeroKey value) { zero2_ = value; }
    TZeroKey Zero3Key() const { return zero3_; }
    void setZero3Key(TZeroKey value) { zero3_ = value; }
    bool ImeOnFlg() const { return imeOn_; }
    bool AllowBlank() const { return allowBlank_; }
    void setAllowBlank(bool value) { allowBlank_ = value; }
    bool EnterKeyNoBeep() const { return enterNoBeep_; }
    void setEnterKeyNoBeep(bool value) { enterNoBeep_ = value; }
    TImeMode ImeMode() const { return imeMode_; }
    void setImeMode(TImeMode value);
    // The digits allowed, separators not counted (0 = no limit).
    int MaxLength() const { return maxDigits_; }
    void setMaxLength(int value);

    // The display picture applied to text (on leaving the field).
    void ApplyFormat(const QString& text);
    // Typed text put in at the caret (replacing the selection), cut to MaxLength.
    void InsertText(const QString& text);

signals:
    void imeStatusChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool pasteLocked() const { return killPaste_ && imeMode_ == imDisable; }
    bool keyDown(QKeyEvent* event);
    bool keyPress(QChar key, QKeyEvent* event);
    void changed();
    // Where typed text would go and what the edit would then hold.
    struct Insertion {
        QString text;   // the whole text afterwards
        int at = 0;     // where the piece starts
        QString piece;  // the typed text, cut to the digit limit
    };
    Insertion insertion(const QString& typed) const;
    void pasteText(QClipboard::Mode mode);
    void appendReading(const QString& piece);
    int digitLength() const;
    QChar zeroChar(TZeroKey key) const;
    void moveOn(bool next);

    TAlignment alignment_ = taLeftJustify;
    TAutoNextCtls autoNext_ = 0;
    TAutoNextCtls autoNextResult_ = 0;
    TEditStyle editStyle_ = esNone;
    QString kana_;
    TKanaMode kanaMode_ = kmNone;
    bool killPaste_ = false;
    TKeyStyles keyStyles_{ksEnter};
    QString outputFormat_;
    bool comma_ = false;
    TZeroKey zero2_ = zkNone;
    TZeroKey zero3_ = zkNone;
    bool imeOn_ = false;
    bool allowBlank_ = false;
    bool enterNoBeep_ = false;
    TImeMode imeMode_ = imDontCare;
    int maxDigits_ = 0;
    bool typing_ = false;
    bool formatting_ = false;
    PreeditReading preedit_;
};

} // namespace vq::ui
