#include "datasets/forms/TDataSentakuBox.h"

#include "datasets/DataFolderCheck.h"
#include "datasets/DataListFilter.h"
#include "datasets/DataSentakuParams.h"
#include "datasets/forms/DataSentakuGridModel.h"
#include "datasets/forms/TDataListKensakuBox.h"
#include "datasets/forms/TDataPlaceBox.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/forms/FlushInputMessages.h"
#include "platform/Interaction.h"
#include "ui/ModalResult.h"
#include "ui/forms/ScreenRegistry.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxPlButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>

#include <stdexcept>

namespace vq {

using ui::TxPlButton;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

TxPlButton* button(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h)
{
    auto* b = new TxPlButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCaptionAText(QString::fromUtf8(caption));
    b->setGeometry(x, y, w, h);
    return b;
}

// Small pictures drawn once: the grid's (empty, lock, shared) and the cloud's (off, on).
QPixmap picture(int kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case 1: // lock
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.drawArc(4, 1, 8, 9, 0, 180 * 16);
        p.fillRect(3, 7, 10, 8, QColor(200, 160, 40));
        break;
    case 2: // shared
        p.setBrush(QColor(40, 120, 220));
        p.setPen(Qt::NoPen);
        p.drawEllipse(1, 4, 7, 7);
        p.drawEllipse(8, 4, 7, 7);
        break;
    case 3: // cloud on
        p.setBrush(QColor(60, 150, 230));
        p.setPen(Qt::NoPen);
        p.drawEllipse(1, 6, 8, 7);
        p.drawEllipse(5, 3, 8, 9);
        p.drawEllipse(8, 6, 7, 7);
        break;
    default:
        break;
    }
    return pm;
}

const char* const kNotReady = "データリストが応答状態ではないので処理は行えません。";

} // namespace

