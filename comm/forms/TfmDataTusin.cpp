#include "comm/forms/TfmDataTusin.h"

#include "comm/DataTusinComm.h"
#include "foundation/app/AccInf.h"
#include "comm/forms/TfmTusinSettiPas.h"
#include "comm/forms/TfmWaitMess.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/ManualPages.h"
#include "platform/Interaction.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "ui/ModalResult.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/ScreenRegistry.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

#include <chrono>
#include <thread>

namespace vq::comm {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

void message(const std::string& text, platform::MessageKind kind)
{
    platform::showMessage(text, kind);
}

bool blank(const std::string& text)
{
    return TrimBlanks(text).empty();
}

// The pause before each server step: a short spin on the clock that pumps
// no messages, so the step window stands still meanwhile.
void pause()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(480));
}

// The operator code (first four characters, as a number without leading
// zeros; empty when not a number) and name (from the fifth) of a slot's user.
std::pair<std::string, std::string> splitUser(const std::string& user)
{
    const std::string head = TrimBlanks(user.substr(0, std::min<std::size_t>(4, user.size())));
    std::string code;
    if (!head.empty() && head.find_first_not_of("0123456789") == std::string::npos)
        code = std::to_string(std::stoi(head));
    return {code, user.size() > 4 ? user.substr(4) : std::string()};
}

struct KeyRec {
    int key;
    const char* name;
};
constexpr KeyRec KeyNames[] = {{0, "ESC"}, {1, "F1"}, {2, "F2"}, {3, "F3"}, {4, "F4"}, {5, "F5"},
                               {6, "F6"},  {7, "F7"}, {8, "F8"}, {12, "F12"}};

int keyOf(int qtKey)
{
    if (qtKey == Qt::Key_Escape)
        return 0;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F8)
        return qtKey - Qt::Key_F1 + 1;
    if (qtKey == Qt::Key_F12)
        return 12;
    return -1;
}

} // namespace

TfmDataTusin::TfmDataTusin(QWidget* parent)
    : TBSDI(parent, ui::bsDialog),
      Session(TCommSettings{})
{
    setObjectName(QStringLiteral("fmDataTusin"));
    setWindowTitle(QStringLiteral("データ通信"));
    FWriteOpHistory = true;
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = false;
    buildControls();
    FHintMemo = HintArea;
    FCreated = true;
}

TfmDataTusin::~TfmDataTusin() = default;

void TfmDataTusin::buildControls()
{
    setFixedSize(989, 397);
    pnlClient = new QWidget(this);
    pnlClient->setObjectName(QStringLiteral("pnlClient"));
    pnlClient->setGeometry(0, 0, 989, 236);
    Label1 = new QLabel(QStringLiteral("中継サーバー情報"), pnlClient);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 4, 400, 18);
    PerfectGrid1 = new ui::TxSpreadGrid(pnlClient);
    PerfectGrid1->setObjectName(QStringLiteral("PerfectGrid1"));
    PerfectGrid1->setGeometry(8, 24, 973, 210);
    PerfectGrid1->verticalHeader()->hide();
    PerfectGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    PerfectGrid1->horizontalHeader()->setSectionsClickable(false);
    PerfectGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PerfectGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    PerfectGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    ui::TBSDI::SetGridColors(PerfectGrid1, 1);
    connect(PerfectGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { onCurrentRowChanged(row); });

    pnlBottom = new QWidget(this);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    pnlBottom->setGeometry(0, 236, 989, 161);
    HintArea = new QPlainTextEdit(pnlBottom);
    HintArea->setObjectName(QStringLiteral("HintArea"));
    HintArea->setReadOnly(true);
    HintArea->setFocusPolicy(Qt::NoFocus);
    HintArea->setGeometry(8, 4, 973, 110);
    int x = 8;
    for (const KeyRec& k : KeyNames) {
        auto* b = new ui::TxPlButton(pnlBottom);
        b->setObjectName(QString::fromLatin1(k.name));
        b->setGeometry(x, 122, 90, 30);
        x += k.key == 0 || k.key == 4 || k.key == 8 ? 104 : 94;
        const int key = k.key;
        connect(b, &ui::TxPlButton::clicked, this, [this, key] { F1Click(key); });
        Keys[static_cast<std::size_t>(k.key)] = b;
    }
    Keys[12]->move(989 - 8 - 90, 122);
    for (int hidden : {6, 7, 8})
        Keys[static_cast<std::size_t>(hidden)]->hide();
    xAnimeProgressDialog1 = new ui::TxAnimeProgressDialog(this);
    SetFunctionKeyCaptions();
}

