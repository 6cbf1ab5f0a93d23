#include "ui/forms/TMessageBox2.h"

#include "platform/Interaction.h"
#include "ui/FormFont.h"
#include "ui/Message2Catalogue.h"
#include "ui/ModalResult.h"
#include "ui/forms/QtInteraction.h"
#include "ui/forms/TxCheckBox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace vq::ui {

namespace {

// The designed form (96 dpi).
constexpr int designClientWidth = 500;
constexpr int widthAllowance = 30;
constexpr int bottomHeight = 38;
constexpr int agreeHeight = 28;
constexpr int clientPanelHeight = 269;
constexpr int labelLeft = 80;
constexpr int labelTop = 24;
constexpr int labelStep = 24;
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 25;
constexpr int buttonTop = 3;
constexpr int buttonGap = 10;
constexpr int iconSize = 41;
constexpr const char* linkProperty = "vqLink";

int px(int designValue)
{
    return scaledFromDesign(designValue);
}

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

int labelTopOf(int i) // 0-based label index
{
    return px(labelTop + labelStep * i);
}

} // namespace

TMessageBox2::TMessageBox2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
{
    setFont(formFont());
    pnlClient_ = new QWidget(this);
    pnlClient_->setObjectName(QStringLiteral("pnlClient"));
    pnlAgree_ = new QWidget(this);
    pnlAgree_->setObjectName(QStringLiteral("pnlAgree"));
    pnlBottom_ = new QWidget(this);
    pnlBottom_->setObjectName(QStringLiteral("pnlBottom"));

    image_ = new QLabel(pnlClient_);
    image_->setObjectName(QStringLiteral("Image1"));
    image_->setGeometry(px(24), px(16), px(iconSize), px(iconSize));
    for (int i = 0; i < message2LineCount; ++i) {
        auto* l = new QLabel(pnlClient_);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        l->setTextFormat(Qt::PlainText);
        l->move(px(labelLeft), labelTopOf(i));
        l->installEventFilter(this);
        labels_[static_cast<std::size_t>(i)] = l;
    }

    agree_ = new TxCheckBox(QStringLiteral("同意する"), pnlAgree_);
    agree_->setObjectName(QStringLiteral("btnAgree"));
    agree_->move(px(labelLeft), px(4));
    connect(agree_, &QAbstractButton::clicked, this, [this] { updateAgreeButton(); });

    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(pnlBottom_);
        b->setObjectName(QStringLiteral("btnButton%1").arg(i + 1));
        b->setAutoDefault(true);
        b->setGeometry(0, px(buttonTop), px(buttonWidth), px(buttonHeight));
        // A button's result becomes the box's; a button without one (Help)
        // leaves the box open, as a result of 0 does not end a modal form.
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (const int result = results_[static_cast<std::size_t>(i)]; result != mrNone)
                done(result);
        });
        buttons_[static_cast<std::size_t>(i)] = b;
    }
    InitMessage2Info(2, rec_);
}

void TMessageBox2::SetPredefined(std::int32_t code)
{
    applyPredefinedMessage2(code, rec_);
}

void TMessageBox2::ApplyInfo(const TMessage2InfoRec& info)
{
    rec_ = info;
    SetPredefined(rec_.Code);

    for (auto* l : labels_) {
        l->clear();
        l->unsetCursor();
        l->setPalette(QPalette());
        QFont f = font();
        l->setFont(f);
        l->setProperty(linkProperty, QVariant());
    }

    setWindowTitle(qs(rec_.Caption));
    QStyle::StandardPixmap pix{};
    bool hasIcon = true;
    switch (rec_.Kind) {
    case 0: pix = QStyle::SP_MessageBoxWarning; break;
    case 1: pix = QStyle::SP_MessageBoxCritical; break;
    case 2: pix = QStyle::SP_MessageBoxInformation; break;
    case 3: pix = QStyle::SP_MessageBoxQuestion; break;
    default: hasIcon = false; break;
    }
    image_->resize(px(iconSize), px(iconSize));
    image_->setPixmap(hasIcon ? style()->standardIcon(pix).pixmap(px(iconSize), px(iconSize)) : QPixmap());

    int widest = 0;
    for (int i = 0; i < message2LineCount; ++i) {
        const auto& line = rec_.Lines[static_cast<std::size_t>(i)];
        QLabel* l = labels_[static_cast<std::size_t>(i)];
        l->setText(qs(line.Text));
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, toQColor(line.Color));
        if (!line.Link.empty()) {
            l->setProperty(linkProperty, qs(line.Link));
            l->setCursor(Qt::PointingHandCursor);
            pal.setColor(QPalette::WindowText, toQColor(clBlue));
            QFont f = l->font();
            f.setUnderline(true);
            l->setFont(f);
        }
        l->setPalette(pal);
        l->adjustSize();
        l->move(px(labelLeft), labelTopOf(i));
        widest = std::max(widest, l->geometry().right() + 1);
    }
    clientWidth_ = std::max(widest, px(designClientWidth)) + px(widthAllowance);

    const int n = countedLines(rec_);
    if (n < 2)
        textArea_ = labelTopOf(2);
    else if (n <= 8)
        textArea_ = labelTopOf(n + 1);
    else
        textArea_ = px(clientPanelHeight);

    // Buttons: the first three of the set, in display order.
    for (auto* b : buttons_)
        b->hide();
    const auto shown = shownButtons(rec_.Buttons);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto& spec = message2Button(shown[i]);
        QPushButton* b = buttons_[i];
        results_[i] = spec.result;
        b->setText(QString::fromUtf8(spec.caption));
        b->resize(px(buttonWidth), px(buttonHeight));
        if (!rec_.ButtonCaptions[i].empty()) {
            const QString caption = qs(rec_.ButtonCaptions[i]);
            b->setText(caption);
            const int wanted = static_cast<int>(QFontMetrics(b->font()).horizontalAdvance(caption) * 1.3);
            if (wanted > b->width())
                b->resize(wanted, b->height());
        }
        b->setEnabled(true);
        b->show();
    }
    layoutButtons();
}

