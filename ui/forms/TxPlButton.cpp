#include "ui/forms/TxPlButton.h"

#include "ui/FormFont.h"
#include "ui/forms/FormModalResult.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QApplication>
#include <QMetaMethod>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace vq::ui {

namespace {

constexpr int roundCorner = 10;

} // namespace

bool TxPlBtnImage::loadPicture(const QString& file)
{
    QImageReader reader(file);
    const QByteArray format = reader.format().toLower();
    Picture = QPixmap();
    if (format != "bmp" && format != "ico" && format != "dib")
        return false;
    Picture = QPixmap::fromImageReader(&reader);
    return !Picture.isNull();
}

TxPlButton::TxPlButton(QWidget* parent)
    : QWidget(parent)
{
    resize(75, 26);
    setFont(formFont());
    setAttribute(Qt::WA_Hover);
    updateFocusPolicy();
}

TxPlButton::~TxPlButton()
{
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
}

void TxPlButton::setButtonStyle(TxPlButtonStyle value)
{
    style_ = value;
    updateRegion();
    update();
}

void TxPlButton::setGradation(bool value)
{
    gradation_ = value;
    if (value)
        parentColor_ = false;
    update();
}

void TxPlButton::setGradBeginColor(TColor value)
{
    changeAndRepaint(gradBegin_, value);
}

void TxPlButton::setGradEndColor(TColor value)
{
    changeAndRepaint(gradEnd_, value);
}

void TxPlButton::setHasFocus(bool value)
{
    if (hasFocus_ != value) {
        hasFocus_ = value;
        updateFocusPolicy();
        update();
    }
}

void TxPlButton::setImage(const TxPlBtnImage& value)
{
    image_ = value;
    update();
}

void TxPlButton::setCaptionA(const TxPlBtnCaption& value)
{
    captionA_ = value;
    captionASet_ = true;
    update();
}

void TxPlButton::setCaptionB(const TxPlBtnCaption& value)
{
    captionB_ = value;
    update();
}

void TxPlButton::setCaptionAText(const QString& text)
{
    captionA_.Caption = text;
    captionASet_ = true;
    update();
}

void TxPlButton::setCaptionBText(const QString& text)
{
    captionB_.Caption = text;
    update();
}

void TxPlButton::setCaptionLineSpace(int value)
{
    changeAndRepaint(lineSpace_, value);
}

void TxPlButton::setCaptionTop(int value)
{
    captionTop_ = value;
    vertCenter_ = false;
    update();
}

void TxPlButton::setCaptionVertCenter(bool value)
{
    vertCenter_ = value;
    if (value)
        update();
}

void TxPlButton::setFlatFrameType(TxPlBtnFrameType value)
{
    changeAndRepaint(frameType_, value);
}

void TxPlButton::setColor(TColor value)
{
    color_ = value;
    parentColor_ = false;
    update();
}

void TxPlButton::setParentColor(bool value)
{
    parentColor_ = value;
    update();
}

void TxPlButton::setFontColor(TColor value)
{
    fontColor_ = value;
    update();
}

void TxPlButton::updateFocusPolicy()
{
    setFocusPolicy(hasFocus_ ? Qt::StrongFocus : Qt::NoFocus);
}

void TxPlButton::updateRegion()
{
    if (style_ == bsRoundRect || style_ == bsRoundRectNoFrame) {
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, width() + 1, height() + 1), roundCorner / 2.0, roundCorner / 2.0);
        setMask(QRegion(path.toFillPolygon().toPolygon()));
    } else {
        clearMask();
    }
}

void TxPlButton::watchWindow()
{
    QWidget* w = window();
    if (w == this || w == watchedWindow_)
        return;
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
    watchedWindow_ = w;
    w->installEventFilter(this);
}

bool TxPlButton::hasClickHandler() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&TxPlButton::clicked));
}

void TxPlButton::Click()
{
    pressed_ = false;
    QWidget* form = window();
    vq::ui::setModalResult(form, modalResult_);
    emit clicked();
    update();
    closeWithModalResult(form);
}

QString TxPlButton::lineText(const TxPlBtnCaption& line, bool first) const
{
    // A button whose first line was never given shows its name.
    if (first && !captionASet_)
        return objectName();
    return line.Caption;
}

