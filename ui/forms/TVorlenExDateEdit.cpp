#include "ui/forms/TVorlenExDateEdit.h"

#include "foundation/calendar/DayNumber.h"
#include "platform/Interaction.h"
#include "ui/FormFont.h"
#include "ui/SilentAbort.h"
#include "ui/SlotGuard.h"
#include "ui/forms/EditContextMenu.h"
#include "ui/forms/FocusMove.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <qdrawutil.h>

#include <cmath>

namespace vq::ui {

namespace {

constexpr int yearBox = 0, monthBox = 1, dayBox = 2, hourBox = 3, minuteBox = 4, secondBox = 5;
constexpr const char* badValueSetMessage = "正しくない日付時刻型の値がセットされました．　　";

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

bool isNumberBox(QObject* o)
{
    return qobject_cast<QLineEdit*>(o) != nullptr;
}

} // namespace

TVorlenExDateEditLabel::TVorlenExDateEditLabel(TVorlenExDateEdit* editor, QWidget* parent)
    : QWidget(parent)
    , editor_(editor)
{
    setFocusPolicy(Qt::NoFocus);
}

void TVorlenExDateEditLabel::setText(const QString& text)
{
    text_ = text;
    update();
}

void TVorlenExDateEditLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(editor_->LabelColor()));
    qDrawShadePanel(&p, rect(), palette(), false, 1, nullptr);
    p.setPen(Qt::black);
    p.setFont(editor_->font());
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text_);
}

TVorlenExDateEdit::TVorlenExDateEdit(QWidget* parent)
    : QWidget(parent)
    , minDate_(dateEntryEmptyMarker())
    , maxDate_(dateEntryEmptyMarker())
    , value_(dateEntryEmptyMarker())
{
    setFont(formFont());
    setFocusPolicy(Qt::NoFocus);
    labelTexts_ = {QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日"),
                   QStringLiteral("時"), QStringLiteral("分"), QStringLiteral("秒")};

    era_ = new QComboBox(this);
    era_->setObjectName(QStringLiteral("Gengo"));
    for (int i = 0; i < 6; ++i) {
        if (i == hourBox) {
            ampm_ = new QComboBox(this);
            ampm_->setObjectName(QStringLiteral("Ampm"));
            ampm_->addItems({QString::fromUtf8(amItem), QString::fromUtf8(pmItem)});
            ampm_->setCurrentIndex(-1);
        }
        auto* b = new QLineEdit(this);
        static const char* names[] = {"Year", "Month", "Day", "Hour", "Minute", "Second"};
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        b->setMaxLength(2);
        b->setAttribute(Qt::WA_InputMethodEnabled, false);
        b->setFrame(true);
        useEditContextMenu(b);
        boxes_[static_cast<std::size_t>(i)] = b;
        auto* l = new TVorlenExDateEditLabel(this, this);
        l->setText(labelTexts_[static_cast<std::size_t>(i)]);
        labels_[static_cast<std::size_t>(i)] = l;
        connect(b, &QLineEdit::textEdited, this, [this, b] { emit changed(b); });
    }
    for (QComboBox* c : {era_, ampm_}) {
        c->setAttribute(Qt::WA_InputMethodEnabled, false);
        connect(c, &QComboBox::activated, this, [this, c] {
            emit changed(c);
            emit clicked(c);
        });
    }
    for (QWidget* part : partsInOrder())
        part->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const bool inside = now && (now == this || isAncestorOf(now));
        if (focusInside_ && !inside) {
            focusInside_ = false;
            editorLostFocus();
        } else if (inside) {
            focusInside_ = true;
        }
    });
    refillEraCombo();
    setTabStop(true);
    relayout();
    Clear();
}

std::vector<QWidget*> TVorlenExDateEdit::partsInOrder() const
{
    return {era_, boxes_[yearBox], boxes_[monthBox], boxes_[dayBox], ampm_, boxes_[hourBox], boxes_[minuteBox],
            boxes_[secondBox]};
}

QLineEdit* TVorlenExDateEdit::box(DatePart part) const
{
    switch (part) {
    case DatePart::Year: return boxes_[yearBox];
    case DatePart::Month: return boxes_[monthBox];
    case DatePart::Day: return boxes_[dayBox];
    case DatePart::Hour: return boxes_[hourBox];
    case DatePart::Minute: return boxes_[minuteBox];
    case DatePart::Second: return boxes_[secondBox];
    default: return nullptr;
    }
}

QWidget* TVorlenExDateEdit::partWidget(DatePart part) const
{
    if (part == DatePart::Era)
        return era_;
    if (part == DatePart::Ampm)
        return ampm_;
    return box(part);
}

double TVorlenExDateEdit::MinDate() const
{
    return boundIsSet(minDate_) ? minDate_ : 0;
}

