#include "datasets/forms/TServerSentakuBox.h"

#include "datasets/DataSentakuKeys.h"
#include "datasets/NetworkDrives.h"
#include "datasets/ServerSentakuKeys.h"
#include "datasets/forms/DataListPrint.h"
#include "datasets/forms/DataSentakuGridModel.h"
#include "datasets/forms/DataSetRowOperations.h"
#include "datasets/forms/TDataListKensakuBox.h"
#include "datasets/forms/TDataSyosaiInfoBox.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileUtils.h"
#include "foundation/files/ManualPages.h"
#include "foundation/forms/FlushInputMessages.h"
#include "platform/Folders.h"
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

namespace vq {

using ui::TxPlButton;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

ServerPrintFunc& listPrint()
{
    static ServerPrintFunc f;
    return f;
}

const char* const kNotAShare =
    "選択したフォルダはネットワーク上の共有フォルダではありません。\r"
    "ネットワークの共有フォルダを接続（マウント）したフォルダを選択して下さい。";

const char* const kMountFailed =
    "ネットワークドライブの割り当てAPIの呼び出しに失敗しました。\rOSの機能からネットワークドライブの割り当てを行って下さい。";

} // namespace

ServerPrintFunc SetServerListPrint(ServerPrintFunc print)
{
    auto previous = std::move(listPrint());
    listPrint() = std::move(print);
    return previous;
}

TServerSentakuBox::TServerSentakuBox(QWidget* parent)
    : TSentakuScreen(parent, List, 438, SvColName)
{
    setObjectName(QStringLiteral("ServerSentakuBox"));
    setWindowTitle(QStringLiteral("共有データの選択"));
    FKeepOnClose = true; // closing hides: the sort survives until the next showing
    setFixedSize(992, 566);
    createGuarded([this] {
        buildControls();
        createOwnedParts(1);
        InfoBox = new TDataSyosaiInfoBox(this);
        Ops.DataTusin = DataTusin.get();
        Ops.CloudUsable = DM != nullptr && DM->CanUseCloudShare(0);
        Ops.Tool.Host = SystemDef.HostName;
        Ops.BeginWork = [this] { showProgress("コピー中", "データのコピー中…", false); };
        Ops.EndWork = [this] { closeProgress(); };
        applyColumns();
    });
}

TServerSentakuBox::~TServerSentakuBox() = default;

void TServerSentakuBox::buildControls()
{
    buildCommonControls({{&btnMount, "btnMount", "共有割当"}}, 977, 369);
    GridModel->GridPictures = {SentakuPicture(0), SentakuPicture(0), SentakuPicture(4)};

    Label1 = new QLabel(QStringLiteral("共有ドライブ:"), pnlClient);
    Label1->setGeometry(16, 22, 96, 22);
    cmbDrive = new QComboBox(pnlClient);
    cmbDrive->setObjectName(QStringLiteral("cmbDrive"));
    cmbDrive->setGeometry(112, 20, 250, 26);
    cmbDrive->setMaxVisibleItems(10);
    cmbDrive->view()->setMinimumWidth(300);
    cboxDataListUpdate = new QCheckBox(QStringLiteral("データリストを自動更新する"), pnlClient);
    cboxDataListUpdate->setObjectName(QStringLiteral("cboxDataListUpdate"));
    cboxDataListUpdate->setGeometry(376, 22, 200, 22);

    connect(btnMount, &TxPlButton::clicked, this, [this] { btnMountClick(); });
    connect(cboxDataListUpdate, &QCheckBox::clicked, this, [this] { cboxDataListUpdateClick(); });
    connect(cmbDrive, &QComboBox::currentIndexChanged, this, [this] { cmbDriveChange(); });
}

// ---- launch interface --------------------------------------------------------

void TServerSentakuBox::SetParams(const ui::ParamLines& lines)
{
    Params = lines;
    setFormStyle(ui::formStyleOf(lines));
    if (const auto letter = ui::paramValue(lines, "DriveLetter"))
        DriveLetter = *letter;
    // Started by name the screen is its launcher's alone and goes with its closing.
    FKeepOnClose = false;
}

void TServerSentakuBox::PrepareShow(bool modal)
{
    Modal = modal;
    InitList();
    FFirstPlacement = false;
}

// ---- the list --------------------------------------------------------------------