ui::TxPlButton* TfmDataTusin::Key(int key) const
{
    return key >= 0 && key < static_cast<int>(Keys.size()) ? Keys[static_cast<std::size_t>(key)] : nullptr;
}

// --- screen interface -------------------------------------------------------------------

void TfmDataTusin::SetParams(const ui::ParamLines& lines)
{
    Params = lines;
    if (const auto t = ui::syoriTypeOf(lines))
        SyoriType = *t;
    setFormStyle(ui::formStyleOf(lines));
}

// --- entry points --------------------------------------------------------------------------

std::int32_t TfmDataTusin::ReleaseCloudShare(const std::string& folder)
{
    SyoriType = 23;
    DataFolder = folder;
    BackupFileName = "cpacc.fbk";
    const std::int32_t result = TDataTusinComm().ReleaseCloudShare(folder);
    QApplication::restoreOverrideCursor();
    return result;
}

std::int32_t TfmDataTusin::SelectCloudShareSlot(const std::string& folder)
{
    return selectSlot(25, folder);
}

std::int32_t TfmDataTusin::SelectCloudShareSlotForNewYear(const std::string& folder)
{
    return selectSlot(26, folder);
}

std::int32_t TfmDataTusin::selectSlot(std::int32_t syoriType, const std::string& folder)
{
    SyoriType = syoriType;
    DataFolder = folder;
    AutoMode = 0;
    BackupFileName = "cpacc.fbk";
    SlotSelected = false;
    SelectedSlot = 0;
    // The caller reads the choice after the screen closed.
    FKeepOnClose = true;
    if (blank(folder))
        return 1;
    try {
        Session = TDataTusinComm().NewSession();
        loadRecord();
        // The next-year update needs the listing before anything is shown.
        if (syoriType == 26 && !GetServerInfo())
            return 1;
        PrepareOperation();
        exec();
    } catch (const std::exception& e) {
        message(ExceptionReport("クラウドシェアデータ処理中にエラーになりました。\r\n", e),
                platform::MessageKind::Error);
    }
    return 0;
}

void TfmDataTusin::loadRecord()
{
    Record = {};
    try {
        Record = ReadCloudShareRecord(SystemDef.HostName, DataFolder);
    } catch (...) {
        ReportCurrentException("TfmDataTusin.ConnectData", "　\r\nデータの接続に失敗したため、データ選択画面を開きます。\r\n ",
                               false);
    }
    if (PendingIdentity) {
        Record.WEB_HOLDER = PendingIdentity->first;
        Record.PASWORD = PendingIdentity->second;
    }
    Session.Caller.CommId = Record.WEB_HOLDER;
}

// --- the slot list ----------------------------------------------------------------------------

bool TfmDataTusin::GetServerInfo()
{
    const bool editionFlag = OemKind == 1 || OemKind == 2;
    const bool cloud = SyoriType >= 20 && SyoriType <= 26;
    const bool relay = SyoriType == 1 || SyoriType == 2;
    if (!cloud && (SyoriType < 1 || SyoriType > 10))
        return false;
    if (relay)
        Session.Caller.CommId = TrimBlanks(AccInf.WEB_HOLDER);
    const TRelayRequest listing = cloud   ? CloudListingRequest(Session.Caller, editionFlag, ProductKind == 2 || AutoMode == 1)
                                  : relay ? RelayListingRequest(Session.Caller, editionFlag)
                                          : CashBookListingRequest(Session.Caller);
    const bool ok = Session.GetServerInfo(listing, SystemDef.EraDisplay == 1);
    if (!ok) {
        Keys[5]->setEnabled(false);
        Keys[12]->setEnabled(false);
    }
    return ok;
}

