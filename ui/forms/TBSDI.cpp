#include "ui/forms/TBSDI.h"

#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/QueryFactory.h"
#include "foundation/text/DisplayUtils.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "ui/FormFont.h"
#include "ui/FormScale.h"
#include "ui/FormSizeStore.h"
#include "ui/HintText.h"
#include "ui/OpHistory.h"
#include "ui/forms/GridProperties.h"
#include "ui/forms/TVorlenDateEdit.h"
#include "ui/forms/TVorlenExDateEdit.h"
#include "ui/forms/TxKikanPanel12.h"
#include "ui/forms/TxKikanPanel16.h"
#include "ui/forms/TxKikanPanel4.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vq::ui {

namespace {

constexpr const char* hintProperty = "vqHint";

void restoreDefaultCursor()
{
    while (QApplication::overrideCursor() != nullptr)
        QApplication::restoreOverrideCursor();
}

// A control placed by hand (its parent arranges nothing): the base form
// moves and scales it itself; controls in layouts follow their layouts.
bool placedByHand(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    return parent != nullptr && parent->layout() == nullptr && !w->isWindow();
}

// Descendants that belong to this form's window, in creation order.
QList<QWidget*> formControls(QWidget* form)
{
    QList<QWidget*> out;
    for (QWidget* w : form->findChildren<QWidget*>())
        if (w->window() == form)
            out << w;
    return out;
}

QFont userFont(double factor)
{
    const FontDesc& f = SystemDef.UserFont;
    QFont font = formFont();
    if (!f.name.empty())
        font.setFamily(mapFontFamily(QString::fromStdString(f.name)));
    const int px = f.height != 0 ? std::abs(f.height) : static_cast<int>(std::lround(f.size * 96.0 / 72.0));
    if (px > 0)
        font.setPixelSize(px);
    else
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * factor))));
    font.setBold(f.style & 1);
    font.setItalic(f.style & 2);
    return font;
}

} // namespace

TBSDI::TBSDI(QWidget* parent, TBorderStyle border)
    : QDialog(parent)
    , border_(border)
{
    setFont(formFont());
    const bool dialog = isDialogForm();
    FWriteOpHistory = !dialog;
    FRunBesideOthers = !dialog;
    FKeepFormSize = !dialog;
    FRefreshDM = !dialog;
    FActivateHookArg = !dialog;
    if (DM != nullptr) {
        try {
            FGamenValue = std::make_unique<TGamenKeyValue>();
        } catch (const std::exception&) {
            // No saved values for this form; it works without them.
        }
    }
    setSizeGripEnabled(!dialog);
    if (dialog)
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    else
        setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &TBSDI::onFocusChanged);
}

TBSDI::~TBSDI()
{
    qApp->removeEventFilter(this);
}

void TBSDI::setFormStyle(TFormStyle value)
{
    formStyle_ = value;
    setWindowFlag(Qt::WindowStaysOnTopHint, value == fsStayOnTop);
}

void TBSDI::setHint(QWidget* control, const QString& hint)
{
    if (control == nullptr)
        return;
    control->setProperty(hintProperty, hint);
    control->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
}

QString TBSDI::hintOf(const QWidget* control)
{
    if (control == nullptr)
        return {};
    const QVariant v = control->property(hintProperty);
    return v.isValid() ? v.toString() : control->toolTip();
}

void TBSDI::ShowHintOf(const QWidget* control, QPlainTextEdit* target)
{
    if (control == nullptr || target == nullptr)
        return;
    target->setPlainText(QString::fromStdString(longHintOf(hintOf(control).toStdString())));
}

void TBSDI::onFocusChanged(QWidget*, QWidget* now)
{
    if (FHintMemo && now != nullptr && (now == this || isAncestorOf(now)))
        ShowHintOf(now, FHintMemo);
}

// ---- Showing ---------------------------------------------------------------