TDataSentakuBox::TDataSentakuBox(QWidget* parent)
    : TBSDI(parent, ui::bsDialog)
{
    setObjectName(QStringLiteral("DataSentakuBox"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    setFixedSize(992, 564);
    try {
        buildControls();
        List.ConnectMode = ConnectMode;
        List.CloudUsable = DM != nullptr && DM->CanUseCloudShare(0);
        List.PlaceRec = SystemDef.ServerDataPlace;
        PlacePath = TDataSentakuListCtl::DataRoot();
        SearchBox = new TDataListKensakuBox(this);
        SearchBox->ListType = 0;
        PlaceBox = new TDataPlaceBox(this);
        DataTusin = NewCloudShareComm();
        CloudIO = std::make_unique<TCloudShareIO>();
        RowOps = NewDataSetRowOperations();
        setupColumnsAndColours();
        FCreated = true;
    } catch (const std::exception& e) {
        ShowMessageDetail("", e.what());
        FCreated = false;
    }
}

TDataSentakuBox::~TDataSentakuBox() = default;

void TDataSentakuBox::buildControls()
{
    pnlClient = new QWidget(this);
    pnlClient->setObjectName(QStringLiteral("pnlClient"));
    pnlClient->setGeometry(0, 0, 992, 436);

    pnlDataMan = new QWidget(pnlClient);
    pnlDataMan->setObjectName(QStringLiteral("pnlDataMan"));
    pnlDataMan->setGeometry(16, 8, 420, 48);
    Label1 = new QLabel(QStringLiteral("データの場所:"), pnlDataMan);
    Label1->setGeometry(0, 14, 90, 22);
    cmbDataMan = new QComboBox(pnlDataMan);
    cmbDataMan->setObjectName(QStringLiteral("cmbDataMan"));
    cmbDataMan->setGeometry(92, 14, 240, 22);
    cmbDataMan->setMaxVisibleItems(10);
    btnDataMan = button(pnlDataMan, "btnDataMan", "設定", 340, 12, 60, 26);

    cboxKyoyuDataAuto = new QCheckBox(QStringLiteral("共有データの取得と保管を自動化する"), pnlClient);
    cboxKyoyuDataAuto->setObjectName(QStringLiteral("cboxKyoyuDataAuto"));
    cboxKyoyuDataAuto->setGeometry(16, 22, 280, 22);
    const int y = 18, h = 30, w = 76;
    int x = 977 - 7 * (w + 4);
    btnCloudShare = button(pnlClient, "btnCloudShare", "ｸﾗｳﾄﾞ", x, y, w, h);
    btnKyoyuDataUp = button(pnlClient, "btnKyoyuDataUp", "共有保管", x += w + 4, y, w, h);
    btnKyoyuDataDown = button(pnlClient, "btnKyoyuDataDown", "共有取得", x += w + 4, y, w, h);
    btnSearchCancel = button(pnlClient, "btnSearchCancel", "検索解除", x += w + 4, y, w, h);
    btnSearch = button(pnlClient, "btnSearch", "検索", x += w + 4, y, w, h);
    btnDataInfo = button(pnlClient, "btnDataInfo", "情報", x += w + 4, y, w, h);
    btnListUpdate = button(pnlClient, "btnListUpdate", "更新", x += w + 4, y, w, h);
    // Speed buttons: a click leaves the focus on the grid and its row.
    for (auto* b : {btnCloudShare, btnKyoyuDataUp, btnKyoyuDataDown, btnSearchCancel, btnSearch, btnDataInfo,
                    btnListUpdate})
        b->setFocusPolicy(Qt::NoFocus);
    btnKyoyuDataUp->setEnabled(false);
    btnKyoyuDataDown->setEnabled(false);
    btnSearchCancel->setEnabled(false);

    PerfectGrid1 = new TDataSentakuGridView(pnlClient);
    PerfectGrid1->setObjectName(QStringLiteral("PerfectGrid1"));
    PerfectGrid1->setGeometry(16, 64, 961, 368);
    GridModel = new TDataSentakuGridModel(List.Grid, this);
    GridModel->GridPictures = {picture(0), picture(1), picture(2)};
    GridModel->CloudPictures = {picture(0), picture(3)};
    GridModel->FocusFont = font();
    PerfectGrid1->setModel(GridModel);
    PerfectGrid1->installEventFilter(this);
    connect(PerfectGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now, const QModelIndex& before) {
                onCurrentChanged(now.isValid() ? now.row() : NoCurrentRow, now.isValid() ? now.column() : 0,
                                 before.isValid() ? before.row() : NoCurrentRow);
            });
    connect(PerfectGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int col) { PerfectGrid1CellClick(-1, col); });
    connect(PerfectGrid1, &QTableView::clicked, this,
            [this](const QModelIndex& at) { PerfectGrid1CellClick(at.row(), at.column()); });
    connect(PerfectGrid1, &QTableView::doubleClicked, this, [this] { PerfectGrid1DblClick(); });

    txtIncSerch = new QLineEdit(pnlClient);
    txtIncSerch->setObjectName(QStringLiteral("txtIncSerch"));
    txtIncSerch->setReadOnly(true);
    txtIncSerch->setMaxLength(8);
    txtIncSerch->setFocusPolicy(Qt::NoFocus);
    txtIncSerch->setStyleSheet(QStringLiteral("background: palette(highlight); color: white; font-weight: bold;"));
    txtIncSerch->resize(100, 22);
    txtIncSerch->hide();
    IncSerchTimer = new QTimer(this);
    IncSerchTimer->setSingleShot(true);
    IncSerchTimer->setInterval(0);
    connect(IncSerchTimer, &QTimer::timeout, this, [this] { IncSerchTimerTimer(); });

    pnlBottom = new QWidget(this);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    pnlBottom->setGeometry(0, 436, 992, 128);
    HintArea = new QPlainTextEdit(pnlBottom);
    HintArea->setObjectName(QStringLiteral("HintArea"));
    HintArea->setReadOnly(true);
    HintArea->setFocusPolicy(Qt::NoFocus);
    HintArea->setFrameShape(QFrame::NoFrame);
    HintArea->setGeometry(16, 4, 961, 72);
    QPalette memo = HintArea->palette();
    memo.setColor(QPalette::Base, palette().color(QPalette::Window));
    HintArea->setPalette(memo);
    FHintMemo = HintArea;

    const char* captions[] = {"ESC:ｷｬﾝｾﾙ", "F1:ヘルプ", "F2:", "F3:", "F4:", "F5:", "F6:", "F7:", "F8:印刷", "F12:選択"};
    const int kw = 90, kh = 34, ky = 84;
    for (int k = 0; k < 10; ++k) {
        const int kx = k == KeyF12 ? 977 - kw : 16 + k * (kw + 4);
        Keys[static_cast<std::size_t>(k)] =
            button(pnlBottom, DataSentakuKeyNames[static_cast<std::size_t>(k)], captions[k], kx, ky, kw, kh);
    }
    connect(Keys[KeyEsc], &TxPlButton::clicked, this, [this] { ESCClick(); });
    connect(Keys[KeyF1], &TxPlButton::clicked, this, [this] { F1Click(); });
    connect(Keys[KeyF2], &TxPlButton::clicked, this, [this] { F2Click(); });
    connect(Keys[KeyF3], &TxPlButton::clicked, this, [this] { F3Click(); });
    connect(Keys[KeyF4], &TxPlButton::clicked, this, [this] { F4Click(); });
    connect(Keys[KeyF5], &TxPlButton::clicked, this, [this] { F5Click(); });
    connect(Keys[KeyF6], &TxPlButton::clicked, this, [this] { F6Click(); });
    connect(Keys[KeyF7], &TxPlButton::clicked, this, [this] { F7Click(); });
    connect(Keys[KeyF8], &TxPlButton::clicked, this, [this] { F8Click(); });
    connect(Keys[KeyF12], &TxPlButton::clicked, this, [this] { F12Click(); });
    FExecButton = Keys[KeyF12];

    connect(btnSearch, &TxPlButton::clicked, this, [this] { btnSearchClick(false); });
    connect(btnSearchCancel, &TxPlButton::clicked, this, [this] { btnSearchClick(true); });
    connect(btnListUpdate, &TxPlButton::clicked, this, [this] { btnListUpdateClick(); });
    connect(btnKyoyuDataDown, &TxPlButton::clicked, this, [this] { btnKyoyuDataDownClick(); });
    connect(btnKyoyuDataUp, &TxPlButton::clicked, this, [this] { btnKyoyuDataUpClick(); });
    connect(btnCloudShare, &TxPlButton::clicked, this, [this] { btnCloudShareClick(); });
    connect(btnDataInfo, &TxPlButton::clicked, this, [this] { btnDataInfoClick(); });
    connect(btnDataMan, &TxPlButton::clicked, this, [this] { btnDataManClick(); });
    connect(cboxKyoyuDataAuto, &QCheckBox::clicked, this, [this] { cboxKyoyuDataAutoClick(); });
    connect(cmbDataMan, &QComboBox::activated, this, [this] {
        cmbDataManChange();
        cmbDataManExit();
    });

    xAnimeProgressDialog1 = new ui::TxAnimeProgressDialog(this);
    xAnimeProgressDialog1->setCancelBtnShow(false);
}