void TfmDataTusin::PrepareOperation()
{
    if (SyoriType != 1 && SyoriType != 2 && SyoriType != 25 && SyoriType != 26)
        return;
    PrepareOnActivate = 0;
    BackupFileName = SyoriType < 21 ? "vqacc.fbk" : "cpacc.fbk";
    if (SyoriType != 7 && MenuHostProc && MenuHostProc(10, "") > 0) {
        message("　\r\n現在メニュー以外の画面を表示中なので、" + OperationName + "処理は行えません。\r\n ",
                platform::MessageKind::Warning);
        return;
    }
    Keys[5]->setEnabled(true);
    Keys[12]->setEnabled(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    {
        TfmWaitMess wait(this);
        wait.resize(435, 194);
        for (int i = 0; i < wait.StepCount(); ++i)
            wait.Step(i)->setVisible(i == 2);
        const QString caption =
            SyoriType > 24 ? QStringLiteral("クラウドシェア情報確認") : QStringLiteral("中継サーバー情報確認");
        wait.MarkPlain(2, caption);
        wait.ShowNow();
        pause();
        bool inUse = false;
        if (SyoriType > 20 && DM != nullptr && DM->AccDatInConnection(1, SystemDef.HostName, DataFolder, 0)) {
            message("このデータは他のオペレータが使用中です。 ", platform::MessageKind::Warning);
            inUse = true;
        }
        if (SyoriType <= 2) {
            setCaptionAndHelp();
            if (DM != nullptr && DM->AccDatInConnection(1, SystemDef.HostName, SystemDef.DataDir, 0) &&
                platform::showMessage("　\r\nこのデータは他のオペレータが使用中です。" + windowTitle().toStdString() +
                                          "を開始しますか？\r\n ",
                                      platform::MessageKind::Confirmation,
                                      platform::Buttons::YesNo) != platform::ResultYes) {
                Keys[5]->setEnabled(false);
                Keys[12]->setEnabled(false);
                inUse = true;
            }
        }
        if (!inUse) {
            wait.MarkRunning(2, caption);
            pause();
            GetServerInfo();
        }
    }
    QApplication::restoreOverrideCursor();
    ShowSlotList();
}

bool TfmDataTusin::groupHasDataList()
{
    if (DataListPresent)
        return *DataListPresent;
    if (DM == nullptr || !DM->IBDatabaseDEF.connected())
        return false;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        db::Statement qy(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                         "SELECT COUNT(*) FROM DATALIST WHERE GROUPID=:GROUPID");
        qy.param("GROUPID").setInt(SystemDef.GROUPID);
        qy.execute();
        const bool any = qy.fetch() && qy.field(std::size_t{0}).asInt() > 0;
        qy.close();
        scope.commit();
        return any;
    } catch (...) {
        ReportCurrentException("TfmDataTusin.GetDataListRecord", "データリストの読み込みに失敗しました。", false);
        return false;
    }
}

void TfmDataTusin::clearSlotList()
{
    PerfectGrid1->setRowCount(0);
}

void TfmDataTusin::setCell(int row, int col, const std::string& text)
{
    auto* item = new QTableWidgetItem(q(text));
    if (col == SlColNo)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PerfectGrid1->setItem(row, col, item);
}

std::string TfmDataTusin::cell(int row, int col) const
{
    const QTableWidgetItem* item = PerfectGrid1->item(row, col);
    return item != nullptr ? item->text().toStdString() : std::string();
}

