#include "dbupdate/forms/TDbUpdateBox.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QStyle>
#include <QTextEdit>
#include <QTreeWidget>

#include "foundation/app/SystemDef.h"
#include "foundation/text/DisplayUtils.h"
#include "ui/Message2Info.h"
#include "ui/ModalResult.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/TMessageBox.h"
#include "ui/forms/TMessageBox2.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxPlButton.h"

namespace vq {

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The round symbol of the kind of update: red for the system database,
// green for a data set.
QPixmap symbol(const QColor& colour)
{
    QPixmap pixmap(33, 33);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(colour.darker(140));
    painter.drawEllipse(2, 2, 28, 28);
    return pixmap;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

} // namespace

// The run, showing what it does in the dialog's controls.
class TDbUpdateBox::BoxRun : public TDbUpdateRun {
public:
    BoxRun(TDbUpdateBox& box) : TDbUpdateRun(box.State), box_(box) {}

protected:
    void RowStatusChanged(int row) override { box_.showRowStatus(row); }
    void ProgressStart(int steps) override
    {
        box_.ProgressBar1->setRange(0, steps);
        box_.ProgressBar1->setValue(0);
        box_.pnlProgress->show();
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    void ProgressStep() override { box_.ProgressBar1->setValue(box_.ProgressBar1->value() + 1); }
    void ProgressEnd() override
    {
        box_.pnlProgress->hide();
        QApplication::restoreOverrideCursor();
    }
    void WaitWindowShow(const std::string& caption, const std::string& label) override
    {
        auto* wait = box_.xAnimeProgressDialog1;
        wait->setCaption(q(caption));
        wait->setInfoLabel(q(label));
        wait->setAviFile(q(SystemDef.ProgramDir + "/progress.avi"));
        wait->setCancelBtnShow(false);
        wait->Execute(&box_);
    }
    void WaitWindowClose() override
    {
        box_.xAnimeProgressDialog1->Close();
        box_.show();
    }
    void ShowSystemInUse(const std::string& mainText, const std::vector<std::string>& lines) override
    {
        ui::TMessageInfoRec info;
        ui::InitMessageInfo(info);
        info.Kind = 1;
        info.Position = ui::poScreenCenter;
        info.Caption = "情報";
        info.MainText = mainText;
        info.Lines = lines;
        ui::ShowMessageBox(info, &box_);
    }
    void ShowFailureBox(const std::vector<std::string>& lines) override
    {
        ui::TMessage2InfoRec info;
        ui::InitMessage2Info(1, info);
        info.Caption = "エラー";
        for (std::size_t i = 0; i < lines.size() && i < info.Lines.size(); ++i)
            info.Lines[i].Text = lines[i];
        ui::ShowMessage2(info);
    }

private:
    TDbUpdateBox& box_;
};

TDbUpdateBox::TDbUpdateBox(QWidget* parent) : TBSDI(parent, ui::bsDialog), run_(std::make_unique<BoxRun>(*this))
{
    setObjectName(QStringLiteral("DbUpdateBox"));
    setWindowTitle(QStringLiteral("データベースの更新"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    FWriteOpHistory = false;
    setFixedSize(472, 520);

    ImageRed = new QLabel(this);
    ImageRed->setObjectName(QStringLiteral("ImageRed"));
    ImageRed->setGeometry(24, 16, 33, 33);
    ImageRed->setPixmap(symbol(QColor(0xD0, 0x30, 0x30)));
    ImageRed->hide();
    ImageGrn = new QLabel(this);
    ImageGrn->setObjectName(QStringLiteral("ImageGrn"));
    ImageGrn->setGeometry(24, 16, 33, 33);
    ImageGrn->setPixmap(symbol(QColor(0x30, 0xA0, 0x40)));
    lblTitle1 = label(this, "lblTitle1", QStringLiteral("データの更新を行います。"), 72, 28);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(16, 64, 440, 249);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setFocusPolicy(Qt::NoFocus);
    ListView1->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; "
                                            "border-bottom: 1px solid #d0d0d0; }"
                                            "QTreeView::item:selected { background: #3399ff; color: white; }"));
    connect(ListView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        ListView1SelectItem(item ? ListView1->indexOfTopLevelItem(item) : -1);
    });

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(15, 320, 442, 89);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);

    cboxAgree = new ui::TxCheckBox(QStringLiteral("データの更新に同意します。"), this);
    cboxAgree->setObjectName(QStringLiteral("cboxAgree"));
    cboxAgree->setGeometry(16, 419, 297, 17);
    connect(cboxAgree, &QCheckBox::clicked, this, [this] { cboxAgreeClick(); });
    lblTitle2 = label(this, "lblTitle2", QStringLiteral("バックアップを取得せずに、この処理を行うと元に戻すことが出来ません。"),
                      32, 442);
    lblTitle3 = label(this, "lblTitle3", QStringLiteral("必ずバックアップを取得後に実行することを強く推奨します。"), 32, 458);

    pnlProgress = new QFrame(this);
    pnlProgress->setObjectName(QStringLiteral("pnlProgress"));
    pnlProgress->setGeometry(96, 192, 281, 57);
    pnlProgress->setAutoFillBackground(true);
    pnlProgress->setFrameShape(QFrame::Panel);
    Label1 = label(pnlProgress, "Label1", QStringLiteral("データの更新中です…"), 18, 9);
    ProgressBar1 = new QProgressBar(pnlProgress);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(16, 26, 249, 21);
    ProgressBar1->setTextVisible(false);
    pnlProgress->hide();