void TBSDI::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    closedOnce_ = false;
    SystemDef.MenuHostState = 0;
    if (MenuHostProc) {
        if (FMenuHookOnShow && MenuHostProc(10, "") > 0)
            FMenuHookOnShow = false;
        if (FMenuHookOnShow) {
            SystemDef.MenuHostState = static_cast<std::uint8_t>(MenuHostProc(11, "CorvaneMenu") & 0xFF);
            MenuHostProc(4, "");
        }
    }
    if (!shown_)
        firstShow();
    restoreDefaultCursor();
    if (!FCreated) {
        ShowCreationFailure();
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void TBSDI::ShowCreationFailure()
{
    char text[512];
    std::snprintf(text, sizeof text, "%s画面の初期化に失敗しました。\r処理を終了します。",
                  windowTitle().toStdString().c_str());
    platform::showMessage(text, platform::MessageKind::Error);
}

int TBSDI::ExecuteScreen(bool modal, const std::function<void()>& setup)
{
    restoreDefaultCursor();
    if (!modal) {
        show();
        return 1;
    }
    if (!FRunBesideOthers && MenuHostProc && MenuHostProc(10, "") > 0) {
        platform::showMessage("メニュー以外の処理が開いています。\r全ての処理を閉じてから処理を実行してください。",
                              platform::MessageKind::Warning);
        if (!FKeepOnClose)
            deleteLater();
        return -1;
    }
    if (!FCreated) {
        ShowCreationFailure();
        if (!FKeepOnClose)
            deleteLater();
        return -1;
    }
    PlaceForm(0, 0, 0, 0, 3);
    if (setup)
        setup();
    return exec();
}

void TBSDI::firstShow()
{
    shown_ = true;
    try {
        if (FWriteOpHistory) {
            PutProcRirekiInfo(windowTitle().toStdString(), OpHistoryState::Opened);
            SystemDef.BaseFormShown = 1;
        }
    } catch (const db::DbError&) {
        // Logged where it happened; the screen still opens.
    }
    // The data set may have changed since the last screen (another office
    // day, closed months): the panels below are set from what it holds now.
    // A failure is reported by the data module itself.
    if (FRefreshDM && DM != nullptr && DM->IBDatabaseDAT.connected())
        DM->fnGetAccInfo();
    SetupPeriodControls();
    shiftControls();
    captureLayout();
    scaleToFont();
    getFormSize();
    FormShow();
}

void TBSDI::SetupPeriodControls()
{
    const bool override = SystemDef.PeriodOverride > 0;
    const auto& acc = AccInf;
    if (auto* p = findChild<TxKikanPanel16*>(QStringLiteral("KikanPanel16"))) {
        p->SetKikan(acc.SIME, acc.KISHU, acc.KIMATU, acc.KAISI);
        if (override) {
            p->setKESSAN(false);
            p->setStno(0);
            p->setEdno(p->KikanMove() ? 2 : 0);
        } else {
            const int cell = MonthToCell(acc.KAISINO);
            fiscalCell_ = cell;
            p->setStno(cell);
            p->setEdno(p->KikanMove() ? 15 : p->Stno());
        }
    }
    if (auto* p = findChild<TxKikanPanel12*>(QStringLiteral("KikanPanel12"))) {
        p->SetKikan(acc.SIME, acc.KISHU, acc.KIMATU, acc.KAISI);
        if (override) {
            p->setStno(0);
            p->setEdno(p->KikanMove() ? 2 : 0);
        } else {
            p->setStno(acc.KAISINO - 1);
            p->setEdno(p->KikanMove() ? 11 : acc.KAISINO - 1);
        }
    }
    for (const char* name : {"KikanPanel4", "KikanPanel2"}) {
        if (auto* p = findChild<TxKikanPanel4*>(QString::fromLatin1(name))) {
            p->SetKikan(acc.SIME, acc.KISHU, acc.KIMATU, acc.KAISI);
            if (override) {
                p->setStno(0);
                p->setEdno(0);
                p->setEnabled(false);
            }
        }
    }
    for (auto* d : findChildren<TVorlenExDateEdit*>()) {
        const bool era = SystemDef.EraDisplay != 0;
        d->setEditGengo(era);
        d->setGengo(era ? rsWareki : rsSeireki);
        if (!GengoTable.empty())
            d->SetWarekiTable(GengoTable);
    }
    for (auto* d : findChildren<TVorlenDateEdit*>()) {
        // Typing starts where the operator's journal-date setting says.
        d->setInputPosition(std::clamp<int>(SystemDef.SwkDateFocus, pdpYear, pdpDay));
        const bool era = SystemDef.EraDisplay != 0;
        // A distributor edition always enters whole dates of the fiscal year.
        const bool fixed = OemKind == 1 || OemKind == 2;
        if (fixed)
            d->setStyle(pdsYearMonthDay);
        d->setEra(era);
        if (era) {
            d->setUseWarekiTable(true);
            d->SetWarekiTable(GengoTable.empty() ? BuiltinEraTable() : GengoTable);
        }
        if ((era || fixed) && acc.KISHU > 0 && acc.KIMATU >= acc.KISHU) {
            // The end first: setting the start moves the date to it.
            d->setEndDate(acc.KIMATU);
            d->setStartDate(acc.KISHU);
        }
    }
    for (QObject* o : findChildren<QObject*>())
        if (isSpreadGrid(o))
            setNoBeep(o, true);
}

void TBSDI::shiftControls()
{
    const int extra = SystemDef.FrameExtra;
    if (isDialogForm() || extra <= 0)
        return;
    for (QWidget* w : formControls(this)) {
        if (!placedByHand(w) || qobject_cast<QGroupBox*>(w->parentWidget()) != nullptr)
            continue;
        bool kept = false;
        for (QWidget* p = w->parentWidget(); p != nullptr && p != this; p = p->parentWidget())
            if (p->objectName() == QLatin1String("pnlSwkInA") || p->objectName() == QLatin1String("pnlChoseiNasi"))
                kept = true;
        if (!kept)
            w->move(std::max(0, w->x() - extra), w->y());
    }
}

void TBSDI::captureLayout()
{
    if (designSize_.isEmpty())
        designSize_ = size();
    if (FKeepFormSize && !isDialogForm())
        setMinimumSize(static_cast<int>(designSize_.width() * 0.6), static_cast<int>(designSize_.height() * 0.6));
    layout_.clear();
    const bool iryou = AccInf.IsIryou == 1;
    for (QWidget* w : formControls(this)) {
        LayoutRec rec;
        rec.widget = w;
        rec.geometry = w->geometry();
        if (iryou) {
            if (auto* label = qobject_cast<QLabel*>(w)) {
                QString text = label->text();
                text.replace(QStringLiteral("本・支店"), QStringLiteral("施設"));
                text.replace(QStringLiteral("支店"), QStringLiteral("施設"));
                label->setText(text);
            }
        }
        if (isSpreadGrid(w)) {
            rec.spreadGrid = true;
            setRedraw(w, false);
            rec.rowHeight = getRowHeightMin(w);
            rec.colWidth = getColWidthMin(w);
            const QStringList entries = getColsWidth(w).split(QLatin1Char('|'));
            const int cols = getCols(w);
            for (int i = 0; i <= cols && i < entries.size(); ++i) {
                bool ok = false;
                const double v = entries[i].trimmed().toDouble(&ok);
                rec.colWidths.push_back(entries[i].trimmed().isEmpty() ? std::round(rec.colWidth) : (ok ? v : 0));
            }
            setRedraw(w, true);
        }
        layout_.push_back(rec);
    }
}

void TBSDI::scaleToFont()
{
    const int screen = screenPpi();
    const int base = SystemDef.BaseFont.size;
    const int user = SystemDef.UserFont.size;
    const int reference = scaleReferencePpi(base, screen);
    formPpi_ = (base > 0 && user > 0) ? scaledFormPpi(user, base, screen) : reference;
    const double factor = static_cast<double>(formPpi_) / reference;
    const double gridFactor = static_cast<double>(formPpi_) / designPpi;
    setUpdatesEnabled(false);
    for (const LayoutRec& rec : layout_) {
        QWidget* w = rec.widget;
        if (w == nullptr)
            continue;
        if (factor != 1.0) {
            if (placedByHand(w)) {
                const QRect g = rec.geometry;
                w->setGeometry(static_cast<int>(g.x() * factor), static_cast<int>(g.y() * factor),
                               static_cast<int>(g.width() * factor), static_cast<int>(g.height() * factor));
            }
            if (w->testAttribute(Qt::WA_SetFont)) {
                QFont f = w->font();
                if (f.pixelSize() > 0)
                    f.setPixelSize(std::max(1, static_cast<int>(std::lround(f.pixelSize() * factor))));
                w->setFont(f);
            }
        }
        if (rec.spreadGrid) {
            setRedraw(w, false);
            w->setFont(userFont(factor));
            setRowHeightMin(w, ScaleToPpi(static_cast<int>(rec.rowHeight), formPpi_, designPpi));
            setColWidthMin(w, ScaleToPpi(static_cast<int>(rec.colWidth), formPpi_, designPpi));
            // The current widths, scaled; an entry that is no number stays empty.
            QString widths;
            for (const QString& entry : getColsWidth(w).split(QLatin1Char('|'))) {
                bool ok = false;
                const double v = entry.trimmed().toDouble(&ok);
                widths += (ok ? QString::number(std::lround(v * gridFactor)) : QString()) + QLatin1Char('|');
            }
            setColsWidth(w, widths);
            setRedraw(w, true);
        }
    }
    if (factor != 1.0 && !designSize_.isEmpty())
        resize(static_cast<int>(width() * factor), static_cast<int>(height() * factor));
    if (base > 0 && user > 0)
        setFont(userFont(factor));
    setUpdatesEnabled(true);
}

void TBSDI::getFormSize()
{
    if (!FKeepFormSize)
        return;
    const FormBounds first{0, 0, AdjustForFrameWidth(ScaleToPpi(648, formPpi_, designPpi), 0),
                           AdjustForFrameWidth(ScaleToPpi(1012, formPpi_, designPpi), 0)};
    if (const auto b = GetFormSize(objectName().toStdString(), first)) {
        move(b->left, b->top);
        resize(b->width, b->height);
    }
}

void TBSDI::putFormSize()
{
    const QWidget* main = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    FormBounds b;
    if (isMaximized() && main != nullptr) {
        b = {0, 0, main->height() - (SystemDef.MetricReserved + SystemDef.FrameHeight),
             main->width() - SystemDef.FrameHeight};
    } else {
        b = {std::max(0, y()), std::max(0, x()), height(), width()};
    }
    if (main != nullptr) {
        if (b.top > main->height())
            b.top = 0;
        if (b.left > main->width())
            b.left = 0;
    }
    PutFormSize(objectName().toStdString(), b);
}

// ---- Saved values and statements -------------------------------------------

void TBSDI::FukugenGamenValue()
{
    if (!FGamenValue && DM != nullptr)
        FGamenValue = std::make_unique<TGamenKeyValue>();
    if (FGamenValue)
        FGamenValue->FukugenValue(objectName().toStdString(), FGamenValueText);
}

void TBSDI::HozonGamenValue()
{
    if (!FGamenValue && DM != nullptr)
        FGamenValue = std::make_unique<TGamenKeyValue>();
    if (FGamenValue)
        FGamenValue->HozonValue(objectName().toStdString(), FGamenValueText);
}

std::unique_ptr<db::Statement> TBSDI::NewQuery()
{
    if (DM == nullptr || !DM->IBDatabaseDAT.connected())
        return nullptr;
    return CreateAccQuery(kAccDat, false);
}

std::unique_ptr<db::Statement> TBSDI::NewStoredProc(const std::string& name)
{
    // The name goes into the SQL text: only a plain identifier is taken.
    std::string upper;
    for (const char c : name) {
        const char u = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        if (!((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '$'))
            return nullptr;
        upper += u;
    }
    if (upper.empty() || upper.size() > 63)
        return nullptr;
    auto proc = NewQuery();
    if (!proc)
        return nullptr;
    try {
        db::TransactionScope scope(DM->IBTransactionDAT);
        proc->setSql("SELECT TRIM(RDB$PARAMETER_NAME) FROM RDB$PROCEDURE_PARAMETERS "
                     "WHERE RDB$PROCEDURE_NAME=:NAME AND RDB$PARAMETER_TYPE=0 ORDER BY RDB$PARAMETER_NUMBER");
        proc->param("NAME").setString(upper);
        proc->execute();
        std::string params;
        while (proc->fetch())
            params += (params.empty() ? ":" : ",:") + proc->field(std::size_t{0}).asString();
        proc->close();
        proc->setSql("SELECT 1 FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME=:NAME");
        proc->param("NAME").setString(upper);
        proc->execute();
        const bool exists = proc->fetch();
        proc->close();
        scope.commit();
        if (!exists)
            return nullptr;
        proc->setSql("EXECUTE PROCEDURE " + upper + (params.empty() ? std::string() : "(" + params + ")"));
        return proc;
    } catch (const std::exception&) {
        return nullptr;
    }
}

void TBSDI::SetParentWindow(QWidget* window)
{
    parentWnd_ = window;
    if (window == nullptr || formStyle_ != fsNormal)
        return;
    QWidget* owner = window->window();
    parentCaption_ = owner->windowTitle();
    if (owner != this && parentWidget() != owner) {
        // Reparenting a top-level keeps it a window of its own (its flags
        // are given again) and makes it owned by that window.
        const bool visible = isVisible();
        setParent(owner, windowFlags());
        if (visible)
            show();
    }
}

// ---- Placing ---------------------------------------------------------------

void TBSDI::SetGridColors(TxSpreadGrid* grid, int mode)
{
    if (grid == nullptr)
        return;
    const auto colour = [](std::int32_t c) { return toQColor(static_cast<TColor>(c)); };
    const auto& s = SystemDef;
    QPalette pal = grid->palette();
    pal.setColor(QPalette::Base, colour(mode == 1 ? s.ClientColor : s.ClientColor1));
    pal.setColor(QPalette::AlternateBase, colour(mode == 1 ? s.ClientColor : s.ClientColor2));
    pal.setColor(QPalette::Highlight, colour(s.ActiveColor));
    grid->setPalette(pal);
    grid->setAlternatingRowColors(mode != 1);
    grid->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; border: 1px solid #808080; }"
                                       "QTableWidget { gridline-color: #808080; }")
                            .arg(colour(s.ColHeaderColor).name()));
}