void TfmDataTusin::ShowSlotList()
{
    if (!groupHasDataList())
        return;
    struct Column {
        const char* title;
        int width;
    };
    // The period column is wider and the name column narrower than at design,
    // so that a whole period shows in the stand-in form font.
    std::vector<Column> columns;
    if (SyoriType == 25 || SyoriType == 26)
        columns = {{"No.", 40},          {"状況", 75},           {"データ名", 241},      {"年度", 53},
                   {"会計期間", 200},    {"使用開始日時", 128},  {"最終更新日時", 128},  {"バージョン", 85}};
    else if (SyoriType == 8)
        columns = {{"処理", 55},      {"データ名", 265}, {"会計年度", 80}, {"会計期間", 200},
                   {"送信日時", 134}, {"受信日時", 134}, {"バージョン", 85}};
    else
        columns = {{"No.", 40},       {"データ名", 280}, {"会計年度", 80}, {"会計期間", 200},
                   {"送信日時", 134}, {"受信日時", 134}, {"バージョン", 85}};
    const double scale = formPpi() / 96.0;
    PerfectGrid1->clear();
    PerfectGrid1->setColumnCount(static_cast<int>(columns.size()));
    QStringList titles;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        titles << QString::fromUtf8(columns[i].title);
        PerfectGrid1->setColumnWidth(static_cast<int>(i), static_cast<int>(columns[i].width * scale + 0.5));
    }
    PerfectGrid1->setHorizontalHeaderLabels(titles);

    if (SyoriType == 25) {
        setWindowTitle(QStringLiteral("クラウドシェア領域を選択"));
        const bool analysis = ProductKind == 2;
        std::string hint = "どの行でクラウドシェアするかを選んで［F12：選択］を押します。";
        if (!analysis)
            hint += "\r\nこれからクラウドシェアを始める場合は空白行を、クラウドシェアがスタートしている場合は該当行を選択します。\r\n"
                    "［F4：解除］は誰も使用してない筈なのに「使用中」のままになってしまった場合に使用します。\r\n"
                    "［F5：削除］は既にクラウドシェアを止めたデータがリストに残っている場合に使用します。";
        HintArea->setPlainText(q(hint));
        setHint(PerfectGrid1, q("|" + hint));
        Keys[4]->setEnabled(!analysis);
        Keys[5]->setEnabled(!analysis);
    } else if (SyoriType == 1 || SyoriType == 2) {
        setWindowTitle(SyoriType == 1 ? QStringLiteral("データ送信") : QStringLiteral("データ受信"));
        HintArea->setPlainText(SyoriType == 1
                                   ? QStringLiteral("［F12］を押すと現在利用中のデータが中継先サーバーの選択したフォルダに送信されます。\r\n\r\n［F5］を押すと中継先サーバーのデータが削除されます。")
                                   : QStringLiteral("［F12］を押すと選択したデータを受信して、現在利用中のデータに上書きします。\r\n\r\n［F5］を押すと中継先サーバーのデータが削除されます。"));
    } else if (SyoriType == 8) {
        setWindowTitle(QStringLiteral("サーバー確認"));
        Keys[12]->hide();
        HintArea->setPlainText(QStringLiteral("１行目は現金出納帳から送信されたデータです。　　　２行目はヴォルレン財務が送信したデータです。\r\n３行目はヴォルレン財務が送信したマスターデータです。\r\n\r\n［F5］を押すと中継先サーバーのデータが削除されます。"));
    } else if (SyoriType == 26) {
        setWindowTitle(QStringLiteral("データ通信"));
        HintArea->clear();
        setHint(PerfectGrid1, {});
    }
    if (SyoriType == 25 || SyoriType == 26)
        Label1->clear();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    PerfectGrid1->setRowCount(10);
    const TServerTable& t = Session.Table;
    SelectedName = Record.CLOUD_LINE >= 1 && Record.CLOUD_LINE <= 10 ? TrimBlanks(t.At(ColName, Record.CLOUD_LINE))
                                                                      : std::string();
    if (SyoriType < 20) {
        showRelayRows();
        QApplication::restoreOverrideCursor();
        return;
    }
    for (int row = 0; row < 10; ++row) {
        const int slot = row + 1;
        setCell(row, SlColNo, std::to_string(slot));
        if (!t.HasData(slot))
            continue;
        const std::string period = t.At(ColStartDisp, slot).substr(0, 10) + " ～ " + t.At(ColEndDisp, slot).substr(0, 10);
        const std::string& v = t.At(ColVersion, slot);
        const std::string version =
            v.empty() ? std::string()
                      : FormatVersionLabel(std::atoi(v.substr(0, 2).c_str()), std::atoi(v.substr(2, 2).c_str()));
        const std::string& state = t.At(ColState, slot);
        if (state != "1" && state != "2") {
            setCell(row, SlColState, "");
            continue;
        }
        setCell(row, SlColState, state == "1" ? "未使用" : "使用中");
        setCell(row, SlColName, t.At(ColName, slot));
        setCell(row, SlColTerm, t.At(ColTerm, slot) + "期");
        setCell(row, SlColPeriod, period);
        setCell(row, SlColStarted, state == "1" ? "-" : t.At(ColReceiveTimeDisp, slot));
        setCell(row, SlColUpdated, state == "1" ? t.At(ColSendTimeDisp, slot) : "-");
        setCell(row, SlColVersion, version);
    }
    const int current = Record.CLOUD_LINE >= 1 && Record.CLOUD_LINE <= 10 ? Record.CLOUD_LINE - 1 : 0;
    PerfectGrid1->setCurrentCell(current, SlColName);
    onCurrentRowChanged(current);
    QApplication::restoreOverrideCursor();
}