void TServerSentakuBox::InitList()
{
    LoadHints();
    SelPasName.clear();
    SelName.clear();
    Ops.CancelPaste();
    List.SetDrive({});
    SearchBox->ListType = 1;
    SearchBox->SelectRecord(SavedSearch);
    List.Search = SavedSearch;
    if (List.Search.JYOKENUSE == 0)
        ClearConditions(List.Search);
    btnSearchCancel->setEnabled(List.Search.JYOKENUSE == 1);
    if (List.SortCol >= 0) {
        List.Search.SORTCOL = List.SortCol;
        List.Search.SORTTYPE = List.SortDesc ? 1 : 0;
    }
    if (List.Search.SORTCOL == 0) {
        List.Search.SORTCOL = SvColFolder;
        List.Search.SORTTYPE = 0;
    }
    List.SortCol = List.Search.SORTCOL;
    List.SortDesc = List.Search.SORTTYPE != 0;
    LoadDrives();
    {
        QSignalBlocker block(cboxDataListUpdate);
        cboxDataListUpdate->setChecked(SystemDef.KyoyuListAuto != 0);
    }
    List.Grid.Clear();
    if (DriveLetter.empty()) {
        showGrid();
        return;
    }
    reloadShown(true);
}

void TServerSentakuBox::reloadShown(bool rebuildWhenEmpty)
{
    try {
        List.LoadList(false);
        List.FillGrid(-1);
        if (rebuildWhenEmpty && (SystemDef.KyoyuListAuto == 1 || List.Grid.RowCount() == 0))
            List.RebuildList();
    } catch (const std::exception& e) {
        ShowMessageDetail("共有データリストの取得に失敗しました。", e.what());
    }
    showGrid();
}

void TServerSentakuBox::LoadDrives()
{
    QSignalBlocker block(cmbDrive);
    cmbDrive->clear();
    DriveLetters.clear();
    for (const TShareDrive& drive : ListShareDrives(List.ShareFolder)) {
        cmbDrive->addItem(q(drive.Text));
        DriveLetters.push_back(drive.Letter);
    }
    if (!DriveLetters.empty()) {
        const char wanted = DriveLetter.empty() ? 0 : static_cast<char>(std::toupper(static_cast<unsigned char>(DriveLetter[0])));
        int index = 0;
        for (std::size_t i = 0; i < DriveLetters.size(); ++i)
            if (DriveLetters[i] == wanted)
                index = static_cast<int>(i);
        cmbDrive->setCurrentIndex(index);
        DriveLetter = std::string(1, DriveLetters[static_cast<std::size_t>(index)]);
        List.SetDrive(DriveLetter);
        return;
    }
    cmbDrive->addItem(q("[" + List.ShareFolder + "]が見つかりません"));
    DriveLetters.push_back(0);
    cmbDrive->setCurrentIndex(0);
    DriveLetter.clear();
    List.SetDrive({});
}

void TServerSentakuBox::cmbDriveChange()
{
    const int index = cmbDrive->currentIndex();
    const char letter = index >= 0 && index < static_cast<int>(DriveLetters.size())
                            ? DriveLetters[static_cast<std::size_t>(index)]
                            : 0;
    const std::string chosen = letter == 0 ? std::string() : std::string(1, letter);
    if (chosen != DriveLetter) {
        Ops.CancelPaste();
        DriveLetter = chosen;
        List.SetDrive(DriveLetter);
        List.Grid.Clear();
        if (!DriveLetter.empty() && ProbeFolder(List.DrivePath, NetworkProbeTimeout) != FolderProbeResult::Present)
            platform::showMessage("共有サーバーが起動していない、接続が切断されている または 共有サーバー上のデータ領域が削除された可能性があります。\r",
                                  platform::MessageKind::Information);
        else if (!DriveLetter.empty())
            reloadShown(true);
        showGrid();
    }
    SetFunctionKeyCaptions();
}

void TServerSentakuBox::ChooseDrive(char letter)
{
    for (std::size_t i = 0; i < DriveLetters.size(); ++i)
        if (DriveLetters[i] == letter)
            cmbDrive->setCurrentIndex(static_cast<int>(i));
}

void TServerSentakuBox::RebuildList()
{
    Ops.CancelPaste();
    try {
        List.RebuildList();
    } catch (const std::exception& e) {
        ShowMessageDetail("共有データリストの取得に失敗しました。", e.what());
    }
    showGrid();
}

