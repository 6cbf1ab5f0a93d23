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

const char* const kNotReady = "データリストが応答状態ではないので処理は行えません。";

} // namespace

TDataSentakuBox::TDataSentakuBox(QWidget* parent)
    : TSentakuScreen(parent, List, 436, 0)
{
    setObjectName(QStringLiteral("DataSentakuBox"));
    setFixedSize(992, 564);
    createGuarded([this] {
        buildControls();
        List.ConnectMode = ConnectMode;
        List.CloudUsable = DM != nullptr && DM->CanUseCloudShare(0);
        List.PlaceRec = SystemDef.ServerDataPlace;
        PlacePath = TDataSentakuListCtl::DataRoot();
        createOwnedParts(0);
        PlaceBox = new TDataPlaceBox(this);
        RowOps = NewDataSetRowOperations();
        setupColumnsAndColours();
    });
}

TDataSentakuBox::~TDataSentakuBox() = default;

void TDataSentakuBox::buildControls()
{
    buildCommonControls({{&btnCloudShare, "btnCloudShare", "ｸﾗｳﾄﾞ"},
                         {&btnKyoyuDataUp, "btnKyoyuDataUp", "共有保管"},
                         {&btnKyoyuDataDown, "btnKyoyuDataDown", "共有取得"}},
                        973, 368);
    btnKyoyuDataUp->setEnabled(false);
    btnKyoyuDataDown->setEnabled(false);
    GridModel->GridPictures = {SentakuPicture(0), SentakuPicture(1), SentakuPicture(2)};
    connect(PerfectGrid1, &QTableView::clicked, this,
            [this](const QModelIndex& at) { PerfectGrid1CellClick(at.row(), at.column()); });

    pnlDataMan = new QWidget(pnlClient);
    pnlDataMan->setObjectName(QStringLiteral("pnlDataMan"));
    pnlDataMan->setGeometry(16, 8, 420, 48);
    Label1 = new QLabel(QStringLiteral("データの場所:"), pnlDataMan);
    Label1->setGeometry(0, 14, 90, 22);
    cmbDataMan = new QComboBox(pnlDataMan);
    cmbDataMan->setObjectName(QStringLiteral("cmbDataMan"));
    cmbDataMan->setGeometry(92, 14, 240, 22);
    cmbDataMan->setMaxVisibleItems(10);
    btnDataMan = SentakuButton(pnlDataMan, "btnDataMan", "設定", 340, 12, 60, 26);

    cboxKyoyuDataAuto = new QCheckBox(QStringLiteral("共有データの取得と保管を自動化する"), pnlClient);
    cboxKyoyuDataAuto->setObjectName(QStringLiteral("cboxKyoyuDataAuto"));
    cboxKyoyuDataAuto->setGeometry(16, 22, 280, 22);

    connect(btnKyoyuDataDown, &TxPlButton::clicked, this, [this] { btnKyoyuDataDownClick(); });
    connect(btnKyoyuDataUp, &TxPlButton::clicked, this, [this] { btnKyoyuDataUpClick(); });
    connect(btnCloudShare, &TxPlButton::clicked, this, [this] { btnCloudShareClick(); });
    connect(btnDataMan, &TxPlButton::clicked, this, [this] { btnDataManClick(); });
    connect(cboxKyoyuDataAuto, &QCheckBox::clicked, this, [this] { cboxKyoyuDataAutoClick(); });
    connect(cmbDataMan, &QComboBox::activated, this, [this] {
        cmbDataManChange();
        cmbDataManExit();
    });
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
    applyColumns();
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

void TDataSentakuBox::btnSearchClick(bool cancelButton)
{
    if (!takeSearch(cancelButton))
        return;
    if (!cancelButton)
        List.Search = SavedSearch;
    List.SearchActive = !cancelButton;
    SearchTag = cancelButton ? 0 : 1;
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
    TSentakuScreen::done(result);
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
    TSentakuScreen::closeEvent(event);
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
    if (watched == PerfectGrid1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
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
    }
    return TSentakuScreen::eventFilter(watched, event);
}

void RegisterDataSentakuBox()
{
    ui::RegisterScreen<TDataSentakuBox>("QzDataSenkaku");
}

} // namespace vq