void TfmDataTusin::showRelayRows()
{
    const TServerTable& t = Session.Table;
    const bool check = SyoriType == 8;
    const int rows = check ? 3 : 10;
    static const char* const checkRows[] = {"受信", "送信", "全送信"};
    PerfectGrid1->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const int slot = row + 1;
        setCell(row, 0, check ? checkRows[row] : std::to_string(slot));
        if (!t.HasData(slot))
            continue;
        const std::string& v = t.At(ColVersion, slot);
        setCell(row, 1, t.At(ColName, slot));
        setCell(row, 2, t.At(ColTerm, slot) + "期");
        setCell(row, 3, t.At(ColStartDisp, slot).substr(0, 10) + " ～ " + t.At(ColEndDisp, slot).substr(0, 10));
        setCell(row, 4, t.At(ColSendTimeDisp, slot));
        setCell(row, 5, t.At(ColReceiveTimeDisp, slot));
        setCell(row, 6, v.empty() ? std::string()
                                  : FormatVersionLabel(std::atoi(v.substr(0, 2).c_str()),
                                                       std::atoi(v.substr(2, 2).c_str())));
    }
    PerfectGrid1->setCurrentCell(0, 1);
}

void TfmDataTusin::onCurrentRowChanged(int row)
{
    if (SyoriType > 19 && row >= 0 && row < 10) {
        const std::string& state = Session.Table.At(ColState, row + 1);
        const bool named = !blank(cell(row, SlColName));
        const bool analysis = ProductKind == 2;
        Keys[5]->setEnabled(!analysis && named && state == "1");
        Keys[4]->setEnabled(!analysis && named && state == "2");
    }
    SetFunctionKeyCaptions();
}

void TfmDataTusin::SetFunctionKeyCaptions()
{
    const bool choice = SyoriType >= 25;
    const std::pair<int, const char*> captions[] = {
        {0, "ESC:ｷｬﾝｾﾙ"}, {1, "F1:ヘルプ"}, {2, "F2:"},  {3, "F3:"}, {6, "F6:"},
        {7, "F7:"},       {8, "F8:"},     {4, choice ? "F4: 解除" : "F4:"},
        {5, choice ? "F5: 削除" : "F5:ﾃﾞｰﾀ削除"},        {12, choice ? "F12: 選択" : "F12:実  行"}};
    for (const auto& [key, caption] : captions)
        Key(key)->setCaptionAText(QString::fromUtf8(caption));
}

bool TfmDataTusin::FormKeyUp(QKeyEvent* event)
{
    const int key = keyOf(event->key());
    if (key < 0)
        return TBSDI::FormKeyUp(event);
    ui::TxPlButton* b = Key(key);
    if (b != nullptr && b->isVisible() && b->isEnabled())
        b->Click();
    SetFunctionKeyCaptions();
    return true;
}

void TfmDataTusin::FormShow()
{
    if (PerfectGrid1->isEnabled() && PerfectGrid1->isVisible())
        PerfectGrid1->setFocus();
    if ((SyoriType == 1 || SyoriType == 2 || SyoriType == 25) && PrepareOnActivate != 0)
        PrepareOperation();
    if (PerfectGrid1->rowCount() == 0) {
        Keys[12]->setEnabled(false);
        Keys[5]->setEnabled(false);
    }
}