void TServerSentakuBox::PerfectGrid1CellClick(int row, int col)
{
    if (row != -1 || !List.Grid.HasCurrentRow())
        return;
    if (col != 1 && (col < 3 || col > 7))
        return;
    // The rows move: a pending paste would otherwise take its children from another row.
    Ops.CancelPaste();
    try {
        List.HeaderClick(col);
    } catch (const std::exception& e) {
        ShowMessageDetail("共有データリストの取得に失敗しました。", e.what());
    }
    showGrid();
}

void TServerSentakuBox::PerfectGrid1DblClick()
{
    if (List.Grid.RowCount() > 0 && List.Grid.HasCurrentRow())
        F12Click();
}

void TServerSentakuBox::btnSearchClick(bool cancelButton)
{
    if (!takeSearch(cancelButton))
        return;
    if (!cancelButton) {
        // The sort of the list stays as it is.
        const std::int32_t sortCol = List.SortCol;
        const bool sortDesc = List.SortDesc;
        List.Search = SavedSearch;
        List.SortCol = sortCol;
        List.SortDesc = sortDesc;
    }
    Ops.CancelPaste();
    reloadShown(false);
}

void TServerSentakuBox::btnDataInfoClick()
{
    if (!List.Grid.HasCurrentRow())
        return;
    const int gridRow = List.Grid.CurrentRow;
    TDataListRec* row = List.GetRowRecord(gridRow);
    if (row == nullptr)
        return;
    InfoBox->FromSharedList = true;
    InfoBox->Row = *row;
    InfoBox->DataFolder = ResolveDrivePath(row->PASNAME);
    InfoBox->UpdateLock = row->UPDATE_LOCK;
    InfoBox->ReadOnly = row->READ_ONLY;
    InfoBox->ListName = row->ENTTEXT;
    InfoBox->EditAllowed = false;
    InfoBox->Tool = Ops.Tool;
    InfoBox->PrepareShow(true);
    const int answer = InfoBox->exec();
    // The dialog may have stood open a while; the row is found again by its folder.
    const std::string folder = InfoBox->Row.PASNAME;
    try {
        if (answer == ui::mrOk) {
            if (InfoBox->ClearStatus) {
                row->DATALOCK = 0;
                List.WriteDataStatus(folder, DataStatusFree);
                List.Grid.SetCellInt(gridRow, SvColShared, 0);
                List.Grid.SetPicture(gridRow, SvColSharePicture, PicEmpty);
            }
            List.ListCtl.UpdateServerDataListRecord(*row, 1, true);
        }
        if (InfoBox->Rebuilt) {
            List.WriteDataStatus(folder, DataStatusFree);
            row->DATA_STATUS = 0;
            List.ListCtl.UpdateServerDataListRecord(*row, 1, true);
            RebuildList();
            const int again = List.RowOfFolder(folder);
            if (again >= 0)
                List.Grid.SetCurrentCell(again, SvColName);
        }
    } catch (const std::exception& e) {
        ShowMessageDetail("共有データリストの更新に失敗しました。", e.what());
    }
    showGrid();
}

void TServerSentakuBox::btnListUpdateClick()
{
    if (DriveLetter.empty())
        return;
    std::string text = "データリストの更新を行います。";
    if (btnSearchCancel->isEnabled())
        text += "検索実行中のため検索は解除されます。";
    text += "\rよろしいですか？";
    if (platform::showMessage(text, platform::MessageKind::Confirmation, platform::Buttons::YesNo) !=
        platform::ResultYes)
        return;
    showProgress("更新中", "データリストの更新中…", true);
    if (btnSearchCancel->isEnabled()) {
        List.Search.JYOKENUSE = 0;
        ClearConditions(List.Search);
        btnSearchCancel->setEnabled(false);
    }
    RebuildList();
    closeProgress();
    raise();
    SetFunctionKeyCaptions();
}