void TDataSentakuBox::setupColumnsAndColours()
{
    const bool standAlone = ConnectMode == ConnectStandAlone;
    if (ConnectMode <= ConnectTerminal) {
        setWindowTitle(ConnectMode == ConnectClientServer ? QStringLiteral("データ選択（サーバー）")
                                                          : QStringLiteral("データ選択"));
        pnlDataMan->setVisible(!standAlone);
        cboxKyoyuDataAuto->setVisible(standAlone);
        btnKyoyuDataUp->setVisible(standAlone);
        btnKyoyuDataDown->setVisible(standAlone);
        if (!standAlone)
            btnCloudShare->setGeometry(btnKyoyuDataDown->geometry());
    } else {
        setWindowTitle(QStringLiteral("データ選択"));
    }
    btnCloudShare->setVisible(List.CloudUsable);
    List.SetupColumns();
    PerfectGrid1->ApplyColumns(List.Grid);
    QPalette pal = PerfectGrid1->palette();
    const std::uint32_t focus = List.Grid.FocusBorderColor;
    pal.setColor(QPalette::Highlight, QColor(int(focus & 0xFF), int((focus >> 8) & 0xFF), int((focus >> 16) & 0xFF)));
    PerfectGrid1->setPalette(pal);
}

// ---- launch interface --------------------------------------------------------