    btnOk = new ui::TxPlButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setCaptionAText(QStringLiteral("OK"));
    btnOk->setGeometry(280, 480, 75, 26);
    btnOk->setModalResult(ui::mrOk);
    connect(btnOk, &ui::TxPlButton::clicked, this, [this] { btnOkClick(); });
    btnCancel = new ui::TxPlButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setCaptionAText(QStringLiteral("キャンセル"));
    btnCancel->setGeometry(380, 480, 75, 26);
    connect(btnCancel, &ui::TxPlButton::clicked, this, [this] { btnCancelClick(); });
    FExecButton = btnOk;

    xAnimeProgressDialog1 = new ui::TxAnimeProgressDialog(this);
    FCreated = true;
}

TDbUpdateBox::~TDbUpdateBox() = default;

bool TDbUpdateBox::FUpdated() const
{
    return run_->FUpdated;
}

TDbUpdateRun& TDbUpdateBox::Run()
{
    return *run_;
}

void TDbUpdateBox::SetupUpdateList(std::uint8_t mode, const std::string& versionText)
{
    const int ppi = formPpi();
    const auto scaled = [ppi](int width) { return ScaleToPpi(width, ppi, 96); };
    ListView1->setColumnCount(3);
    ListView1->setHeaderLabels({QStringLiteral("Ver."), QStringLiteral("説明"), QStringLiteral("状況")});
    ListView1->header()->resizeSection(0, scaled(60));
    ListView1->header()->resizeSection(1, scaled(280));
    ListView1->header()->resizeSection(2, scaled(80));
    btnCancel->setVisible(mode == 1);
    const QString red = QStringLiteral("color: #ff0000;");
    if (mode == 0) {
        ImageRed->show();
        ImageGrn->hide();
        lblTitle1->setText(QStringLiteral("システムデータの更新を行います。"));
        lblTitle2->clear();
        lblTitle3->clear();
        cboxAgree->hide();
        btnOk->move(scaled(380), btnOk->y());
    } else {
        ImageGrn->show();
        ImageRed->hide();
        lblTitle1->setText(QStringLiteral("会計データの更新を行います。"));
        lblTitle2->setText(QStringLiteral("バックアップを取得せずに、この処理を行うと元に戻すことが出来ません。"));
        lblTitle3->setText(QStringLiteral("必ずバックアップを取得後に実行することを強く推奨します。"));
        lblTitle2->setStyleSheet(red);
        lblTitle3->setStyleSheet(red);
        cboxAgree->show();
        btnOk->move(scaled(280), btnOk->y());
        btnCancel->move(scaled(380), btnCancel->y());
    }
    for (QLabel* l : {lblTitle1, lblTitle2, lblTitle3})
        l->adjustSize();
    cboxAgreeClick();

    State.SetupUpdateList(mode, versionText);
    // Nothing pending: the rows of an earlier call stay as they were.
    if (!State.FNeedUpdate)
        return;
    ListView1->clear();
    const auto& list = State.CurrentList();
    for (int i = State.FFirstIndex; i <= State.FLastIndex; ++i) {
        const auto& step = list[static_cast<std::size_t>(i)];
        auto* item = new QTreeWidgetItem(ListView1);
        item->setText(0, QStringLiteral("%1.%2.%3").arg(step.Major).arg(step.Minor1).arg(step.Minor2));
        item->setText(1, q(step.Title));
        item->setText(2, QString());
    }
    ListView1->setCurrentItem(ListView1->topLevelItem(0));
    ListView1->scrollToTop();
}

void TDbUpdateBox::ListView1SelectItem(int row)
{
    RichEdit1->clear();
    const int slot = row + State.FFirstIndex;
    if (row < 0 || slot < 0)
        return;
    const auto& list = State.CurrentList();
    if (static_cast<std::size_t>(slot) < list.size())
        RichEdit1->setPlainText(q(list[static_cast<std::size_t>(slot)].Description).replace(QChar('\r'), QChar('\n')));
}

void TDbUpdateBox::cboxAgreeClick()
{
    btnOk->setEnabled(cboxAgree->isHidden() || cboxAgree->isChecked());
}

void TDbUpdateBox::showRowStatus(int row)
{
    QTreeWidgetItem* item = ListView1->topLevelItem(row);
    if (!item)
        return;
    const std::string& status = run_->FRowStatus[static_cast<std::size_t>(row)];
    item->setText(2, q(status));
    item->setIcon(2, style()->standardIcon(status == "完了" ? QStyle::SP_DialogApplyButton
                                                              : QStyle::SP_DialogCancelButton));
    ListView1->repaint();
}

void TDbUpdateBox::btnOkClick()
{
    if (run_->Running()) {
        // The button's click set a result; the run in progress sets its own.
        ui::setModalResult(this, 0);
        return;
    }
    ui::setModalResult(this, ui::mrRetry);
    const int result = run_->Execute();
    ui::setModalResult(this, result);
}

void TDbUpdateBox::btnCancelClick()
{
    if (!run_->Running())
        done(ui::mrCancel);
}

bool TDbUpdateBox::FormKeyUp(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (event->key() == Qt::Key_Escape) {
        btnCancelClick();
        return true;
    }
    if (event->key() == Qt::Key_F12) {
        if (btnOk->isEnabled()) {
            ui::setModalResult(this, ui::mrOk);
            btnOkClick();
            ui::closeWithModalResult(this);
        }
        return true;
    }
    return false;
}

} // namespace vq
