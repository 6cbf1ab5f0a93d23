#pragma once
// The push button of every library screen: a painted panel with up to two
// caption lines ("F12:選択" over "実行"), an optional picture, a vertical
// gradient, five frame styles and the closing behaviour of a dialog button
// (modal result, Enter when focused, Esc when it is the cancel button).
#include "ui/Color.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace vq::ui {

// Scoped: the names taCenter ... are also those of the edit's alignment.
enum class TxPlBtnAlignment { taCenter, taLeft, taRight, taEven };
enum TxPlButtonStyle { bsNormal, bsFlat, bsFlatNoFrame, bsRoundRect, bsRoundRectNoFrame };
enum TxPlBtnFrameType { bffFlat, bffEtched, bffBump };

// One caption line and the margins its alignment uses.
struct TxPlBtnCaption {
    QString Caption;
    TxPlBtnAlignment Alignment = TxPlBtnAlignment::taCenter;
    int Left = 0;
    int Right = 0;
};

// The picture. Only bitmaps and icons are taken; anything else leaves it empty.
struct TxPlBtnImage {
    QPixmap Picture;
    int Left = 10;
    int Top = 0;
    bool Visible = true;
    bool TransParent = false;
    bool VertCenter = true;
    bool HorzCenter = false;

    // Loads a .bmp or .ico file; another kind of file empties the picture.
    bool loadPicture(const QString& file);
};

class TxPlButton : public QWidget {
    Q_OBJECT
public:
    explicit TxPlButton(QWidget* parent = nullptr);
    ~TxPlButton() override;

    TxPlButtonStyle ButtonStyle() const { return style_; }
    void setButtonStyle(TxPlButtonStyle value);
    bool Cancel() const { return cancel_; }
    void setCancel(bool value) { cancel_ = value; }
    bool Gradation() const { return gradation_; }
    void setGradation(bool value);
    TColor GradBeginColor() const { return gradBegin_; }
    void setGradBeginColor(TColor value);
    TColor GradEndColor() const { return gradEnd_; }
    void setGradEndColor(TColor value);
    bool HasFocus() const { return hasFocus_; }
    void setHasFocus(bool value);
    int ModalResult() const { return modalResult_; }
    void setModalResult(int value) { modalResult_ = value; }
    const TxPlBtnImage& Image() const { return image_; }
    void setImage(const TxPlBtnImage& value);
    const TxPlBtnCaption& CaptionA() const { return captionA_; }
    void setCaptionA(const TxPlBtnCaption& value);
    const TxPlBtnCaption& CaptionB() const { return captionB_; }
    void setCaptionB(const TxPlBtnCaption& value);
    // Shorthands for the caption texts.
    void setCaptionAText(const QString& text);
    void setCaptionBText(const QString& text);
    int CaptionLineSpace() const { return lineSpace_; }
    void setCaptionLineSpace(int value);
    int CaptionTop() const { return captionTop_; }
    void setCaptionTop(int value);
    bool CaptionVertCenter() const { return vertCenter_; }
    void setCaptionVertCenter(bool value);
    TxPlBtnFrameType FlatFrameType() const { return frameType_; }
    void setFlatFrameType(TxPlBtnFrameType value);
    TColor Color() const { return color_; }
    void setColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void setParentColor(bool value);
    TColor FontColor() const { return fontColor_; }
    void setFontColor(TColor value);

    bool isPressed() const { return pressed_; }
    // Something handles the click (a dialog's F12 clicks only such a button).
    bool hasClickHandler() const;

    // The button's click: sets the form's modal result to ModalResult (also
    // 0), runs the click handlers, and closes a modal form whose result is
    // still set afterwards.
    void Click();

signals:
    void clicked();
    void mouseEntered();
    void mouseLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A drawn property: a new value repaints the button, the same value does not.
    template <typename T>
    void changeAndRepaint(T& field, T value)
    {
        if (field != value) {
            field = value;
            update();
        }
    }
    void updateRegion();
    void updateFocusPolicy();
    void watchWindow();
    QString lineText(const TxPlBtnCaption& line, bool first) const;
    void drawLine(QPainter& p, const TxPlBtnCaption& line, const QString& text, int top, int offset,
                  const QColor& color);
    void drawFrame(QPainter& p);

    TxPlButtonStyle style_ = bsNormal;
    bool cancel_ = false;
    bool gradation_ = true;
    TColor gradBegin_ = 0xFFFFFF;
    TColor gradEnd_ = 0xC0C0C0;
    bool hasFocus_ = true;
    int modalResult_ = 0;
    TxPlBtnImage image_;
    TxPlBtnCaption captionA_;
    TxPlBtnCaption captionB_;
    bool captionASet_ = false;
    int lineSpace_ = 4;
    int captionTop_ = 0;
    bool vertCenter_ = true;
    TxPlBtnFrameType frameType_ = bffFlat;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TColor fontColor_ = clWindowText;
    bool pressed_ = false;
    // The left button went down here and is not released yet; leaving and
    // coming back before the release keeps the click.
    bool held_ = false;
    QPointer<QWidget> watchedWindow_;
};

} // namespace vq::ui