double TVorlenExDateEdit::MaxDate() const
{
    return boundIsSet(maxDate_) ? maxDate_ : 0;
}

void TVorlenExDateEdit::setMinDate(double value)
{
    setBound(minDate_, value);
}

void TVorlenExDateEdit::setMaxDate(double value)
{
    setBound(maxDate_, value);
}

void TVorlenExDateEdit::setBound(double& bound, double value)
{
    const double v = value == 0 ? dateEntryEmptyMarker() : value;
    if (v == bound)
        return;
    bound = v;
    rebuildEffectiveEras();
    if (!empty_)
        SetDateTime(value_);
}

void TVorlenExDateEdit::setEditStyle(TVorlenExDateEditStyle value)
{
    style_ = value;
    relayout();
    Clear();
}

void TVorlenExDateEdit::setEditGengo(bool value)
{
    editGengo_ = value;
    if (!value)
        gengo_ = rsSeireki;
    refillEraCombo();
    relayoutAndShow();
}

void TVorlenExDateEdit::setEditAmpm(bool value)
{
    editAmpm_ = value;
    relayoutAndShow();
}

void TVorlenExDateEdit::setLabelColor(TColor value)
{
    labelColor_ = value;
    for (auto* l : labels_)
        l->update();
}

void TVorlenExDateEdit::setLabelText(int index, const QString& text)
{
    if (index < 0 || index > 5)
        return;
    labelTexts_[static_cast<std::size_t>(index)] = text;
    labels_[static_cast<std::size_t>(index)]->setText(text);
    relayout();
}

void TVorlenExDateEdit::setSpaceWidth(int value)
{
    spaceWidth_ = value;
    relayout();
}

void TVorlenExDateEdit::setYeardigit(TVorlenExYeardigitSet value)
{
    yeardigit_ = value;
    relayoutAndShow();
}

void TVorlenExDateEdit::setUseWarekiTable(bool value)
{
    useWarekiTable_ = value;
    refillEraCombo();
}

void TVorlenExDateEdit::setGengo(TVorlenExRekiSet value)
{
    // What is typed is taken in under the old calendar, then shown in the new.
    // A wrong entry ends the caller's operation (after its one message) and
    // leaves the calendar as it was, so the parts still mean what was typed.
    const bool hadEntry = !empty_ || !boxes_[yearBox]->text().isEmpty();
    if (hadEntry)
        Validate();
    gengo_ = editGengo_ ? value : rsSeireki;
    refillEraCombo();
    relayoutAndShow();
}

void TVorlenExDateEdit::setDisableColor(TColor value)
{
    disableColor_ = value;
    recolour();
}

void TVorlenExDateEdit::setDisableFontColor(TColor value)
{
    disableFontColor_ = value;
    recolour();
}

void TVorlenExDateEdit::setColor(TColor value)
{
    color_ = value;
    recolour();
}