void TfmDataTusin::F1Click(int key)
{
    switch (key) {
    case 0:
        if (Keys[0]->CaptionA().Caption != QStringLiteral("ESC:"))
            done(ui::mrCancel);
        break;
    case 1:
        if (Keys[1]->CaptionA().Caption != QStringLiteral("F1:"))
            ShowHtmlHelp(SyoriType >= 25 ? "cloudshare_sel.html" : HelpPage);
        break;
    case 4:
        if (SyoriType == 25 || SyoriType == 26)
            ReleaseStuckSlot();
        break;
    case 5:
        if (SyoriType == 1 || SyoriType == 2 || SyoriType == 25 || SyoriType == 26)
            DeleteServerData();
        else if (PerfectGrid1->currentRow() >= 0)
            DeleteCashBookData(PerfectGrid1->currentRow());
        break;
    case 12:
        if (SyoriType == 25 || SyoriType == 26)
            ChooseRow();
        else if (SyoriType < 25 && SyoriType != 8)
            RunSelectedTransfer();
        break;
    default:
        break;
    }
    SetFunctionKeyCaptions();
}

void TfmDataTusin::ReleaseStuckSlot()
{
    const int row = PerfectGrid1->currentRow();
    if (row < 0 || row >= 10)
        return;
    const int slot = row + 1;
    if (blank(cell(row, SlColName)) || Session.Table.At(ColState, slot) != "2")
        return;
    TfmTusinSettiPas dialog(this);
    PassDialog = &dialog;
    dialog.SetReleaseTexts();
    dialog.Label2->setText(q(Session.Table.At(ColPassword, slot)));
    const int answer = dialog.exec();
    PassDialog = nullptr;
    if (answer != ui::mrOk)
        return;
    bool freed = false;
    try {
        freed = Session.NotifyShareState(slot, 1);
    } catch (const TRelayValueRefused& e) {
        message(e.what(), platform::MessageKind::Error);
    } catch (const std::exception&) {
        message(Framed(NoConnectionMessage), platform::MessageKind::Error);
    }
    if (!freed)
        return;
    setCell(row, SlColState, "未使用");
    setCell(row, SlColStarted, "-");
    setCell(row, SlColUpdated, Session.Table.At(ColSendTimeDisp, slot));
    Session.Table.At(ColState, slot) = "1";
    Keys[4]->setEnabled(false);
    Keys[5]->setEnabled(true);
    message("使用中を解除しました。", platform::MessageKind::Information);
}

void TfmDataTusin::DeleteServerData()
{
    const int row = PerfectGrid1->currentRow();
    if (row < 0 || row >= 10)
        return;
    const int slot = row + 1;
    if (SyoriType < 20) {
        deleteRelaySlot(row);
        return;
    }
    if (blank(cell(row, SlColName)))
        return;
    const TServerTable& t = Session.Table;
    if (t.At(ColState, slot) == "2") {
        const std::string& user = t.At(ColUser, slot);
        if (user.empty()) {
            message("現在使用中のため削除できません。 ", platform::MessageKind::Information);
            return;
        }
        const auto [code, name] = splitUser(user);
        message("現在使用中のため削除できません。\r\nオペレータコード: [ " + code + " ]\r\nオペレータ名:     [ " + name +
                    " ]\r\nコンピュータ名:   [ " + t.At(ColComputer, slot) + " ]",
                platform::MessageKind::Information);
        return;
    }
    {
        TfmTusinSettiPas dialog(this);
        PassDialog = &dialog;
        dialog.Label2->setText(q(t.At(ColPassword, slot)));
        const int answer = dialog.exec();
        PassDialog = nullptr;
        if (answer != ui::mrOk)
            return;
    }
    if (!deleteOnServer([&] { return Session.DeleteCloudSlot(slot); }))
        return;
    for (int col = SlColState; col <= SlColVersion; ++col)
        setCell(row, col, "");
    Session.Table.At(ColName, slot).clear();
    Session.Table.At(ColState, slot).clear();
    activateWindow();
    Keys[5]->setEnabled(false);
    message(Framed("クラウドシェアのデータを削除しました。"), platform::MessageKind::Information);
    if (slot == Record.CLOUD_LINE)
        SelectedName.clear();
}