void TDataSentakuBox::SetSyoriType(std::int32_t value)
{
    if (value > 5)
        throw std::out_of_range("処理タイプに範囲外の値が設定されました。");
    List.SyoriType = value < 0 ? List.SyoriType : value;
}

void TDataSentakuBox::SetParams(const ui::ParamLines& lines)
{
    Params = lines;
    if (const auto type = ui::syoriTypeOf(lines))
        SetSyoriType(*type);
    setFormStyle(ui::formStyleOf(lines));
    InitKensakuRec(Preset, SystemDef.OPCODE, 0);
    TDataSentakuPreset extra;
    ReadPresetParams(lines, Preset, extra);
    ManualFree = extra.ManualFree;
    FKeepOnClose = ManualFree;
    OnlySARestore = 0;
    OnlySABackupPath.clear();
    if (List.SyoriType == 5)
        ReadOnlySAParams(lines, OnlySARestore, OnlySABackupPath);
}

std::int32_t TDataSentakuBox::Execute(bool modal)
{
    if (!modal && FCreated)
        PrepareShow(false);
    return ExecuteScreen(modal, [this] { PrepareShow(true); });
}

void TDataSentakuBox::PrepareShow(bool modal)
{
    Modal = modal;
    switch (List.SyoriType) {
    case 2:
        SystemDef.CopyPathsText.clear();
        btnCloudShare->hide();
        if (ConnectMode == ConnectStandAlone) {
            SavedAutoShared = SystemDef.KyoyuDataAuto;
            SystemDef.KyoyuDataAuto = 0;
        }
        break;
    case 3:
    case 4:
        btnCloudShare->hide();
        break;
    case 5:
        SystemDef.CopyPathsText.clear();
        break;
    default:
        break;
    }
    InitList();
}

// ---- the list --------------------------------------------------------------------

void TDataSentakuBox::InitList()
{
    LoadHints();
    if (ConnectMode == ConnectClientServer || ConnectMode == ConnectTerminal) {
        std::string names;
        PlaceBox->GetPlaceNames(names);
        QSignalBlocker block(cmbDataMan);
        cmbDataMan->clear();
        for (const auto& name : QString::fromStdString(names).split(QLatin1Char('\r'), Qt::SkipEmptyParts))
            cmbDataMan->addItem(name);
        int index = PlaceBox->IndexOfPlaceRec(List.PlaceRec);
        if (index < 0)
            index = 0;
        cmbDataMan->setCurrentIndex(index);
        List.PlaceRec = std::max(0, PlaceBox->GetPlaceRec(index));
        PlaceBox->GetPlacePath(index, PlacePath);
    }
    SearchBox->SelectRecord(SavedSearch);
    List.Search = SavedSearch;
    if (List.Search.JYOKENUSE == 0)
        ClearConditions(List.Search);
    SearchTag = 0;
    if (Preset.JYOKENUSE == 1) {
        Preset.SORTCOL = SavedSearch.SORTCOL;
        Preset.SORTTYPE = SavedSearch.SORTTYPE;
        List.Search = Preset;
        SearchTag = 1;
    }
    btnSearchCancel->setEnabled(List.Search.JYOKENUSE == 1);
    List.SearchActive = btnSearchCancel->isEnabled();
    List.SortCol = List.Search.SORTCOL;
    List.SortDesc = List.Search.SORTTYPE != 0;
    // An empty list still replaces the grid: rows of another place must not
    // stay on show and be chosen.
    LoadList();
    FillGrid(-1);
    {
        QSignalBlocker block(cboxKyoyuDataAuto);
        cboxKyoyuDataAuto->setChecked(SystemDef.KyoyuDataAuto == 1);
    }
    PrevFolder = SystemDef.DataDir;
    Cancelled = false;
}