void TServerSentakuBox::btnMountClick()
{
    // Mounting a network share needs the system's own tools; what this
    // screen does is give an already mounted share a drive letter in the
    // drive map, which is what the shared-data functions look at.
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogRequest::Mode::Folder;
    request.title = "共有割当";
    const auto folder = platform::interaction().chooseFile(request);
    const TShareFolderCheck check = folder && !folder->empty() ? CheckShareFolder(*folder) : TShareFolderCheck{};
    if (!folder || folder->empty()) {
        // Nothing chosen: nothing to say.
    } else if (check.Outcome == TShareFolderCheck::Result::NotAShare) {
        platform::showMessage(kNotAShare, platform::MessageKind::Information);
    } else if (check.Outcome == TShareFolderCheck::Result::AlreadyMapped) {
        platform::showMessage("選択したフォルダは既にドライブ " + std::string(1, check.Letter) + ": に割り当てられています。",
                              platform::MessageKind::Information);
    } else {
        const char letter = FreeDriveLetter();
        bool mapped = false;
        if (letter != 0) {
            try {
                platform::folders::mapDrive(letter, *folder);
                mapped = true;
            } catch (const std::exception&) {
                mapped = false;
            }
        }
        if (!mapped) {
            platform::showMessage(kMountFailed, platform::MessageKind::Information);
        } else {
            Ops.CancelPaste();
            if (DriveLetter.empty())
                DriveLetter = std::string(1, letter);
            LoadDrives();
            RebuildList();
            platform::showMessage("選択したフォルダをドライブ " + std::string(1, letter) + ": に割り当てました。",
                                  platform::MessageKind::Information);
        }
    }
    raise();
    SetFunctionKeyCaptions();
}

void TServerSentakuBox::cboxDataListUpdateClick()
{
    SystemDef.KyoyuListAuto = cboxDataListUpdate->isChecked() ? 1 : 0;
}

// ---- keys --------------------------------------------------------------------------

void TServerSentakuBox::LoadHints()
{
    std::string drives =
        "ﾘｽﾄからﾃﾞｰﾀを管理しているﾄﾞﾗｲﾌﾞを選択します。|ﾘｽﾄからﾃﾞｰﾀを管理しているﾄﾞﾗｲﾌﾞを選択します。\r\n"
        "ﾏｲｺﾝﾋﾟｭｰﾀに表示されるﾄﾞﾗｲﾌﾞの中からﾄﾞﾗｲﾌﾞ直下に“vorlenzaimu”ﾌｫﾙﾀﾞのあるﾄﾞﾗｲﾌﾞのみを表示しています。";
    if (OemKind == 1 || OemKind == 2) {
        QString text = q(drives);
        text.replace(QStringLiteral("zeverivurev"), q(List.ShareFolder), Qt::CaseInsensitive);
        drives = text.toStdString();
    }
    setHint(cmbDrive, q(drives));
    setHint(btnMount, QStringLiteral("ネットワーク上の共有フォルダをドライブに割り当てます。|"));
    setHint(btnSearchCancel, QStringLiteral("検索状態を解除します。|"));
    setHint(btnSearch,
            QStringLiteral("［検索条件の設定］画面を開きます。一定条件に該当するﾃﾞｰﾀを抽出表示する場合に使用します。|"));
    setHint(btnDataInfo, QStringLiteral("「ﾃﾞｰﾀの詳細情報」画面を開きます。選択ﾃﾞｰﾀの基本情報を表示します。ﾃﾞｰﾀの表示名を変更できます。|"));
    setHint(btnListUpdate,
            QStringLiteral("ﾃﾞｰﾀﾘｽﾄを更新します。ﾌﾟﾛｸﾞﾗﾑの機能を使わずに移行したﾃﾞｰﾀを表示できます。|"));
    setHint(PerfectGrid1, q(gridHint_.empty() ? std::string(ServerGridHint) : gridHint_));
}

void TServerSentakuBox::SetFunctionKeyCaptions()
{
    TServerKeyState state;
    state.GridActive = gridActive();
    state.GridEnabled = PerfectGrid1->isEnabled() && pnlBottom->isEnabled();
    state.HasCurrentRow = List.Grid.HasCurrentRow();
    state.PastePending = Ops.PastePending();
    state.Row = state.HasCurrentRow ? List.GetRowRecord(List.Grid.CurrentRow) : nullptr;
    state.RowTakenOut = state.HasCurrentRow && List.RowTakenOut(List.Grid.CurrentRow);
    state.HasDrive = !DriveLetter.empty();
    state.HasAreas = !List.Rows.empty();
    const TServerKeyCaptions keys = ComputeServerKeyCaptions(state);
    RowState = keys.RowState;
    if (!keys.GridHint.empty()) {
        gridHint_ = keys.GridHint;
        setHint(PerfectGrid1, q(gridHint_));
        ShowHintOf(PerfectGrid1, HintArea);
    }
    for (int k = 0; k < 10; ++k)
        Keys[static_cast<std::size_t>(k)]->setCaptionAText(q(keys.Caption[static_cast<std::size_t>(k)]));
    Keys[KeyF12]->setEnabled(keys.F12Enabled);
}