void TfmDataTusin::deleteRelaySlot(int row)
{
    const int slot = row + 1;
    if (blank(cell(row, 1))) {
        message(Framed("選択したフォルダには、データは存在しません。"), platform::MessageKind::Information);
        return;
    }
    if (platform::showMessage(Framed("選択した中継サーバーのデータを削除します。実行しますか？"),
                              platform::MessageKind::Confirmation, platform::Buttons::YesNo) != platform::ResultYes)
        return;
    if (!DeleteRelaySlot(Session.Caller, slot))
        return;
    for (int col = 1; col <= 6; ++col)
        setCell(row, col, "");
    Session.Table.At(ColName, slot).clear();
    activateWindow();
    message(Framed("中継サーバーのデータを削除しました。"), platform::MessageKind::Information);
}

bool TfmDataTusin::DeleteRelaySlot(const TRelayCaller& caller, std::int32_t slot)
{
    return deleteOnServer([&] { return Session.Run(DeleteRelaySlotRequest(caller, slot)).Status(5); });
}

bool TfmDataTusin::deleteOnServer(const std::function<std::string()>& request)
{
    xAnimeProgressDialog1->setCaption(QStringLiteral("削除中"));
    xAnimeProgressDialog1->setInfoLabel(QStringLiteral("データ削除中…"));
    xAnimeProgressDialog1->setCancelBtnShow(false);
    xAnimeProgressDialog1->Execute(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool deleted = false;
    try {
        const std::string status = request();
        xAnimeProgressDialog1->Close();
        deleted = status == "000";
        if (!deleted)
            message(Framed(ServerErrorMessage(status)), platform::MessageKind::Error);
    } catch (const TRelayValueRefused& e) {
        xAnimeProgressDialog1->Close();
        message(e.what(), platform::MessageKind::Error);
    } catch (const std::exception&) {
        xAnimeProgressDialog1->Close();
        message(Framed(NoConnectionMessage), platform::MessageKind::Error);
    }
    QApplication::restoreOverrideCursor();
    return deleted;
}

void TfmDataTusin::RunSelectedTransfer()
{
    const bool send = SyoriType == 1;
    try {
        if ((send ? SendData() : ReceiveData()) != 0)
            return;
        if (!send)
            ReceiveDone = 1;
    } catch (const std::exception& e) {
        message(ExceptionReport(send ? "送信処理中にエラーになりました。\r\n" : "受信処理中にエラーになりました。\r\n", e),
                platform::MessageKind::Error);
        setEnabled(true);
        Keys[12]->setEnabled(true);
        Keys[5]->setEnabled(true);
    }
    done(ui::mrOk);
}

void TfmDataTusin::ChooseRow()
{
    const int row = PerfectGrid1->currentRow();
    if (row < 0 || row >= 10)
        return;
    const int slot = row + 1;
    SelectedName = TrimBlanks(cell(row, SlColName));
    SelectedState = TrimBlanks(cell(row, SlColState));
    SelectedSlot = slot;
    const bool named = !SelectedName.empty();
    if (named && Session.Table.At(ColPassword, slot) != Record.PASWORD) {
        message("クラウド領域のデータと現在選択中のデータのパスワードが一致しません。", platform::MessageKind::Warning);
        return;
    }
    if (SyoriType == 26) {
        if (named) {
            message("翌年度更新処理中の場合は、空白行を選択してください。", platform::MessageKind::Information);
            return;
        }
    } else if (!named) {
        if (ProductKind == 2) {
            message("経営ハルブリンでは空白行は選択できません。", platform::MessageKind::Information);
            return;
        }
        message("お手元のデータをアップロードしてクラウドシェアを開始します。", platform::MessageKind::Information);
    }
    SlotSelected = true;
    done(ui::mrOk);
}

void RegisterDataTusin()
{
    ui::RegisterScreen<TfmDataTusin>("QzDataTusin");
}

} // namespace vq::comm