void TMessageBox2::layoutButtons()
{
    const int w = clientWidth_;
    const int gap = px(buttonGap);
    std::vector<QPushButton*> shown;
    for (auto* b : buttons_)
        if (!b->isHidden())
            shown.push_back(b);
    if (shown.size() == 1) {
        shown[0]->move((w - shown[0]->width()) / 2, px(buttonTop));
    } else if (shown.size() == 2) {
        shown[0]->move(w / 2 - gap - shown[0]->width(), px(buttonTop));
        shown[1]->move(w / 2 + gap, px(buttonTop));
    } else if (shown.size() == 3) {
        const int middle = (w - shown[1]->width()) / 2;
        shown[1]->move(middle, px(buttonTop));
        shown[0]->move(middle - gap - shown[0]->width(), px(buttonTop));
        shown[2]->move(middle + shown[1]->width() + gap, px(buttonTop));
    }
}

void TMessageBox2::updateAgreeButton()
{
    if (rec_.AgreeMode == 1 && !pnlAgree_->isHidden())
        buttons_[0]->setEnabled(agree_->isChecked());
}

void TMessageBox2::Refresh()
{
    SetPredefined(code_);
    ApplyInfo(rec_);

    pnlAgree_->hide();
    if (effectiveAgreeMode(rec_) == 0)
        rec_.AgreeMode = 0;
    int agreeH = 0;
    if (rec_.AgreeMode != 0) {
        pnlAgree_->show();
        agree_->setText(qs(rec_.AgreeCaption));
        agree_->adjustSize();
        agree_->setChecked(rec_.Agreed);
        agreeH = px(agreeHeight);
        updateAgreeButton();
    }

    pnlClient_->setGeometry(0, 0, clientWidth_, textArea_);
    pnlAgree_->setGeometry(0, textArea_, clientWidth_, agreeH);
    pnlBottom_->setGeometry(0, textArea_ + agreeH, clientWidth_, px(bottomHeight));
    setFixedSize(clientWidth_, textArea_ + agreeH + px(bottomHeight));
    setResult(mrNone);
}

bool TMessageBox2::GetAgreeState() const
{
    return agree_->isChecked();
}

void TMessageBox2::reject()
{
    done(mrCancel);
}

void TMessageBox2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (rec_.AgreeMode == 1 && !pnlAgree_->isHidden()) {
        agree_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (rec_.DefaultButton >= 0 && rec_.DefaultButton < 3) {
        QPushButton* b = buttons_[static_cast<std::size_t>(rec_.DefaultButton)];
        if (!b->isHidden() && b->isEnabled())
            b->setFocus(Qt::OtherFocusReason);
    }
}

void TMessageBox2::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // closes on release
        return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool copyKey = event->key() == Qt::Key_C ||
                         (event->key() == Qt::Key_3 && (event->modifiers() & Qt::KeypadModifier)) ||
                         event->key() == Qt::Key_PageDown; // keypad 3 with Num Lock off
    if (ctrl && copyKey) {
        QApplication::clipboard()->setText(QString::fromStdString(message2ClipboardText(rec_)));
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMessageBox2::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat()) {
        event->accept();
        done(mrCancel);
        return;
    }
    QDialog::keyReleaseEvent(event);
}

bool TMessageBox2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* l = qobject_cast<QLabel*>(watched);
        const QVariant link = l ? l->property(linkProperty) : QVariant();
        if (l && link.isValid() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            vq::platform::interaction().openUrl(link.toString().toStdString());
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, toQColor(clPurple));
            l->setPalette(pal);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int ShowMessage2(TMessage2InfoRec& info)
{
    if (!qtInteractionInstalled()) {
        TMessage2InfoRec shown = info;
        applyPredefinedMessage2(shown.Code, shown);
        return vq::platform::interaction().message(toMessageRequest(shown));
    }
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    TMessageBox2 box(owner);
    box.setCode(info.Code);
    box.ApplyInfo(info);
    box.Refresh();
    const int result = box.exec();
    info.Agreed = box.GetAgreeState();
    return result;
}

} // namespace vq::ui