void TBSDI::PlaceForm(int dx, int dy, int areaW, int areaH, std::uint8_t mode)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (!FFirstPlacement && x() > 0 && x() < work.right() && y() > 0 && y() < work.bottom())
        return;
    const QWidget* main = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    const bool mainShowing = main != nullptr && main->isVisible();
    int left = 0, top = 0;
    if (mode == 1 && mainShowing) {
        left = main->x() + SystemDef.FrameHeight + dx + (areaW - width()) / 2;
        top = main->y() + SystemDef.FrameHeight + SystemDef.CaptionHeight + SystemDef.MenuHeight +
              SystemDef.MetricReserved + dy + (areaH - height()) / 2;
    } else if (mode == 2 && mainShowing) {
        left = main->x() + (main->width() - width()) / 2;
        top = main->y() + (main->height() - height()) / 2;
    } else {
        left = work.x() + (work.width() - width()) / 2;
        top = work.y() + (work.height() - height()) / 2;
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    if (left + width() > work.right())
        left = work.right() - width();
    if (top + height() > work.bottom())
        top = work.bottom() - height();
    if (isDialogForm()) {
        left = std::max(left, 0);
        top = std::max(top, 0);
    }
    move(left, top);
}

// ---- Keys and activation -------------------------------------------------------

void TBSDI::keyPressEvent(QKeyEvent* event)
{
    // Esc acts when it is released (FormKeyUp), not on the press as a dialog would.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TBSDI::eventFilter(QObject* watched, QEvent* event)
{
    // The form sees a released key before its controls: at its first
    // delivery, to the focused control of this form (or to the form when
    // none of its controls has the focus), not again as it travels upwards.
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        QWidget* focus = QApplication::focusWidget();
        const bool focusHere = focus != nullptr && (focus == this || isAncestorOf(focus));
        const bool first = focusHere ? watched == focus : watched == this;
        if (first && !key->isAutoRepeat() && FormKeyUp(key))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TBSDI::FormKeyUp(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier || QApplication::mouseButtons() != Qt::NoButton)
        return false;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (isDialogForm()) {
            close();
            return true;
        }
        return false;
    case Qt::Key_F12: {
        if (!isDialogForm()) {
            close();
            return true;
        }
        TxPlButton* button = FExecButton;
        if (button == nullptr || !button->isVisibleTo(this) || !button->isEnabled() ||
            !button->hasClickHandler())
            return false;
        if (FFocusExecButton)
            button->setFocus(Qt::OtherFocusReason);
        button->Click();
        return true;
    }
    default: return false;
    }
}

void TBSDI::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && FormActivateProc)
        FormActivateProc(FActivateHookArg, FActivateHookValue);
}

// ---- Closing ---------------------------------------------------------------

void TBSDI::afterClose()
{
    if (closedOnce_)
        return;
    closedOnce_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FormClose();
    try {
        if (FKeepFormSize && shown_)
            putFormSize();
        if (FWriteOpHistory && shown_)
            PutProcRirekiInfo(windowTitle().toStdString(), OpHistoryState::Closed);
    } catch (const db::DbError&) {
        // Logged where it happened; the screen closes all the same.
    } catch (const std::exception& e) {
        ShowMessageDetail("", e.what());
    }
    restoreDefaultCursor();
    if (!FKeepOnClose)
        setAttribute(Qt::WA_DeleteOnClose);
}

void TBSDI::closeEvent(QCloseEvent* event)
{
    afterClose();
    QDialog::closeEvent(event);
}

void TBSDI::reject()
{
    done(2);   // mrCancel
}

void TBSDI::done(int result)
{
    afterClose();
    QDialog::done(result);
    if (!FKeepOnClose)
        deleteLater();
}

} // namespace vq::ui