void TServerSentakuBox::afterKey()
{
    PerfectGrid1->setFocus(Qt::OtherFocusReason);
    gridActive_ = true;
    if (List.Grid.HasCurrentRow()) {
        syncing_ = true;
        PerfectGrid1->ShowCurrent(List.Grid);
        syncing_ = false;
        List.CellGotFocus(List.Grid.CurrentRow);
        GridModel->RowChanged(List.Grid.CurrentRow);
    }
    SetFunctionKeyCaptions();
}

void TServerSentakuBox::ESCClick()
{
    if (!pnlBottom->isEnabled() || !keyUsable(KeyEsc))
        return;
    if (Ops.PastePending()) {
        Ops.CancelPaste();
        SetFunctionKeyCaptions();
        return;
    }
    done(ui::mrCancel);
}

void TServerSentakuBox::F1Click()
{
    if (keyUsable(KeyF1))
        ShowHtmlHelp("kyoyudata.html");
    SetFunctionKeyCaptions();
}

void TServerSentakuBox::F2Click()
{
    if (!keyUsable(KeyF2))
        return;
    const int row = List.Grid.CurrentRow;
    if (RowState == 1) {
        pnlClient->setEnabled(false);
        pnlBottom->setEnabled(false);
        Ops.MarkSource(row);
        pnlClient->setEnabled(true);
        pnlBottom->setEnabled(true);
    } else if (RowState == 2) {
        Ops.Paste(row);
        showGrid();
    }
    afterKey();
}

void TServerSentakuBox::F4Click()
{
    if (!keyUsable(KeyF4))
        return;
    Ops.AddArea();
    showGrid();
    afterKey();
}

void TServerSentakuBox::F5Click()
{
    if (!keyUsable(KeyF5))
        return;
    if (List.Grid.HasCurrentRow())
        Ops.DeleteData(List.Grid.CurrentRow, true);
    showGrid();
    afterKey();
}

void TServerSentakuBox::F8Click()
{
    if (!keyUsable(KeyF8))
        return;
    if (listPrint()) {
        listPrint()(*this);
    } else if (List.DispIndex.empty()) {
        platform::showMessage("共有データリストが表示されていません。", platform::MessageKind::Information);
    } else {
        DataListPrintRequest request;
        request.ListKind = 1;
        request.Rows = &List.Rows;
        request.DispIndex = &List.DispIndex;
        request.Caption = "共有データリストの印刷";
        request.MainText = "共有データリストを印刷します。";
        PrintDataList(this, request);
    }
    afterKey();
}

void TServerSentakuBox::F12Click()
{
    if (!keyUsable(KeyF12) || !Keys[KeyF12]->isEnabled() || !List.Grid.HasCurrentRow())
        return;
    std::string pasName, name;
    if (!Ops.ChooseArea(List.Grid.CurrentRow, pasName, name))
        return;
    SelPasName = pasName;
    SelName = name;
    done(ui::mrOk);
}

// ---- life cycle -------------------------------------------------------------------

void TServerSentakuBox::FormShow()
{
    PerfectGrid1->setFocus(Qt::OtherFocusReason);
    gridActive_ = true;
    repaint();
    SetFunctionKeyCaptions();
}

void TServerSentakuBox::FormClose()
{
    Ops.CancelPaste();
    List.Search.SORTTYPE = List.SortDesc ? 1 : 0;
    List.Search.SORTCOL = List.SortCol;
    SearchBox->UpdateRecordSortField(List.Search);
}

void TServerSentakuBox::showProgress(const char* caption, const char* label, bool cancel)
{
    xAnimeProgressDialog1->setCaption(QString::fromUtf8(caption));
    xAnimeProgressDialog1->setInfoLabel(QString::fromUtf8(label));
    xAnimeProgressDialog1->setCancelBtnShow(cancel);
    xAnimeProgressDialog1->Cancelled = false;
    xAnimeProgressDialog1->Execute(this);
}

void TServerSentakuBox::closeProgress()
{
    if (xAnimeProgressDialog1->Handle() != nullptr)
        xAnimeProgressDialog1->Close();
    xAnimeProgressDialog1->setCancelBtnShow(false);
    FlushInputMessages(this);
    show();
    raise();
    activateWindow();
}

void RegisterServerSentakuBox()
{
    ui::RegisterScreen<TServerSentakuBox>("TServerSentakuBox");
}

} // namespace vq
