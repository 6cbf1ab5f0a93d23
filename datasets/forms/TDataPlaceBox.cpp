#include "datasets/forms/TDataPlaceBox.h"

#include "foundation/app/SystemDef.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"
#include "ui/ModalResult.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/HintMemo.h"
#include "ui/forms/QtInteraction.h"
#include "ui/forms/TInputDlgBox.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStyle>

#include <exception>
#include <utility>

namespace vq {

using ui::TxPlButton;

namespace {

// A name of at most this many characters fits the place's NAME column.
constexpr int kNameLength = 20;

QString q(const std::string& s) { return QString::fromStdString(s); }

TxPlButton* button(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h)
{
    auto* b = new TxPlButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCaptionAText(QString::fromUtf8(caption));
    b->setGeometry(x, y, w, h);
    return b;
}

bool bare(const TxPlButton* b, const char* label)
{
    return b->CaptionA().Caption == QString::fromUtf8(label);
}

} // namespace

TDataPlaceBox::TDataPlaceBox(QWidget* parent)
    : TBSDI(parent, ui::bsDialog)
{
    setObjectName(QStringLiteral("DataPlaceBox"));
    setWindowTitle(QStringLiteral("データの場所の設定"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    // Closing hides the dialog; the selection screen keeps reading its list.
    FKeepOnClose = true;
    setFixedSize(691, 437);

    PerfectGrid1 = new ui::TxSpreadGrid(this);
    PerfectGrid1->setObjectName(QStringLiteral("PerfectGrid1"));
    PerfectGrid1->setGeometry(8, 8, 540, 340);
    PerfectGrid1->setColumnCount(3);
    PerfectGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("No"), QStringLiteral("名称"), QStringLiteral("フォルダパス")});
    PerfectGrid1->setColumnWidth(0, 40);
    PerfectGrid1->setColumnWidth(1, 230);
    PerfectGrid1->setColumnWidth(2, 230);
    PerfectGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    PerfectGrid1->horizontalHeader()->setSectionsClickable(false);
    PerfectGrid1->verticalHeader()->hide();
    PerfectGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PerfectGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    PerfectGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    ui::TBSDI::SetGridColors(PerfectGrid1, 1);
    connect(PerfectGrid1, &QTableWidget::currentCellChanged, this, [this] { updateButtons(); });

    const int bx = 560, bw = 120, bh = 30;
    F2 = button(this, "F2", "F2:新規作成", bx, 8, bw, bh);
    F3 = button(this, "F3", "F3:名称変更", bx, 44, bw, bh);
    F5 = button(this, "F5", "F5:削除", bx, 80, bw, bh);
    F6 = button(this, "F6", "上へ", bx, 136, bw, bh);
    F7 = button(this, "F7", "下へ", bx, 172, bw, bh);
    for (auto [b, icon] : {std::pair{F6, QStyle::SP_ArrowUp}, std::pair{F7, QStyle::SP_ArrowDown}}) {
        ui::TxPlBtnImage image = b->Image();
        image.Picture = style()->standardIcon(icon).pixmap(16, 16);
        b->setImage(image);
    }
    F1 = button(this, "F1", "F1:ヘルプ", 8, 400, 90, 30);
    F1->hide();

    HintArea = ui::NewHintMemo(this, QRect(8, 356, 675, 36));

    btnOK = button(this, "btnOK", "閉じる", 691 - 8 - 100, 400, 100, 30);
    btnCancel = button(this, "btnCancel", "キャンセル", 691 - 8 - 100 - 6 - 100, 400, 100, 30);
    btnCancel->setModalResult(ui::mrCancel);
    btnCancel->hide();

    connect(F1, &TxPlButton::clicked, this, [this] { F1Click(); });
    connect(F2, &TxPlButton::clicked, this, [this] { F2Click(); });
    connect(F3, &TxPlButton::clicked, this, [this] { F3Click(); });
    connect(F5, &TxPlButton::clicked, this, [this] { F5Click(); });
    connect(F6, &TxPlButton::clicked, this, [this] { F6Click(); });
    connect(F7, &TxPlButton::clicked, this, [this] { F7Click(); });
    connect(btnOK, &TxPlButton::clicked, this, [this] { btnOKClick(); });

    InputDlg = new ui::TInputDlgBox(this);
    setHints();
    FHintMemo = HintArea;
    FExecButton = btnOK;
    FCreated = true;
}

TDataPlaceBox::~TDataPlaceBox() = default;

void TDataPlaceBox::setHints()
{
    setHint(PerfectGrid1,
            QStringLiteral("データ管理フォルダの情報を管理します。|[F2]で新規作成、[F3]で名称変更、[F5]で削除します。"
                           "（例外：\"ﾄﾞﾗｲﾌﾞ:\\ZEVERIVUREV\\DATA\"行の削除は禁止）\r\n"
                           "[上へ][下へ]でリストの並べ替えが行えます。"));
    setHint(btnOK, QStringLiteral("内容を登録して画面を閉じます。|内容を登録して画面を閉じます。"));
    setHint(btnCancel, QStringLiteral("画面を閉じます。|画面を閉じます。"));
}

void TDataPlaceBox::PrepareShow(std::uint8_t flag)
{
    flag_ = flag;
    setHints();
    store_.LoadPlaces(false);
    fillGrid(SystemDef.ServerDataPlace);
}

void TDataPlaceBox::ShowPlaces(const TDataPlaceList& places)
{
    store_.Places = places;
    fillGrid(SystemDef.ServerDataPlace);
}

void TDataPlaceBox::fillGrid(std::int32_t selectRec)
{
    const auto& places = store_.Places;
    PerfectGrid1->setRowCount(static_cast<int>(places.size()));
    int selected = 0;
    for (int row = 0; row < static_cast<int>(places.size()); ++row) {
        const auto& place = places[static_cast<std::size_t>(row)];
        auto* no = new QTableWidgetItem(QString::number(row + 1));
        no->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        no->setData(Qt::UserRole, place.REC);
        PerfectGrid1->setItem(row, 0, no);
        PerfectGrid1->setItem(row, 1, new QTableWidgetItem(q(place.NAME)));
        PerfectGrid1->setItem(row, 2, new QTableWidgetItem(q(place.PATH)));
        if (place.REC == selectRec)
            selected = row;
    }
    if (!places.empty())
        PerfectGrid1->setCurrentCell(selected, 1);
    updateButtons();
}

std::int32_t TDataPlaceBox::currentRec() const
{
    const int row = PerfectGrid1->currentRow();
    const QTableWidgetItem* item = row >= 0 ? PerfectGrid1->item(row, 0) : nullptr;
    return item != nullptr ? item->data(Qt::UserRole).toInt() : -1;
}

std::int32_t TDataPlaceBox::currentIndex()
{
    const std::int32_t rec = currentRec();
    if (rec < 0 || !store_.LoadPlaces(false))
        return -1;
    return store_.IndexOfPlaceRec(rec);
}

void TDataPlaceBox::updateButtons()
{
    F1->setCaptionAText(QStringLiteral("F1:"));
    F2->setCaptionAText(QStringLiteral("F2:"));
    F3->setCaptionAText(QStringLiteral("F3:"));
    F5->setCaptionAText(QStringLiteral("F5:"));
    const int row = PerfectGrid1->currentRow();
    const int rows = PerfectGrid1->rowCount();
    if (row >= 0) {
        const QTableWidgetItem* item = PerfectGrid1->item(row, 1);
        const std::string name = item != nullptr ? item->text().toStdString() : std::string();
        if (currentRec() != 0)
            F5->setCaptionAText(QStringLiteral("F5:削除"));
        if (!TrimZenSpace(name).empty()) {
            F3->setCaptionAText(QStringLiteral("F3:名称変更"));
        } else {
            F2->setCaptionAText(QStringLiteral("F2:新規作成"));
            F5->setCaptionAText(QStringLiteral("F5:"));
        }
    }
    F6->setEnabled(row > 0);
    F7->setEnabled(row >= 0 && row < rows - 1);
}

template <class F>
void TDataPlaceBox::act(std::int32_t selectRec, F action)
{
    try {
        action();
    } catch (const std::exception& e) {
        platform::showMessage(e.what(), platform::MessageKind::Error);
    }
    store_.LoadPlaces(false);
    fillGrid(selectRec);
}

std::optional<std::string> TDataPlaceBox::askName(const std::string& caption, const std::string& prompt,
                                                  const std::string& value, const std::string& hint)
{
    // On the desktop the form's own input dialog asks (length and input mode
    // set); any other seam (a script, a headless run) answers the same question.
    if (dynamic_cast<ui::QtInteraction*>(&platform::interaction()) != nullptr) {
        InputDlg->Mode = 0;
        InputDlg->DlgCaption = caption;
        InputDlg->MainText = prompt;
        InputDlg->MainColor = ui::clWindowText;
        InputDlg->Value = value;
        InputDlg->MaxLen = kNameLength;
        InputDlg->InputImeMode = ui::imHira;
        InputDlg->Required = true;
        InputDlg->SetKeyFilter(0);
        InputDlg->InputHint = hint;
        InputDlg->Apply(0);
        if (InputDlg->exec() != ui::mrOk)
            return std::nullopt;
        return InputDlg->Value;
    }
    auto answer = platform::interaction().input(caption, prompt, value, false);
    if (answer) {
        const QString text = q(*answer);
        if (text.size() > kNameLength)
            *answer = text.left(kNameLength).toStdString();
    }
    return answer;
}

void TDataPlaceBox::F1Click() {}

void TDataPlaceBox::F2Click()
{
    if (bare(F2, "F2:") || currentRec() < 0)
        return;
    const auto name = askName("新規作成", "新しく作成するデータ管理フォルダの名称を入力して下さい。", "",
                              "新しく作成するデータ管理フォルダの名称を入力します。");
    const std::int32_t rec = currentRec();
    if (!name)
        return;
    act(rec, [&] { store_.CreatePlace(currentIndex(), *name); });
}

void TDataPlaceBox::F3Click()
{
    if (bare(F3, "F3:") || currentRec() < 0)
        return;
    const QTableWidgetItem* item = PerfectGrid1->item(PerfectGrid1->currentRow(), 1);
    const auto name = askName("名称の変更", "データ管理フォルダの名称を入力して下さい。",
                              item != nullptr ? item->text().toStdString() : std::string(),
                              "データ管理フォルダの管理名称を変更します。");
    const std::int32_t rec = currentRec();
    if (!name)
        return;
    act(rec, [&] { store_.RenamePlace(currentIndex(), *name); });
}

void TDataPlaceBox::F5Click()
{
    if (bare(F5, "F5:") || currentRec() <= 0)
        return;
    const std::int32_t rec = currentRec();
    act(rec, [&] { store_.DeletePlace(currentIndex()); });
}

void TDataPlaceBox::F6Click()
{
    if (!F6->isEnabled() || currentRec() < 0)
        return;
    const std::int32_t rec = currentRec();
    act(rec, [&] { store_.MovePlace(currentIndex(), -1); });
}

void TDataPlaceBox::F7Click()
{
    if (!F7->isEnabled() || currentRec() < 0)
        return;
    const std::int32_t rec = currentRec();
    act(rec, [&] { store_.MovePlace(currentIndex(), +1); });
}

void TDataPlaceBox::btnOKClick()
{
    ui::setModalResult(this, ui::mrOk);
}

bool TDataPlaceBox::FormKeyUp(QKeyEvent* event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_F1: F1Click(); return true;
        case Qt::Key_F2: F2Click(); return true;
        case Qt::Key_F3: F3Click(); return true;
        case Qt::Key_F5: F5Click(); return true;
        // The arrow buttons have no keys, and F12 must not close the dialog.
        case Qt::Key_F4:
        case Qt::Key_F6:
        case Qt::Key_F7:
        case Qt::Key_F8:
        case Qt::Key_F12: return true;
        default: break;
        }
    }
    return TBSDI::FormKeyUp(event);
}

} // namespace vq