std::int32_t TDataSentakuBox::LoadList()
{
    try {
        return List.LoadList();
    } catch (const std::exception& e) {
        // The store reports its own database errors; the list stays empty.
        List.Rows.clear();
        List.DispIndex.clear();
        ShowMessageDetail("データリストの取得に失敗しました。", e.what());
        return 0;
    }
}

void TDataSentakuBox::FillGrid(std::int32_t index)
{
    if (index < 0) {
        List.FillGrid(-1);
        showGrid();
        return;
    }
    List.FillGrid(index);
    showGrid();
}

void TDataSentakuBox::showGrid()
{
    syncing_ = true;
    GridModel->Reset();
    GridModel->HeaderChanged();
    PerfectGrid1->ShowCurrent(List.Grid);
    if (List.Grid.HasCurrentRow())
        List.CellGotFocus(List.Grid.CurrentRow);
    syncing_ = false;
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::showRow(int row)
{
    GridModel->RowChanged(row);
}

void TDataSentakuBox::SelectRow(int row, int col)
{
    if (row < 0 || row >= List.Grid.RowCount())
        return;
    PerfectGrid1->setCurrentIndex(GridModel->index(row, PerfectGrid1->isColumnHidden(col) ? 0 : col));
    List.Grid.CurrentCol = col;
}

void TDataSentakuBox::onCurrentChanged(int row, int col, int previousRow)
{
    if (syncing_)
        return;
    if (previousRow != NoCurrentRow) {
        List.CellLostFocus(previousRow);
        showRow(previousRow);
    }
    List.Grid.SetCurrentCell(row, col);
    if (List.Grid.HasCurrentRow()) {
        List.CellGotFocus(row);
        showRow(row);
    }
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::ScrollToPrevious()
{
    if (ReselectOnShow) {
        PrevFolder = SystemDef.DataDir;
        if (List.ScrollToFolder(PrevFolder) >= 0) {
            showGrid();
            PerfectGrid1->scrollTo(GridModel->index(List.Grid.TopRow, 0), QAbstractItemView::PositionAtTop);
        }
    }
    ReselectOnShow = true;
}

bool TDataSentakuBox::DataListRefresh(std::int32_t gridRow)
{
    try {
        if (gridRow >= 0) {
            List.DataListRefresh(gridRow);
        } else {
            List.DataListRefresh(-1, [this](std::int32_t row) {
                xAnimeProgressDialog1->setInfoLabel(
                    QStringLiteral("データリスト（%1行目）の更新中…").arg(row + 1));
                QApplication::processEvents();
                return !xAnimeProgressDialog1->Cancelled;
            });
        }
    } catch (const std::exception& e) {
        ShowMessageDetail("データリストの更新に失敗しました。", e.what());
    }
    showGrid();
    return false;
}

void TDataSentakuBox::PerfectGrid1CellClick(int row, int col)
{
    if (row == -1) {
        if (List.HeaderClick(col))
            showGrid();
        return;
    }
    if (col != ColLockPicture || (ConnectMode != ConnectClientServer && ConnectMode != ConnectTerminal))
        return;
    // The operator lock of client/server mode.
    TDataListRec* rec = List.GetRowRecord(row);
    if (rec == nullptr)
        return;
    const std::string folder = List.GetDataPath(row);
    TDataInfomationRec info;
    const std::uint8_t status = CheckDataStatus(folder, true, false, info);
    if (status == 0)
        return;
    if (status > DataStatusLocked) {
        ShowDataStatusReport(folder, info);
        return;
    }
    std::int32_t lock = List.Grid.CellInt(row, ColLock);
    const std::int32_t me = OperatorNumberOf(SystemDef.OPCODE, SystemDef.GROUPID);
    if (lock == 0) {
        lock = me;
    } else if (status == DataStatusLocked && OperatorNumberOf(info.OPCODE, SystemDef.GROUPID) == me) {
        lock = 0;
    } else if (status == DataStatusLocked) {
        platform::MessageRequest request;
        request.caption = "ロックデータの状態";
        request.kind = platform::MessageKind::Warning;
        request.text = "このデータは違うオペレータによりロックされているため解除は行えません。\r\r【データフォルダ】\r　" +
                       folder + "\r\r【オペレータ】\r　" + std::to_string(lock) + "\r\r【オペレータ名】\r　" +
                       info.OPERATOR;
        platform::interaction().message(request);
    }
    List.Grid.SetPicture(row, ColLockPicture, lock != 0 ? PicLock : PicEmpty);
    List.Grid.SetCellInt(row, ColLock, lock);
    rec->DATALOCK = lock;
    try {
        List.SaveRow(*rec);
    } catch (const std::exception& e) {
        ShowMessageDetail("", e.what());
    }
    showRow(row);
}

void TDataSentakuBox::PerfectGrid1KeyDown(int virtualKey)
{
    if (List.Grid.RowCount() == 0)
        return;
    const char c = IncSearchCharOfKey(virtualKey);
    if (c == 0)
        return;
    IncText += c;
    if (IncText.size() <= 8) {
        const QRect grid = PerfectGrid1->geometry();
        txtIncSerch->move(grid.left() + 4 + qRound(grid.width() / 10.0), grid.top() - 12 < 0 ? 0 : grid.top() - 12);
        txtIncSerch->setText(q(IncText));
        txtIncSerch->show();
        txtIncSerch->raise();
    }
    IncSerchTimer->setInterval(NextIncSearchInterval(IncSerchTimer->interval()));
    IncSerchTimer->start();
}

void TDataSentakuBox::IncSerchTimerTimer()
{
    if (gridActive()) {
        const int row = List.FindCode(IncText);
        if (row >= 0)
            SelectRow(row, 0);
    }
    IncSerchTimer->stop();
    IncSerchTimer->setInterval(0);
    IncText.clear();
    txtIncSerch->hide();
}

void TDataSentakuBox::btnSearchClick(bool cancelButton)
{
    if (cancelButton) {
        List.Search.JYOKENUSE = 0;
        ClearConditions(List.Search);
        btnSearchCancel->setEnabled(false);
        List.SearchActive = false;
        SearchTag = 0;
    } else {
        SearchBox->ListType = 0;
        SearchBox->Cond = SavedSearch;
        SearchBox->PrepareShow(true);
        if (SearchBox->exec() != ui::mrOk) {
            SetFunctionKeyCaptions();
            return;
        }
        SavedSearch = SearchBox->Cond;
        SearchBox->UpdateRecord(SavedSearch);
        List.Search = SavedSearch;
        btnSearchCancel->setEnabled(true);
        List.SearchActive = true;
        SearchTag = 1;
    }
    LoadList();
    FillGrid(-1);
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::btnListUpdateClick()
{
    if (!PerfectGrid1->isEnabled()) {
        platform::showMessage(kNotReady, platform::MessageKind::Information);
        return;
    }
    if (platform::showMessage("データリストの更新を行います。\rよろしいですか？", platform::MessageKind::Confirmation,
                              platform::Buttons::YesNo) != platform::ResultYes)
        return;
    xAnimeProgressDialog1->setCaption(QStringLiteral("更新中"));
    xAnimeProgressDialog1->setInfoLabel(QStringLiteral("データリストの更新中…"));
    xAnimeProgressDialog1->setCancelBtnShow(true);
    xAnimeProgressDialog1->Cancelled = false;
    xAnimeProgressDialog1->Execute(this);
    DataListRefresh(-1);
    xAnimeProgressDialog1->Close();
    xAnimeProgressDialog1->setCancelBtnShow(false);
    FlushInputMessages(this);
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::cmbDataManChange()
{
    btnSearch->setEnabled(false);
    btnSearchCancel->setEnabled(false);
    PerfectGrid1->setEnabled(false);
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::cmbDataManExit()
{
    const int index = cmbDataMan->currentIndex();
    List.PlaceRec = std::max(0, PlaceBox->GetPlaceRec(index));
    PlaceBox->GetPlacePath(index, PlacePath);
    btnSearch->setEnabled(true);
    btnSearchCancel->setEnabled(List.Search.JYOKENUSE == 1);
    PerfectGrid1->setEnabled(true);
    // A place without rows shows an empty grid, never the rows of the place before.
    LoadList();
    FillGrid(-1);
    PerfectGrid1->setFocus(Qt::OtherFocusReason);
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::btnDataManClick()
{
    List.PlaceRec = std::max(0, PlaceBox->GetPlaceRec(cmbDataMan->currentIndex()));
    PlaceBox->PrepareShow(0);
    if (PlaceBox->exec() == ui::mrOk) {
        std::string names;
        PlaceBox->GetPlaceNames(names);
        QSignalBlocker block(cmbDataMan);
        cmbDataMan->clear();
        for (const auto& name : QString::fromStdString(names).split(QLatin1Char('\r'), Qt::SkipEmptyParts))
            cmbDataMan->addItem(name);
        const int index = PlaceBox->IndexOfPlaceRec(List.PlaceRec);
        cmbDataMan->setCurrentIndex(index < 0 ? 0 : index);
        if (index < 0)
            cmbDataManExit();
    }
    SetFunctionKeyCaptions();
}

// ---- life cycle --------------------------------------------------------------------

void TDataSentakuBox::FormShow()
{
    ScrollToPrevious();
    PerfectGrid1->setFocus(Qt::OtherFocusReason);
    gridActive_ = true;
    SetFunctionKeyCaptions();
}

bool TDataSentakuBox::formCloseQuery(int& result)
{
    const int type = List.SyoriType;
    if ((type == 1 || type == 3) && result != ui::mrOk) {
        if (type == 1 && result == ui::mrCancel && !Cancelled) {
            result = 3;
            const int answer = platform::showMessage(SystemDef.AppTitle + "を終了します。よろしいですか？",
                                                     platform::MessageKind::Confirmation, platform::Buttons::OkCancel);
            if (answer != platform::ResultOk) {
                Cancelled = false;
                return false;
            }
            return true;
        }
        SelFolder = PrevFolder;
        while (SelFolder.size() > 1 && (SelFolder.back() == '/' || SelFolder.back() == '\\'))
            SelFolder.pop_back();
        SelPasName.clear();
        std::int32_t r = FolderRefused;
        try {
            r = CheckDataFolder(SelFolder);
        } catch (const std::exception&) {
            r = FolderRefused;
        }
        if (r < 0) {
            SelFolder.clear();
            if (type == 1) {
                Cancelled = false;
                return false;
            }
        } else if (r == 0) {
            platform::showMessage("前回、選択したデータは削除されています。\r", platform::MessageKind::Information);
            SelFolder.clear();
            if (type == 1) {
                Cancelled = false;
                return false;
            }
        } else {
            SystemDef.DataDir = SelFolder;
            SystemDef.DataPasName = SelPasName;
        }
        return true;
    }
    if (type == 2 && DM != nullptr && !DM->IBDatabaseDAT.connected())
        DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 0);
    return true;
}

void TDataSentakuBox::done(int result)
{
    if (!closeQueried_) {
        if (!formCloseQuery(result))
            return;
        closeQueried_ = true;
    }
    TBSDI::done(result);
}

void TDataSentakuBox::closeEvent(QCloseEvent* event)
{
    if (!closeQueried_) {
        int result = ui::mrCancel;
        if (!formCloseQuery(result)) {
            event->ignore();
            return;
        }
        closeQueried_ = true;
        setResult(result);
    }
    TBSDI::closeEvent(event);
}

void TDataSentakuBox::FormClose()
{
    if (CopyPending) {
        CopyPending = false;
        RowOps->CancelCopy(*this);
    }
    List.Search.SORTCOL = List.SortCol;
    List.Search.SORTTYPE = List.SortDesc ? 1 : 0;
    SearchBox->UpdateRecordSortField(List.Search);
    if (List.SyoriType == 5)
        return;
    SystemDef.ServerDataPlace = ConnectMode == ConnectStandAlone ? 0 : List.PlaceRec;
    if (List.SyoriType == 2) {
        if (ConnectMode == ConnectStandAlone)
            SystemDef.KyoyuDataAuto = SavedAutoShared;
        return;
    }
    if (DM != nullptr && DM->IBDatabaseDEF.connected())
        DM->fnPutSysDef();
}

bool TDataSentakuBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PerfectGrid1) {
        if (event->type() == QEvent::FocusIn) {
            gridActive_ = true;
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                gridActive_ = false;
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                PerfectGrid1DblClick();
                return true;
            }
            const bool keypad = key->modifiers() & Qt::KeypadModifier;
            int vk = 0;
            const int k = key->key();
            // Home and End go to the first and the last row, as in the list
            // grids of the line (the table view would go to the first column).
            if ((k == Qt::Key_Home || k == Qt::Key_End) && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                const int rows = GridModel->rowCount();
                if (rows > 0) {
                    const int col = PerfectGrid1->currentIndex().isValid() ? PerfectGrid1->currentIndex().column() : ColNo;
                    const QModelIndex at = GridModel->index(k == Qt::Key_Home ? 0 : rows - 1, col);
                    PerfectGrid1->selectionModel()->setCurrentIndex(
                        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                    PerfectGrid1->scrollTo(at);
                }
                return true;
            }
            if (k >= Qt::Key_0 && k <= Qt::Key_9)
                vk = keypad ? 96 + (k - Qt::Key_0) : k;
            else if (k >= Qt::Key_A && k <= Qt::Key_Z)
                vk = k;
            else if (keypad && k == Qt::Key_Asterisk)
                vk = 106;
            else if (keypad && k == Qt::Key_Plus)
                vk = 107;
            else if (keypad && k == Qt::Key_Minus)
                vk = 109;
            else if (keypad && k == Qt::Key_Period)
                vk = 110;
            else if (keypad && k == Qt::Key_Slash)
                vk = 111;
            else if (key->text().size() == 1) {
                switch (key->text().at(0).toLatin1()) {
                case ':': vk = 186; break;
                case ';': vk = 187; break;
                case ',': vk = 188; break;
                case '-': vk = 189; break;
                case '.': vk = 190; break;
                case '/': vk = 191; break;
                case '@': vk = 192; break;
                case '[': vk = 219; break;
                case '\\': vk = 220; break;
                case ']': vk = 221; break;
                case '^': vk = 222; break;
                default: break;
                }
            }
            if (vk != 0 && (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier) {
                PerfectGrid1KeyDown(vk);
                return true;
            }
        }
    }
    return TBSDI::eventFilter(watched, event);
}

bool TDataSentakuBox::FormKeyUp(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return TBSDI::FormKeyUp(event);
    switch (event->key()) {
    case Qt::Key_Escape: ESCClick(); return true;
    case Qt::Key_F1: F1Click(); return true;
    case Qt::Key_F2: F2Click(); return true;
    case Qt::Key_F3: F3Click(); return true;
    case Qt::Key_F4: F4Click(); return true;
    case Qt::Key_F5: F5Click(); return true;
    case Qt::Key_F6: F6Click(); return true;
    case Qt::Key_F7: F7Click(); return true;
    case Qt::Key_F8: F8Click(); return true;
    case Qt::Key_F12: F12Click(); return true;
    default: return TBSDI::FormKeyUp(event);
    }
}

void RegisterDataSentakuBox()
{
    ui::RegisterScreen<TDataSentakuBox>("QzDataSenkaku");
}

} // namespace vq
