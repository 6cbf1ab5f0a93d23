#pragma once
// What the three fiscal-period panels share: a row of equal cells in a
// sunken frame, chosen by clicking, dragging or the arrow keys. The choice is
// reported through mouseUp, which fires for a mouse selection and as the
// commit of a keyboard selection (left button, position 0, 0).
#include "ui/Color.h"
#include "ui/KikanCells.h"

#include <QFrame>
#include <QLabel>

#include <vector>

namespace vq::ui {

// One cell: a plain panel named "No<n>" whose Tag is its 0-based index.
class KikanCell : public QLabel {
    Q_OBJECT
public:
    KikanCell(int index, QWidget* parent);
    int index() const { return index_; }
    bool cellEnabled() const { return enabled_; }
    void setCellEnabled(bool value) { enabled_ = value; }
    void setColours(const QColor& back, const QColor& text);
    QColor backColour() const { return back_; }
    QColor textColour() const { return text_; }
    // Takes base, made smaller where the label would not fit the cell
    // ("10" of a 14-pixel cell), so neighbouring labels never run together.
    void fitFont(const QFont& base);

private:
    int index_;
    bool enabled_ = true;
    QColor back_;
    QColor text_;
};

class KikanPanel : public QFrame {
    Q_OBJECT
public:
    int Stno() const { return stno_; }
    int Edno() const { return edno_; }
    TColor BackColor() const { return backColor_; }
    void setBackColor(TColor value);
    TColor FontColor() const { return fontColor_; }
    void setFontColor(TColor value);
    bool KikanMove() const { return kikanMove_; }
    void setKikanMove(bool value);
    bool KBDMOUSE() const { return kbdMouse_; }
    void setKBDMOUSE(bool value) { kbdMouse_ = value; }

    // The fiscal year: closing day (1-28, 99 month end), start, end and the
    // first open date (the date from which the data set holds entries).
    virtual void SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen) = 0;
    virtual void UpdateCells();

    int cellCount() const { return static_cast<int>(cells_.size()); }
    KikanCell* cell(int i) const { return cells_[static_cast<std::size_t>(i)]; }
    int firstSelectable() const { return firstSel_; }
    int lastSelectable() const { return lastSel_; }

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void doubleClicked();

protected:
    KikanPanel(int cells, QWidget* parent);

    // Cells of the closed months (below KakuteiMNo) keep their own colours
    // when not selected; the 4-cell panel has none.
    virtual bool closedCell(int) const { return false; }
    virtual QColor closedBack() const { return {}; }
    virtual QColor closedText() const { return {}; }
    // Background of selected cells while the panel is disabled.
    virtual QColor disabledSelection() const { return toQColor(clSilver); }
    // The 16-cell panel clears KBDMOUSE before its Enter commit.
    virtual bool clearsKbdMouseOnEnter() const { return false; }

    // Keeps the calendar SetKikan was given. A closing day the calendar does
    // not know only beeps; the dates are then taken as they are.
    void storeCalendar(int simeDay, double yearStart, double yearEnd, double firstOpen);
    // A property the cells show: a new value repaints them, the same value
    // costs nothing.
    template <typename T>
    void changeAndUpdate(T& field, T value)
    {
        if (field != value) {
            field = value;
            UpdateCells();
        }
    }

    void applyLayout(const KikanLayout& layout);
    void layoutCells();
    void colourRange(int from, int to);
    void commitKeyboard();

    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    void CellMouseDown(KikanCell* cell, QMouseEvent* event);
    void CellMouseMove(KikanCell* cell, QMouseEvent* event);
    void CellMouseUp(KikanCell* cell, QMouseEvent* event);

    std::vector<KikanCell*> cells_;
    int stno_ = 0;
    int edno_ = 0;
    int anchor_ = 0;
    int end_ = 0;
    bool dragging_ = false;
    int firstSel_ = 0;
    int lastSel_ = 0;
    TColor backColor_ = clNavy;
    TColor fontColor_ = clWhite;
    bool kikanMove_ = true;
    bool kbdMouse_ = false;
    bool resizing_ = false;
    // The stored calendar.
    int simeDay_ = 99;
    double yearStart_ = 0, yearEnd_ = 0, firstOpen_ = 0;
};

// The 16- and 12-cell panels: one cell per month, with the closed months
// (below KakuteiMNo) in colours of their own, starting on this year's calendar.
class KakuteiKikanPanel : public KikanPanel {
    Q_OBJECT
public:
    bool KakuteiMode() const { return mode_; }
    void setKakuteiMode(bool value);
    int KakuteiMNo() const { return count_; }
    void setKakuteiMNo(int value);
    TColor KakuteiBackColor() const { return back_; }
    void setKakuteiBackColor(TColor value);
    TColor KakuteiFontColor() const { return font_; }
    void setKakuteiFontColor(TColor value);

protected:
    KakuteiKikanPanel(int cells, QWidget* parent);

    // Called by the panel's own constructor, once SetKikan can reach it.
    void startWithCurrentYear();

    bool closedCell(int i) const override { return mode_ && i < count_; }
    QColor closedBack() const override { return toQColor(back_); }
    QColor closedText() const override { return toQColor(font_); }

    bool mode_ = false;
    int count_ = 0;
    TColor back_ = 0x4080FF;
    TColor font_ = clWhite;
};

} // namespace vq::ui
