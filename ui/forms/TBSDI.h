#pragma once
// The base form of the library's screens. Every screen derived from it gets
// the same frame: Esc closes a dialog and F12 clicks its main button (F12
// closes any other screen); the long part of the focused control's two-part
// hint shows in the screen's hint memo; on first show the screen is rescaled
// from the design font to the operator's display font and, unless it is a
// dialog, takes its bounds from FORMRSIZE and writes its opening into the
// open data set's operation history (OPINF); the fiscal-period panels and
// era date editors on it are set up from the open data set's calendar.
//
// A derived form sets the switches below in its constructor, after the base
// constructor ran, and sets FCreated as the last step of its creation; a
// form whose creation failed shows "%s画面の初期化に失敗しました。" when shown
// and closes.
#include "foundation/office/GamenKeyValue.h"
#include "foundation/text/MojiBunkatu.h"
#include "ui/ScreenParams.h"
#include "ui/forms/TxEdit.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace vq::db {
class Statement;
}

namespace vq::ui {

class TxPlButton;
class TxSpreadGrid;

class TBSDI : public QDialog {
    Q_OBJECT
public:
    // border bsDialog makes a dialog (fixed frame, Esc closes it); any other
    // value a sizeable screen. The switches take their defaults from it.
    explicit TBSDI(QWidget* parent = nullptr, TBorderStyle border = bsDialog);
    ~TBSDI() override;

    TBorderStyle BorderStyle() const { return border_; }
    bool isDialogForm() const { return border_ == bsDialog; }

    // Switches (see the file comment); defaults True unless the form is a dialog.
    bool FMenuHookOnShow = false;
    bool FWriteOpHistory = true;
    bool FRunBesideOthers = true;
    bool FKeepFormSize = true;
    bool FRefreshDM = true;
    bool FActivateHookArg = true;
    std::int32_t FActivateHookValue = 0;
    bool FCreated = false;
    bool FFirstPlacement = true;
    QPointer<QPlainTextEdit> FHintMemo;
    bool FKeepOnClose = false;
    QPointer<TxPlButton> FExecButton;
    bool FFocusExecButton = true;
    // The screen's saved value (FukugenGamenValue / HozonGamenValue); made
    // once the data module exists, so a form built without one keeps none.
    std::unique_ptr<TGamenKeyValue> FGamenValue;
    std::string FGamenValueText;
    // Splits comma-separated settings lines for derived forms.
    TMojiBunkatu FMojiBunkatu;

    TFormStyle FormStyle() const { return formStyle_; }
    void setFormStyle(TFormStyle value);

    // The two-part hint of a control ("short|long"); the tooltip shows the short part.
    static void setHint(QWidget* control, const QString& hint);
    static QString hintOf(const QWidget* control);
    // Puts the long part of control's hint into target (nothing for no control).
    static void ShowHintOf(const QWidget* control, QPlainTextEdit* target);

    // Colours a list grid from the operator's display settings: heading
    // ColHeaderColor, focus ActiveColor; mode 1 one row colour (ClientColor),
    // any other mode alternating ClientColor1 and ClientColor2.
    static void SetGridColors(TxSpreadGrid* grid, int mode);

    // Positions the form: mode 1 centred in an area of the main form, 2 centred
    // on the main form, other modes on the screen's centre.
    void PlaceForm(int dx, int dy, int areaW, int areaH, std::uint8_t mode);

    // The density the form was rescaled to (96 until the first show).
    int formPpi() const { return formPpi_; }
    bool firstShowDone() const { return shown_; }

    // What a started screen's Execute does: not modal, show and give 1;
    // modal, refuse (-1) while the menu host reports other screens open and
    // FRunBesideOthers is off, show the creation failure (-1) when FCreated is
    // off, else centre on the screen, run setup and show modally (its result).
    int ExecuteScreen(bool modal, const std::function<void()>& setup);
    // "%s画面の初期化に失敗しました。\r処理を終了します。" with the caption.
    void ShowCreationFailure();

    // The screen whose closing message and history name use: its window title.
    QString Caption() const { return windowTitle(); }

    // FGamenValueText := the value saved for this screen (its object name)
    // and the operator; HozonGamenValue saves FGamenValueText the same way.
    // Without a data module neither does anything.
    void FukugenGamenValue();
    void HozonGamenValue();

    // Statements on the open data set, bound to its read-committed
    // transaction: a stored procedure with its input parameters by name
    // (EXECUTE PROCEDURE; outputs are the current row after execute), and
    // a query with no SQL yet. nullptr when they cannot be made (no data
    // module, no data set, no such procedure). The caller owns them and
    // frees them before the data module goes away.
    std::unique_ptr<db::Statement> NewStoredProc(const std::string& name);
    std::unique_ptr<db::Statement> NewQuery();

    // Keeps the window the form belongs to; a normal (not stay-on-top) form
    // becomes that window's owned window: it stays above it and is closed
    // with it. The caption of that window is kept as the parent caption.
    void SetParentWindow(QWidget* window);
    QWidget* ParentWnd() const { return parentWnd_; }
    QString ParentCaption() const { return parentCaption_; }

    // Sets up the fiscal-period panels and date editors of the form from the
    // open data set; runs on the first show, a derived form may run it earlier
    // once its controls exist.
    void SetupPeriodControls();
    // The 16-cell index of the data set's first entry month (set by SetupPeriodControls).
    std::int32_t FiscalCell() const { return fiscalCell_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;
    // Closing without a result (Esc, the window's close box) gives mrCancel.
    void reject() override;

    // A released key the form sees before its controls; true when spent.
    virtual bool FormKeyUp(QKeyEvent* event);
    // The first show of a derived form, after the base form's; runs once.
    virtual void FormShow() {}
    // The closing of a derived form, before the base form saves its state.
    virtual void FormClose() {}

private:
    struct LayoutRec {
        QPointer<QWidget> widget;
        QRect geometry;
        bool spreadGrid = false;
        double rowHeight = 0;
        double colWidth = 0;
        std::vector<double> colWidths;   // negative: no number, left empty
    };

    void firstShow();
    void shiftControls();
    void captureLayout();
    void scaleToFont();
    void getFormSize();
    void putFormSize();
    void afterClose();
    void onFocusChanged(QWidget* old, QWidget* now);

    TBorderStyle border_;
    TFormStyle formStyle_ = fsNormal;
    bool shown_ = false;
    bool closing_ = false;
    bool closedOnce_ = false;
    int formPpi_ = 96;
    QSize designSize_;
    std::vector<LayoutRec> layout_;
    QPointer<QWidget> parentWnd_;
    QString parentCaption_;
    std::int32_t fiscalCell_ = 0;
};

} // namespace vq::ui