void TVorlenExDateEdit::setTabStop(bool value)
{
    tabStop_ = value;
    setFocusPolicy(Qt::NoFocus);
    for (QWidget* part : partsInOrder())
        part->setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TVorlenExDateEdit::SetWarekiTable(const TGengoArray& table)
{
    useWarekiTable_ = true;
    customTable_ = table;
    rebuildEffectiveEras();
}

void TVorlenExDateEdit::rebuildEffectiveEras()
{
    effective_ = effectiveEraList(customTable_, minDate_, maxDate_);
    refillEraCombo();
}

const TGengoArray& TVorlenExDateEdit::eraList() const
{
    static const TGengoArray system = systemEraList();
    return useWarekiTable_ && !effective_.empty() ? effective_ : system;
}

DateEntryConfig TVorlenExDateEdit::config() const
{
    DateEntryConfig c;
    c.style = style_;
    c.editGengo = editGengo_;
    c.editAmpm = editAmpm_;
    c.yeardigit = yeardigit_;
    c.gengo = gengo_;
    c.canEmpty = canEmpty_;
    c.minDate = minDate_;
    c.maxDate = maxDate_;
    c.eras = eraList();
    return c;
}

void TVorlenExDateEdit::refillEraCombo()
{
    const QString current = era_->currentText();
    era_->clear();
    for (const auto& item : eraItems(config()))
        era_->addItem(qs(item));
    era_->setCurrentIndex(era_->findText(current));
}

void TVorlenExDateEdit::relayoutAndShow()
{
    relayout();
    if (!empty_)
        showInParts(value_);
}

void TVorlenExDateEdit::relayout()
{
    if (!boxes_[secondBox]) // a font change while the parts are being made
        return;
    const QFontMetrics fm(font());
    const int rowHeight = 8 + fm.height();
    const ShownParts shown = shownParts(style_, editGengo_, editAmpm_);
    const int comboWidth = fm.horizontalAdvance(QStringLiteral("0000")) + 26;
    const int yearLength = yearBoxLength(config());
    const int wideBox = fm.horizontalAdvance(QStringLiteral("0000")) + 20;
    const int narrowBox = fm.horizontalAdvance(QStringLiteral("00")) + 16;
    const bool labelsInside = style_ == desYearMonth || style_ == desYear;

    for (QWidget* part : partsInOrder())
        part->hide();
    for (auto* l : labels_)
        l->hide();

    int right = 0;
    int bottom = rowHeight;
    auto place = [&](QWidget* w, int x, int y, int width) {
        w->setGeometry(x, y, width, rowHeight);
        w->setFont(font());
        w->show();
        right = std::max(right, x + width);
        return x + width;
    };
    // A run of boxes with their labels from x; returns the right edge of the last label.
    auto boxes = [&](int x, int y, std::initializer_list<int> which, bool inside) {
        int edge = x;
        bool first = true;
        for (int i : which) {
            QLineEdit* b = boxes_[static_cast<std::size_t>(i)];
            const bool year = i == yearBox;
            b->setMaxLength(year ? yearLength : 2);
            const int bx = first ? x : edge - 3;
            const int boxRight = place(b, bx, y, year && yearLength == 4 ? wideBox : narrowBox);
            auto* l = labels_[static_cast<std::size_t>(i)];
            const int lx = (inside && (i == yearBox || i == monthBox)) ? boxRight - 2 : boxRight;
            edge = place(l, lx, y, fm.horizontalAdvance(l->text()) + 14);
            first = false;
        }
        return edge;
    };

    int dateEdge = 0;
    if (shown.year) {
        int x = 0;
        if (shown.era)
            x = place(era_, 0, 0, comboWidth) - 2;
        std::vector<int> which{yearBox};
        if (shown.month)
            which.push_back(monthBox);
        if (shown.day)
            which.push_back(dayBox);
        switch (which.size()) {
        case 1: dateEdge = boxes(x, 0, {yearBox}, labelsInside); break;
        case 2: dateEdge = boxes(x, 0, {yearBox, monthBox}, labelsInside); break;
        default: dateEdge = boxes(x, 0, {yearBox, monthBox, dayBox}, labelsInside); break;
        }
    }
    if (spaceWidth_ < 0)
        bottom = 2 * rowHeight - spaceWidth_;
    if (shown.hour) {
        int x = 0, y = 0;
        if (shown.year) {
            if (spaceWidth_ >= 0)
                x = dateEdge + spaceWidth_;
            else
                y = rowHeight - spaceWidth_;
        }
        if (shown.ampm)
            x = place(ampm_, x, y, comboWidth) - 2;
        if (shown.second)
            boxes(x, y, {hourBox, minuteBox, secondBox}, false);
        else if (shown.minute)
            boxes(x, y, {hourBox, minuteBox}, false);
        else
            boxes(x, y, {hourBox}, false);
    }
    setFixedSize(std::max(right, 1), bottom);
    recolour();
}

void TVorlenExDateEdit::colourPart(QWidget* part, bool focused)
{
    QPalette pal = part->palette();
    const bool enabled = isEnabled();
    const QColor base = !enabled ? toQColor(disableColor_) : focused ? toQColor(focusedColor_) : toQColor(color_);
    const QColor text = enabled ? palette().color(QPalette::WindowText) : toQColor(disableFontColor_);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, base);
        pal.setColor(group, QPalette::Button, base);
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::ButtonText, text);
    }
    part->setPalette(pal);
}

void TVorlenExDateEdit::recolour()
{
    if (!boxes_[secondBox])
        return;
    era_->setEnabled(isEnabled());
    ampm_->setEnabled(isEnabled());
    for (QWidget* part : partsInOrder())
        colourPart(part, part->hasFocus());
    for (auto* l : labels_)
        l->update();
}

void TVorlenExDateEdit::Clear()
{
    era_->setCurrentIndex(-1);
    ampm_->setCurrentIndex(-1);
    for (auto* b : boxes_)
        b->clear();
    value_ = dateEntryEmptyMarker();
    empty_ = true;
}

void TVorlenExDateEdit::showInParts(double value)
{
    const ShownValue shown = showValue(config(), value);
    if (shown.dateShown) {
        if (editGengo_)
            era_->setCurrentIndex(gengo_ == rsSeireki ? 0 : era_->findText(qs(shown.parts.era)));
        boxes_[yearBox]->setText(qs(shown.parts.year));
        boxes_[monthBox]->setText(qs(shown.parts.month));
        boxes_[dayBox]->setText(qs(shown.parts.day));
    }
    if (shown.timeShown) {
        if (editAmpm_)
            ampm_->setCurrentIndex(ampm_->findText(qs(shown.parts.ampm)));
        boxes_[hourBox]->setText(qs(shown.parts.hour));
        boxes_[minuteBox]->setText(qs(shown.parts.minute));
        boxes_[secondBox]->setText(qs(shown.parts.second));
    }
}