void TxPlButton::drawLine(QPainter& p, const TxPlBtnCaption& line, const QString& text, int top, int offset,
                          const QColor& color)
{
    if (text.isEmpty())
        return;
    const QFontMetrics fm(font());
    const int baseline = top + offset + fm.ascent();
    p.setPen(color);
    switch (line.Alignment) {
    case TxPlBtnAlignment::taLeft:
        p.drawText(line.Left + 2 + offset, baseline, text);
        return;
    case TxPlBtnAlignment::taRight:
        p.drawText(width() - line.Right - 2 - fm.horizontalAdvance(text) + offset, baseline, text);
        return;
    case TxPlBtnAlignment::taCenter:
        p.drawText(width() / 2 - fm.horizontalAdvance(text) / 2 + offset, baseline, text);
        return;
    case TxPlBtnAlignment::taEven:
        break;
    }
    const auto chars = text.toUcs4();
    const int n = static_cast<int>(chars.size());
    if (n <= 1) {
        p.drawText(width() / 2 - fm.horizontalAdvance(text) / 2 + offset, baseline, text);
        return;
    }
    const int left = line.Left + 2;
    const int span = width() - line.Right - 2 - left;
    const int free = span - fm.horizontalAdvance(text);
    const int gap = free / (n - 1);
    const int extra = free % (n - 1);
    int x = left;
    for (int i = 0; i < n; ++i) {
        const char32_t code = chars[i];
        const QString ch = QString::fromUcs4(&code, 1);
        p.drawText(x + offset, baseline, ch);
        x += fm.horizontalAdvance(ch) + gap + (i < extra ? 1 : 0);
    }
}

void TxPlButton::drawFrame(QPainter& p)
{
    const QRect r = rect();
    switch (style_) {
    case bsNormal:
        if (pressed_) {
            p.setPen(toQColor(clBtnShadow));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.setPen(toQColor(clGray));
            p.drawRect(r.adjusted(1, 1, -2, -2));
        } else {
            qDrawWinButton(&p, r, palette(), false, nullptr);
        }
        return;
    case bsFlat:
        switch (frameType_) {
        case bffFlat:
            p.setPen(toQColor(clBtnShadow));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            return;
        case bffEtched:
            qDrawShadeRect(&p, r, palette(), true, 1, 0, nullptr);
            return;
        case bffBump:
            qDrawShadeRect(&p, r, palette(), false, 1, 0, nullptr);
            return;
        }
        return;
    case bsRoundRect:
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor(0x75, 0x75, 0x75));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), roundCorner / 2.0, roundCorner / 2.0);
        return;
    case bsFlatNoFrame:
    case bsRoundRectNoFrame:
        return;
    }
}

void TxPlButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width();
    const int h = height();

    // Background.
    if (gradation_) {
        const QColor qb = toQColor(gradBegin_), qe = toQColor(gradEnd_);
        for (int y = 0; y < h; ++y) {
            if (h <= 1) {
                p.setPen(qb);
            } else {
                auto mix = [&](int from, int to) { return from + y * (to - from) / (h - 1); };
                p.setPen(QColor(mix(qb.red(), qe.red()), mix(qb.green(), qe.green()), mix(qb.blue(), qe.blue())));
            }
            p.drawLine(0, y, w - 1, y);
        }
    } else if (!parentColor_) {
        p.fillRect(rect(), toQColor(color_));
    }

    const int offset = (pressed_ && hasFocus_) ? 1 : 0;

    // Picture.
    if (image_.Visible && !image_.Picture.isNull()) {
        if (image_.VertCenter)
            image_.Top = (h - image_.Picture.height()) / 2;
        if (image_.HorzCenter)
            image_.Left = (w - image_.Picture.width()) / 2;
        if (image_.TransParent) {
            QPixmap pm = image_.Picture;
            // The colour of the bottom-left pixel is the transparent one.
            const QImage img = pm.toImage();
            const QColor key = img.pixelColor(0, img.height() - 1);
            pm.setMask(pm.createMaskFromColor(key, Qt::MaskInColor));
            p.drawPixmap(image_.Left, image_.Top, pm);
        } else if (!isEnabled() && hasFocus_) {
            const QPixmap grey = style()->generatedIconPixmap(QIcon::Disabled, image_.Picture, nullptr);
            p.drawPixmap(image_.Left + offset, image_.Top + offset, grey);
        } else {
            p.drawPixmap(image_.Left + offset, image_.Top + offset, image_.Picture);
        }
    }

    // Captions.
    p.setFont(font());
    const QFontMetrics fm(font());
    const QString textA = lineText(captionA_, true);
    const QString textB = lineText(captionB_, false);
    const int lh = fm.height();
    int topA = captionTop_;
    int topB = 0;
    if (vertCenter_) {
        if (!textB.isEmpty())
            topA = (h - 2 * lh - lineSpace_) / 2;
        else
            topA = (h - lh) / 2 + 1;
        captionTop_ = topA;
        if (!textA.isEmpty()) {
            topB = topA + lh + lineSpace_;
        } else {
            topB = (h - fm.height()) / 2;
            captionTop_ = topB;
        }
    } else {
        topB = captionTop_ + (textA.isEmpty() ? 0 : lh + lineSpace_);
    }
    if (isEnabled()) {
        const QColor c = toQColor(fontColor_);
        drawLine(p, captionA_, textA, topA, offset, c);
        drawLine(p, captionB_, textB, topB, offset, c);
    } else if (hasFocus_) {
        // Engraved: highlight one pixel down-right (the offset moves both x
        // and y), shadow at the place.
        drawLine(p, captionA_, textA, topA, offset + 1, toQColor(clBtnHighlight));
        drawLine(p, captionA_, textA, topA, offset, toQColor(clBtnShadow));
        drawLine(p, captionB_, textB, topB, offset + 1, toQColor(clBtnHighlight));
        drawLine(p, captionB_, textB, topB, offset, toQColor(clBtnShadow));
    } else {
        const QColor c = toQColor(clGrayText);
        drawLine(p, captionA_, textA, topA, offset, c);
        drawLine(p, captionB_, textB, topB, offset, c);
    }

    drawFrame(p);

    // Focus mark.
    if (hasFocus_ && hasFocus()) {
        QPen pen(QColor(0x20, 0x20, 0x20));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        if (style_ == bsRoundRect || style_ == bsRoundRectNoFrame) {
            p.drawRoundedRect(QRect(2, 2, w - 5, h - 5), 4, 4);
        } else {
            QRect f(3, 3, w - 7, h - 7);
            if (style_ == bsFlat && frameType_ == bffBump)
                f.adjust(0, 0, 1, 1);
            else if (style_ == bsFlat && frameType_ == bffEtched)
                f.adjust(0, 0, -1, -1);
            p.drawRect(f);
        }
    }
}

void TxPlButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateRegion();
    update();
}

void TxPlButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && isEnabled()) {
        event->accept();
        const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && hasFocus_)
            Click();
        else
            emit clicked(); // with a modifier held: the handler only, no result
        return;
    }
    QWidget::keyPressEvent(event);
}

void TxPlButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        pressed_ = false;
        update();
    }
    QWidget::keyReleaseEvent(event);
}

void TxPlButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (hasFocus_)
            setFocus(Qt::MouseFocusReason);
        pressed_ = true;
        held_ = true;
        update();
    }
    QWidget::mousePressEvent(event);
}

void TxPlButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const bool wasHeld = held_;
        held_ = false;
        pressed_ = false;
        update();
        if (wasHeld && rect().contains(event->position().toPoint()))
            Click();
    }
    QWidget::mouseReleaseEvent(event);
}

void TxPlButton::enterEvent(QEnterEvent* event)
{
    // Back over the button with the left button still down: pressed again.
    if (held_ && (QApplication::mouseButtons() & Qt::LeftButton))
        pressed_ = true;
    emit mouseEntered();
    update();
    QWidget::enterEvent(event);
}

void TxPlButton::leaveEvent(QEvent* event)
{
    emit mouseLeft();
    pressed_ = false;
    update();
    QWidget::leaveEvent(event);
}

void TxPlButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TxPlButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TxPlButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange)
        update();
    if (event->type() == QEvent::ParentChange && isVisible())
        watchWindow();
    QWidget::changeEvent(event);
}

void TxPlButton::showEvent(QShowEvent* event)
{
    watchWindow();
    QWidget::showEvent(event);
}

bool TxPlButton::eventFilter(QObject* watched, QEvent* event)
{
    // Esc reaches the form when the focused control did not want it; the
    // cancel button takes it then, as the dialog key of the form.
    if (watched == watchedWindow_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier && cancel_ && hasFocus_ &&
            isVisible() && isEnabled()) {
            key->accept();
            Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vq::ui