void TVorlenExDateEdit::SetDateTime(double value)
{
    const bool representable = std::isfinite(value) && std::fabs(value) < 2958466.0; // up to 9999-12-31
    if (!representable)
        fail(badValueSetMessage, DatePart::First);
    const double kept = limitToBounds(keepStyledPart(style_, value), minDate_, maxDate_);
    if (kept > 0) {
        value_ = kept;
        empty_ = false;
        showInParts(kept);
    } else {
        Clear();
    }
}

double TVorlenExDateEdit::GetDateTime()
{
    Validate();
    return (!empty_ && value_ > 0) ? value_ : 0;
}

void TVorlenExDateEdit::Validate()
{
    if (!editGengo_)
        era_->setCurrentIndex(-1);
    DateEntryParts parts;
    parts.era = era_->currentText().toStdString();
    parts.ampm = ampm_->currentText().toStdString();
    parts.year = boxes_[yearBox]->text().toStdString();
    parts.month = boxes_[monthBox]->text().toStdString();
    parts.day = boxes_[dayBox]->text().toStdString();
    parts.hour = boxes_[hourBox]->text().toStdString();
    parts.minute = boxes_[minuteBox]->text().toStdString();
    parts.second = boxes_[secondBox]->text().toStdString();

    const DateEntryOutcome outcome = evaluateDateEntry(config(), parts, vq::platform::interaction().now());
    if (!outcome.ok)
        fail(outcome.message, outcome.focus);
    if (outcome.empty) {
        Clear();
        return;
    }
    value_ = outcome.value;
    empty_ = false;
    showInParts(value_);
}

void TVorlenExDateEdit::focusPart(DatePart part)
{
    QWidget* w = part == DatePart::First ? nullptr : partWidget(part);
    if (!w || w->isHidden() || !w->isEnabled()) {
        w = nullptr;
        for (QWidget* p : partsInOrder())
            if (!p->isHidden() && p->isEnabled()) {
                w = p;
                break;
            }
    }
    if (w)
        w->setFocus(Qt::OtherFocusReason);
}

void TVorlenExDateEdit::fail(const std::string& message, DatePart focus)
{
    if (displayError_) {
        vq::platform::MessageRequest request;
        request.text = message;
        request.caption = dialogCaption_.toStdString();
        request.kind = vq::platform::MessageKind::Information;
        vq::platform::interaction().message(request);
    }
    focusPart(focus);
    throw SilentAbort();
}

void TVorlenExDateEdit::editorLostFocus()
{
    setTabStop(tabStop_);
    if (exitCheck_)
        runGuarded([this] { Validate(); });
}

void TVorlenExDateEdit::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    for (QWidget* part : {static_cast<QWidget*>(era_), static_cast<QWidget*>(boxes_[yearBox]),
                          static_cast<QWidget*>(ampm_), static_cast<QWidget*>(boxes_[hourBox])})
        if (!part->isHidden() && part->isEnabled()) {
            part->setFocus(event->reason());
            return;
        }
}

void TVorlenExDateEdit::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        recolour();
    else if (event->type() == QEvent::FontChange)
        relayout();
}

bool TVorlenExDateEdit::eventFilter(QObject* watched, QEvent* event)
{
    auto* part = qobject_cast<QWidget*>(watched);
    if (!part || part->parentWidget() != this)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn: {
        // While the focus is inside, every part is a tab stop.
        for (QWidget* p : partsInOrder())
            p->setFocusPolicy(Qt::StrongFocus);
        colourPart(part, true);
        part->setToolTip(toolTip());
        if (auto* b = qobject_cast<QLineEdit*>(part)) {
            QTimer::singleShot(0, b, [this, b] {
                if (!b->hasFocus())
                    return;
                if (autoSelect_)
                    b->selectAll();
                else
                    b->setCursorPosition(0);
            });
        }
        break;
    }
    case QEvent::FocusOut:
        colourPart(part, false);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* combo = qobject_cast<QComboBox*>(part);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (combo)
                combo->hidePopup();
            if (enterNext_)
                moveFocus(part, !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (combo && key->key() == Qt::Key_Down && dropDownKey_ && !combo->view()->isVisible()) {
            combo->showPopup();
            return true;
        }
        if (combo && key->key() == Qt::Key_Delete) {
            const bool hadText = !combo->currentText().isEmpty();
            combo->setCurrentIndex(-1);
            if (hadText)
                emit changed(combo);
            return true;
        }
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            const bool digit = text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
            // Number boxes take digits only; the combos take no typing.
            if (!(isNumberBox(part) && digit))
                return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vq::ui
