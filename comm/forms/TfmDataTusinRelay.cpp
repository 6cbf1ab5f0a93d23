// The relay and cash-book operations of the communication screen (SyoriType
// 1 to 10), on the open data set of the data module.
#include "comm/forms/TfmDataTusin.h"

#include "comm/CashBookSender.h"
#include "comm/CloudShareDataFile.h"
#include "comm/DataTusinComm.h"
#include "comm/FtpWebDbSqlDump.h"
#include "comm/RelayTransfer.h"
#include "comm/forms/TCashBookLoaderBox.h"
#include "comm/forms/TMeetingToolSettingBox.h"
#include "comm/forms/TfmHikakuMess2.h"
#include "comm/forms/TfmWaitMess.h"
#include "datasets/CloudShareIO.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/Interaction.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "ui/ModalResult.h"
#include "ui/OpHistory.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <chrono>
#include <thread>
#include <memory>

namespace vq::comm {

namespace fs = std::filesystem;
using platform::MessageKind;

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

void message(const std::string& text, MessageKind kind)
{
    platform::showMessage(text, kind);
}

bool askYes(const std::string& text)
{
    return platform::showMessage(text, MessageKind::Confirmation, platform::Buttons::YesNo) == platform::ResultYes;
}

struct OperationRec {
    std::int32_t syoriType;
    const char* caption;
    const char* help;
};
constexpr OperationRec Operations[] = {
    {1, "データ送信", "tsusin01.html"},     {2, "データ受信", "tsusin02.html"},
    {3, "現金出納帳送信", "tsusin06.html"}, {4, "現金出納帳受信", "tsusin07.html"},
    {5, "マスター送信", "tsusin10.html"},   {6, "自動受信", "tsusin07.html"},
    {7, "自動送信", "tsusin06.html"},       {8, "サーバー確認", "tsusin09.html"},
    {9, "現金出納帳送信", "tsusin06.html"}, {10, "現金出納帳受信", "tsusin07.html"},
};

const OperationRec* operationOf(std::int32_t syoriType)
{
    for (const OperationRec& o : Operations)
        if (o.syoriType == syoriType)
            return &o;
    return nullptr;
}

std::string fiscalStart()
{
    return FormatDateTime("yyyy/mm/dd", AccInf.KISHU);
}

bool consolidated()
{
    TGassanSetting setting;
    ReadGassanSetting({}, SystemDef.DataDir, setting);
    return setting.Kubun == "1" || setting.Kubun == "2";
}

// A top-level window of the program with this title is open.
bool windowTitled(const QString& title)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title)
            return true;
    return false;
}

constexpr const char* NoIdMessage = "　\r\n通信IDが設定されてません。通信設定で設定して下さい。\r\n ";
constexpr const char* NoPasswordMessage = "　\r\nパスワードが設定されてません。通信設定で設定して下さい。\r\n ";
constexpr const char* SentMessage = "　\r\n送信処理が終了しました。\r\n ";
constexpr const char* NoDataMessage = "　\r\n受信データがありません。\r\n ";

// The hourglass and the disabled screen of a cash-book transfer, undone on
// every way out, also when the transfer throws.
class BusyScreen {
public:
    explicit BusyScreen(QWidget& screen)
        : screen_(screen)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyScreen()
    {
        screen_.setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
    BusyScreen(const BusyScreen&) = delete;
    BusyScreen& operator=(const BusyScreen&) = delete;

private:
    QWidget& screen_;
};

// The era form "yy/mm/dd" of the date in a text whose year, month and day
// start at the given places; the text's own date when it is none.
std::string eraDate(const std::string& text, std::size_t y, std::size_t m, std::size_t d)
{
    if (text.size() < d + 2)
        return text;
    const auto date = tryEncodeDate(std::atoi(text.substr(y, 4).c_str()), std::atoi(text.substr(m, 2).c_str()),
                                    std::atoi(text.substr(d, 2).c_str()));
    return date ? FormatDateSlash("yy/mm/dd", 2, *date) : text.substr(0, 10);
}

// A transfer's step caption into the window: "…　実行中" runs box and
// finishes the box before it, "…　終了" finishes box.
void showStep(TWaitStepWindow& wait, int box, const std::string& caption)
{
    const QString text = QString::fromStdString(caption);
    const QString running = QStringLiteral("　実行中");
    const QString done = QStringLiteral("　終了");
    const int index = box - 1;
    if (text.endsWith(running)) {
        if (index > 0) {
            QString previous = wait.Step(index - 1)->text();
            previous.remove(running);
            wait.MarkDone(index - 1, previous);
        }
        wait.MarkRunning(index, text.chopped(running.size()));
    } else if (text.endsWith(done)) {
        wait.MarkDone(index, text.chopped(done.size()));
    }
    wait.Refresh();
}

// The steps of a send; the fifth, the analysis upload, only with analysis.
void prepareSendSteps(TfmWaitMess& wait, bool analysis)
{
    wait.resize(435, analysis ? 206 : 194);
    wait.MarkRunning(0, QStringLiteral("送信用データ保存"));
    wait.MarkPlain(1, QStringLiteral("送信用データ圧縮"));
    wait.MarkPlain(2, QStringLiteral("送信用データ暗号化"));
    wait.MarkPlain(3, QStringLiteral("中継サーバーへデータ送信"));
    wait.Step(4)->setVisible(analysis);
    if (analysis)
        wait.MarkPlain(4, QStringLiteral("経営ハルブリンクラウドへデータ送信"));
}

void prepareReceiveSteps(TfmWaitMess& wait)
{
    wait.resize(435, 194);
    wait.Step(4)->hide();
    wait.MarkRunning(0, QStringLiteral("中継サーバーからデータ受信"));
    wait.MarkPlain(1, QStringLiteral("受信データ暗号解読"));
    wait.MarkPlain(2, QStringLiteral("受信データ圧縮解凍"));
    wait.MarkPlain(3, QStringLiteral("受信データ復元・照合"));
}

// The marking of the cash entries in mode (0 before a master send, 1 after
// another send); a failure shows failure after the marking's own message.
bool markCashEntries(std::uint8_t mode, const char* failure)
{
    TCashBookSender marks;
    marks.AfterSend = mode;
    marks.Mode = mode;
    marks.Execute();
    if (marks.RecomputeResult() == 1)
        return true;
    message(Framed(failure), MessageKind::Error);
    return false;
}

// What a completion request reports of the open data set under name.
TSendCompletion completionOf(const std::string& name)
{
    TSendCompletion send;
    send.Name = name;
    send.Nendo = AccInf.NENDO;
    send.Kishu = AccInf.KISHU;
    send.Kimatu = AccInf.KIMATU;
    send.Version = RelayVersionText(AccInf.DataVerMajor, AccInf.DataVerMinor1);
    return send;
}

TAnalysisUpload uploadToAnalysisServer(const std::string& commId, std::int32_t slot)
{
    const std::string status = TFtpWebDbSqlDump().UploadDump(commId, slot);
    return {status, TFtpWebDbSqlDump::StatusMessage(status)};
}

} // namespace

// --- the difference window
// ------------------------------------------------------------------

void LayoutDifferenceWindow(TfmHikakuMess2& window, const TDifferenceGroups& g)
{
    struct Layout {
        std::vector<int> tops;
        int buttons;
        int height;
    };
    const bool both = g.Company && g.Period;
    Layout layout;
    if (g.CompanyQuestion)
        layout = {{49, 70, 86}, 130, 210};
    else if (g.Refusal && both)
        layout = g.SecondLine ? Layout{{69, 90, 106, 133, 154, 170}, 220, 300}
                              : Layout{{39, 60, 76, 103, 124, 140}, 190, 270};
    else if (g.Refusal)
        layout = g.SecondLine ? Layout{{69, 90, 106}, 150, 230} : Layout{{49, 70, 86}, 130, 210};
    else if (g.Password && both)
        layout = {{87, 108, 124, 151, 172, 188}, 226, 302};
    else if (g.Password)
        layout = {{89, 110, 126}, 170, 250};
    else if (both)
        layout = {{69, 90, 106, 133, 154, 170}, 220, 300};
    else
        layout = {{69, 90, 106}, 150, 230};

    const double scale = window.logicalDpiX() / 96.0;
    auto px = [scale](int v) { return static_cast<int>(v * scale + 0.5); };
    window.Labels[2]->setVisible(g.Password && !g.Refusal && !g.CompanyQuestion);
    window.Labels[2]->move(window.Labels[2]->x(), px(63));
    std::vector<int> shown;
    for (int i = 3; i <= 5; ++i)
        window.Labels[static_cast<std::size_t>(i)]->setVisible(g.Company);
    for (int i = 6; i <= 8; ++i)
        window.Labels[static_cast<std::size_t>(i)]->setVisible(g.Period);
    if (g.Company)
        shown.insert(shown.end(), {3, 4, 5});
    if (g.Period)
        shown.insert(shown.end(), {6, 7, 8});
    for (std::size_t i = 0; i < shown.size() && i < layout.tops.size(); ++i) {
        QLabel* l = window.Labels[static_cast<std::size_t>(shown[i])];
        l->move(l->x(), px(layout.tops[i]));
    }
    window.Button1->move(window.Button1->x(), px(layout.buttons));
    window.Button2->move(window.Button2->x(), px(layout.buttons));
    if (g.Refusal) {
        window.Button1->setText(QStringLiteral("ＯＫ"));
        window.Button1->move(px(190), px(layout.buttons));
        window.Button2->hide();
    }
    window.resize(window.width(), px(layout.height));
}

// --- helpers
// ------------------------------------------------------------------------------------

void TfmDataTusin::stepPause() const
{
    if (!Pauses)
        return;
    std::this_thread::sleep_for(std::chrono::milliseconds(480));
}

TRelayTransfer TfmDataTusin::newTransfer(TRelaySession& session, TRelayKind kind, TWaitStepWindow& wait) const
{
    const bool cash = kind == TRelayKind::CashBook;
    TRelayTransfer transfer(session, kind, SystemDef.DataDir, cash ? cashBookId() : TrimBlanks(AccInf.WEB_HOLDER),
                            cash ? cashBookPassword() : TrimBlanks(AccInf.PASWORD));
    transfer.WorkBase = WorkBase;
    transfer.Pause = [this] { stepPause(); };
    transfer.Step = [&wait](int box, const std::string& caption) { showStep(wait, box, caption); };
    if (TransferMade)
        TransferMade(transfer);
    return transfer;
}

std::string TfmDataTusin::cashBookId() const
{
    return TrimBlanks(AccInf.CommHolder[1]);
}

std::string TfmDataTusin::cashBookPassword() const
{
    return TrimBlanks(AccInf.CommPassword[1]);
}

TRelaySession TfmDataTusin::cashBookSession() const
{
    TRelaySession s = Session;
    s.Caller.CommId = cashBookId();
    return s;
}

void TfmDataTusin::setCaptionAndHelp()
{
    if (const OperationRec* o = operationOf(SyoriType)) {
        setWindowTitle(QString::fromUtf8(o->caption));
        HelpPage = o->help;
    }
}

void TfmDataTusin::writeHistory(std::uint8_t state)
{
    const bool cashBookProduct = ProductKind == 3;
    const bool written = SyoriType == 3 || SyoriType == 4 || SyoriType == 5 ||
                         (cashBookProduct && (SyoriType == 6 || SyoriType == 7 || SyoriType == 9 || SyoriType == 10));
    if (!written)
        return;
    try {
        ui::PutProcRirekiInfo(windowTitle().toStdString(),
                              state == 0 ? ui::OpHistoryState::Opened : ui::OpHistoryState::Closed);
    } catch (const std::exception&) {
        // Logged by the history; the operation's outcome stands.
    }
}

bool TfmDataTusin::refuseBesideOtherScreens()
{
    if (FRunBesideOthers || !MenuHostProc || MenuHostProc(10, "") <= 0)
        return false;
    message("メニュー以外の処理が開いています。\r全ての処理を閉じてから処理を実行"
            "してください。",
            MessageKind::Warning);
    return true;
}

void TfmDataTusin::BeginShow(std::uint8_t start)
{
    StartFlag = start;
    if (SyoriType == 2) {
        FMenuHookOnShow = false;
        SystemDef.DataPasName.clear();
    }
    if (SyoriType != 1 && SyoriType != 2 && SyoriType != 25)
        ShowSlotList();
}

std::int32_t TfmDataTusin::showRelayScreen(bool modal)
{
    if (!modal) {
        setCaptionAndHelp();
        show();
        return 0;
    }
    if (refuseBesideOtherScreens())
        return -1;
    if (!FCreated) {
        message(windowTitle().toStdString() + "画面の初期化に失敗しました。\r処理を終了します。", MessageKind::Warning);
        return -1;
    }
    BeginShow(1);
    setCaptionAndHelp();
    FKeepOnClose = true;
    exec();
    return ReceiveDone != 0 ? 1 : 0;
}

// --- Execute
// --------------------------------------------------------------------------------------

std::int32_t TfmDataTusin::Execute(bool modal)
{
    DataFolder = SystemDef.DataDir;
    loadRecord();
    const bool cloudSlot = Record.CLOUD_LINE >= 1 && Record.CLOUD_LINE <= 10;
    if (ProductKind == 2 && cloudSlot) {
        message("クラウドシェアデータでは利用できません。", MessageKind::Information);
        return 0;
    }
    if (SyoriType < 1 || SyoriType > 10)
        return -1;
    QApplication::restoreOverrideCursor();
    CloudKind = 0;
    if (ConnectMode == ConnectStandAlone && cloudSlot && SyoriType == 2) {
        message("クラウドシェアデータでデータ受信は実行できません。", MessageKind::Information);
        return -1;
    }
    if (ProductKind != 2) {
        try {
            CloudKind = GetAccRegInt("通信設定", "クラウド区分", "0");
        } catch (...) {
            ReportCurrentException("TfmDataTusin.Execute", "通信設定の読み込みに失敗しました。", false);
        }
    }
    if (ProductKind == 2)
        SyoriType = 2;
    BackupFileName = "vqacc.fbk";
    PrepareOnActivate = 1;
    OperationName = OemKind == 1 || OemKind == 2 ? "データ送受信" : "データ通信";
    Session = TDataTusinComm().NewSession();

    if (SyoriType == 1 || SyoriType == 2) {
        if (TrimBlanks(AccInf.WEB_HOLDER).empty()) {
            message(NoIdMessage, MessageKind::Warning);
            return -1;
        }
        if (TrimBlanks(AccInf.PASWORD).empty()) {
            message(NoPasswordMessage, MessageKind::Warning);
            return -1;
        }
        return showRelayScreen(modal);
    }

    if (SyoriType != 7 && MenuHostProc && MenuHostProc(10, "") > 0) {
        message("　\r\n現在メニュー以外の画面を表示中なので、" + OperationName + "処理は行えません。\r\n ",
                MessageKind::Warning);
        return -1;
    }
    if (DM != nullptr)
        DM->GetTusinId(1, 1);
    if (cashBookId().empty() || cashBookPassword().empty()) {
        message(cashBookId().empty() ? NoIdMessage : NoPasswordMessage, MessageKind::Warning);
        return SyoriType == 6 ? 0 : -1;
    }
    Session.Caller.CommId = cashBookId();

    std::int32_t result = -1;
    std::unique_ptr<TfmWaitMess> wait;
    bool historyOpened = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        [&] {
            const bool checksEntries =
                ProductKind == 3 || SyoriType == 3 || SyoriType == 4 || SyoriType == 5 || SyoriType == 8;
            if (checksEntries && CountApprovedEntries()) {
                message("現在ご利用中のデータは承認済み仕訳が含まれます。\r\n現金出納帳"
                        "通信処理は行えません。",
                        MessageKind::Warning);
                return;
            }
            if (SyoriType == 3 || SyoriType == 5 || SyoriType == 7 || SyoriType == 9) {
                if ((SyoriType == 3 || SyoriType == 5) && consolidated()) {
                    message("現在選択中のデータは合算データのため、現金出納帳の送信処理は"
                            "行えません。\r\n ",
                            MessageKind::Warning);
                    return;
                }
                if (windowTitled(QStringLiteral("現金出納帳バージョンアップ")))
                    return;
                if (!askYes("  \r\n中継サーバーにデータを送信します。\r\n "))
                    return;
            }
            if (SyoriType == 4 && consolidated()) {
                message("現在選択中のデータは合算データのため、現金出納帳の受信処理は行"
                        "えません。\r\n ",
                        MessageKind::Warning);
                return;
            }
            wait = std::make_unique<TfmWaitMess>(this);
            wait->resize(435, 194);
            for (int i = 0; i < wait->StepCount(); ++i)
                wait->Step(i)->setVisible(i == 2);
            const QString caption = QStringLiteral("中継サーバー情報確認");
            wait->MarkPlain(2, caption);
            wait->ShowNow();
            stepPause();
            setCaptionAndHelp();
            writeHistory(0);
            historyOpened = true;
            if (SyoriType == 8 && ProductKind != 3) {
                PerfectGrid1->setColumnHidden(4, true);
                const double scale = formPpi() / 96.0;
                PerfectGrid1->resize(static_cast<int>(822 * scale + 0.5), PerfectGrid1->height());
                HintArea->resize(static_cast<int>(822 * scale + 0.5), HintArea->height());
                Keys[12]->move(static_cast<int>(749 * scale + 0.5), Keys[12]->y());
                setFixedWidth(static_cast<int>(863 * scale + 0.5));
            }
            if (DM != nullptr && DM->AccDatInConnection(1, SystemDef.HostName, SystemDef.DataDir, 0)) {
                // The cash-book product never works beside another operator;
                // this product lets the operator decide.
                if (ProductKind == 3) {
                    message("　\r\nこのデータは他のオペレータが使用中なので、データ受信は行えません。\r\n ",
                            MessageKind::Warning);
                    return;
                }
                if (!askYes("　\r\nこのデータは他のオペレータが使用中です。" + windowTitle().toStdString() +
                            "を開始しますか？\r\n "))
                    return;
            }
            wait->MarkRunning(2, caption);
            stepPause();
            if (!GetServerInfo()) {
                result = 0;
                return;
            }
            wait.reset();
            ReceiveIsMaster = 0;
            if (SyoriType == 8) {
                QApplication::restoreOverrideCursor();
                if (!modal) {
                    BeginShow(0);
                    show();
                    result = 0;
                } else if (!refuseBesideOtherScreens()) {
                    BeginShow(1);
                    FKeepOnClose = true;
                    exec();
                }
                QApplication::setOverrideCursor(Qt::WaitCursor);
                return;
            }
            result = runCashBookOperation();
        }();
    } catch (const std::exception& e) {
        message(ExceptionReport("処理中にエラーになりました。\r\n", e), MessageKind::Error);
        result = -1;
    }
    QApplication::restoreOverrideCursor();
    wait.reset();
    setCaptionAndHelp();
    if (historyOpened)
        writeHistory(1);
    return result;
}

std::int32_t TfmDataTusin::runCashBookOperation()
{
    const TServerTable& t = Session.Table;
    // Cash-book slot s (0..2) is listing slot s + 1.
    auto has = [&t](std::int32_t s) { return t.HasData(s + 1); };
    auto periodOf = [&t](std::int32_t s) { return t.At(ColStart, s + 1).substr(0, 10); };

    if (SyoriType == 3 || SyoriType == 7 || SyoriType == 9) {
        if (has(2) && periodOf(2) == fiscalStart()) {
            message("　\r\n中継サーバーに未受信の全データが存在しますので送信できませ"
                    "ん。\r\n ",
                    MessageKind::Warning);
            return -1;
        }
        const std::int32_t own = SyoriType == 3 ? 1 : 0;
        if (has(own) && ConfirmServerDifference(own + 1) == -1)
            return -1;
        try {
            if (SendCashBook() != 1)
                return -1;
        } catch (const std::exception& e) {
            message(ExceptionReport("送信処理中にエラーになりました。\r\n", e), MessageKind::Error);
            return -1;
        }
        if (SyoriType != 7)
            message("　\r\n送信処理が終了しました。\r\n　", MessageKind::Information);
        return 1;
    }
    if (SyoriType == 5) {
        if (has(0)) {
            message("　\r\n受信処理を行ってから、マスター送信して下さい。\r\n ", MessageKind::Warning);
            return -1;
        }
        if (has(2) && periodOf(2) != fiscalStart() && ConfirmServerDifference(3) != 1)
            return -1;
        if (has(1)) {
            if (!askYes("中継サーバーに現金出納帳データが存在します。\r\nこのままマス"
                        "ター送信をすると、削除されます。続行しますか？"))
                return -1;
            DeleteCashBookData(1);
        }
        try {
            if (SendCashBook() != 1)
                return -1;
        } catch (const std::exception& e) {
            message(ExceptionReport("送信処理中にエラーになりました。\r\n", e), MessageKind::Error);
            return -1;
        }
        message(SentMessage, MessageKind::Information);
        return 1;
    }
    // 4, 6, 10: the cash-book receive.
    std::int32_t slot = -1;
    if (SyoriType == 4)
        slot = has(0) ? 0 : -1;
    else
        slot = has(2) ? 2 : has(1) ? 1 : -1;
    if (slot < 0) {
        if (SyoriType != 6)
            message(NoDataMessage, MessageKind::Warning);
        return 0;
    }
    ReceiveSlot = slot;
    ReceiveIsMaster = slot == 2 ? 1 : 0;
    std::int32_t result = -1;
    if (slot == 2 && SyoriType != 4) {
        if (cashBookPassword() != TrimBlanks(t.At(ColPassword, 3))) {
            message("　\r\nパスワードが違います。\r\n ", MessageKind::Warning);
            return -1;
        }
        if (periodOf(2) != fiscalStart()) {
            TDifferenceGroups g;
            g.Refusal = g.Period = g.SecondLine = true;
            showRefusal(g, 3);
            return -1;
        }
        if (TrimBlanks(t.At(ColName, 3)) != TrimBlanks(AccInf.SHOUGOU)) {
            if (askCompanyOfMaster(3) != 1)
                return -1;
            result = 1;
        }
    } else {
        if (cashBookPassword() != TrimBlanks(t.At(ColPassword, slot + 1))) {
            message("　\r\nパスワードが違います。\r\n ", MessageKind::Warning);
            return -1;
        }
        TDifferenceGroups g;
        g.Refusal = true;
        g.SecondLine = SyoriType == 6;
        g.Company = TrimBlanks(t.At(ColName, slot + 1)) != TrimBlanks(AccInf.SHOUGOU);
        g.Period = periodOf(slot) != fiscalStart();
        if (g.Company || g.Period) {
            showRefusal(g, slot + 1);
            return -1;
        }
    }
    if ((SyoriType == 4 || SyoriType == 10) && !askYes("　\r\nこれよりデータを受信します。\r\n "))
        return 0;
    CashImportFailed = 0;
    try {
        if (ReceiveCashBook(slot) == 1) {
            // Only a receive that imported the data frees the server's slot.
            DeleteCashBookData(slot);
            return slot == 2 ? 2 : 1;
        }
        if (CashImportFailed == 0)
            message("　\r\n受信処理が正常に終了していません。\r\n ", MessageKind::Error);
        return SyoriType == 6 ? 0 : result;
    } catch (const std::exception& e) {
        message(ExceptionReport("受信処理中にエラーになりました。\r\n", e), MessageKind::Error);
    }
    return SyoriType == 6 ? 0 : result;
}

// --- the difference and refusal windows
// -------------------------------------------------------

void TfmDataTusin::fillDifferenceLines(TfmHikakuMess2& w, std::int32_t slot, bool eraStyle) const
{
    const TServerTable& t = Session.Table;
    w.Labels[4]->setText(q("現在利用中の商号　：　" + AccInf.SHOUGOU));
    w.Labels[5]->setText(q("中継サーバーの商号：　" + t.At(ColName, slot)));
    const std::string own =
        eraStyle ? FormatDateSlash("yy/mm/dd", 2, AccInf.KISHU) + " ～ " + FormatDateSlash("yy/mm/dd", 2, AccInf.KIMATU)
                 : FormatDateTime("yyyy/mm/dd", AccInf.KISHU) + " ～ " + FormatDateTime("yyyy/mm/dd", AccInf.KIMATU);
    const int start = eraStyle ? ColStartDisp : ColStart;
    const int end = eraStyle ? ColEndDisp : ColEnd;
    w.Labels[7]->setText(q("現在利用中の会計期間　：　" + own));
    w.Labels[8]->setText(
        q("中継サーバーの会計期間：　" + t.At(start, slot).substr(0, 10) + " ～ " + t.At(end, slot).substr(0, 10)));
    for (QLabel* l : w.Labels)
        l->adjustSize();
}

void TfmDataTusin::showRefusal(const TDifferenceGroups& groups, std::int32_t slot)
{
    TfmHikakuMess2 w(this);
    w.Labels[0]->setText(QStringLiteral("中継サーバーのデータと下記相違点があるため受信出来ません。"));
    w.Labels[1]->setText(QStringLiteral("データを切り換えて実行して下さい。"));
    w.Labels[1]->setVisible(groups.SecondLine);
    fillDifferenceLines(w, slot, false);
    LayoutDifferenceWindow(w, groups);
    w.exec();
}

std::int32_t TfmDataTusin::askCompanyOfMaster(std::int32_t slot)
{
    TfmHikakuMess2 w(this);
    w.Labels[0]->setText(QStringLiteral("中継サーバーのデータと下記相違点があります。"));
    w.Labels[1]->setText(QStringLiteral("商号が違いますが、受信を続行しますか？"));
    fillDifferenceLines(w, slot, false);
    TDifferenceGroups g;
    g.Company = g.CompanyQuestion = true;
    LayoutDifferenceWindow(w, g);
    w.exec();
    return w.Answer;
}

std::int32_t TfmDataTusin::ConfirmServerDifference(std::int32_t slot)
{
    const TServerTable& t = Session.Table;
    TDifferenceGroups g;
    g.Password = cashBookPassword() != TrimBlanks(t.At(ColPassword, slot));
    g.Company = TrimBlanks(AccInf.SHOUGOU) != TrimBlanks(t.At(ColName, slot));
    g.Period = fiscalStart() != t.At(ColStart, slot).substr(0, 10);
    if (g.Password && !g.Company && !g.Period)
        return askYes("中継サーバーに下記相違点のあるデータが存在します。このまま送"
                      "信して上書きしてもいいですか？"
                      "\r\n\r\nパスワードが違います。")
                   ? 1
                   : -1;
    if (!g.Password && !g.Company && !g.Period)
        return 2;
    TfmHikakuMess2 w(this);
    fillDifferenceLines(w, slot, SystemDef.EraDisplay == 1);
    LayoutDifferenceWindow(w, g);
    w.exec();
    return w.Answer == 1 ? 1 : -1;
}

// --- drivers
// -----------------------------------------------------------------------------------

void TfmDataTusin::DeleteCashBookData(std::int32_t slot)
{
    if (SyoriType == 8) {
        const int row = PerfectGrid1->currentRow();
        if (row < 0 || TrimBlanks(cell(row, 1)).empty()) {
            message(Framed("選択したフォルダには、データは存在しません。"), MessageKind::Information);
            return;
        }
    }
    if (!DeleteRelaySlot(cashBookSession().Caller, slot + 1))
        return;
    Session.Table.At(ColName, slot + 1).clear();
    if (SyoriType == 8) {
        for (int col = 1; col <= 6; ++col)
            setCell(slot, col, "");
        activateWindow();
        message(Framed("中継サーバーのデータを削除しました。"), MessageKind::Information);
    }
}

std::int32_t TfmDataTusin::SendCashBook()
{
    const BusyScreen busy(*this);
    std::int32_t result = 0;
    {
        TfmWaitMess wait(this);
        prepareSendSteps(wait, false);
        wait.ShowNow();
        stepPause();
        setEnabled(false);
        [&] {
            if (SyoriType == 5) {
                if (!markCashEntries(0, "データセンダーエラー1"))
                    return;
            }
            TRelaySession s = cashBookSession();
            TRelayTransfer transfer = newTransfer(s, TRelayKind::CashBook, wait);
            const std::int32_t remote = SyoriType == 3 ? 2 : SyoriType == 5 ? 3 : 1;
            const TSendCompletion send = completionOf(AccInf.SHOUGOU);
            if (transfer.Send(remote, send) != 0)
                return;
            Session.Table = s.Table;
            xAnimeProgressDialog1->Close();
            if (SyoriType != 5) {
                if (!markCashEntries(1, "データセンダーエラー2"))
                    return;
            }
            result = 1;
        }();
    }
    return result;
}

std::int32_t TfmDataTusin::ReceiveCashBook(std::int32_t slot)
{
    const BusyScreen busy(*this);
    std::int32_t result = 0;
    const fs::path received = fs::path(SystemDef.TempDir) / "vqacc.fdb";
    {
        TfmWaitMess wait(this);
        prepareReceiveSteps(wait);
        wait.ShowNow();
        stepPause();
        setEnabled(false);
        TRelaySession s = cashBookSession();
        TRelayTransfer transfer = newTransfer(s, TRelayKind::CashBook, wait);
        const bool downloaded = transfer.Receive(slot + 1, received) == 0;
        xAnimeProgressDialog1->Close();
        wait.hide();
        if (downloaded) {
            try {
                TCashBookLoaderBox box(nullptr);
                box.OpenReceivedData(received.string());
                box.TextMode = slot == 0 ? 0 : 1;
                box.ImportMode = slot == 2 ? 0 : 1;
                if (slot == 0) {
                    // The window's close button also answers OK; an empty
                    // log tells that no import ran.
                    const int closed = box.exec();
                    const std::int32_t outcome = box.RecomputeResult();
                    if (closed == ui::mrOk && outcome == 1)
                        result = 1;
                    else if (closed == ui::mrOk && outcome != 0)
                        CashImportFailed = 1;
                } else {
                    box.RunHidden();
                    if (box.RecomputeResult() == 1)
                        result = 1;
                    else
                        CashImportFailed = 1;
                }
            } catch (const std::exception&) {
                message(Framed("出納帳データローダーエラー"), MessageKind::Error);
                result = 0;
            }
            std::error_code ec;
            fs::remove(received, ec);
        }
    }
    // The cloud slot goes only once the received data is in: a failed
    // receive leaves the data set as it was.
    if ((SyoriType == 6 || SyoriType == 10) && result == 1)
        TCloudShareIO().ClearSetting(SystemDef.HostName, SystemDef.DataDir);
    return result;
}

bool TfmDataTusin::CountApprovedEntries()
{
    if (DM == nullptr || !DM->IBDatabaseDAT.connected())
        return false;
    try {
        db::TransactionScope scope(DM->IBTransactionDAT);
        db::Statement qy(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                         "SELECT COUNT(*) FROM SIWAKE_VIEW WHERE (SHONIN_OPCODE <> 0) ");
        qy.execute();
        const bool any = qy.fetch() && qy.field(std::size_t{0}).asInt() > 0;
        qy.close();
        scope.commit();
        return any;
    } catch (const db::DbError& e) {
        ReportDbError(e, "SIWAKE_VIEW", "基本情報の取得に失敗しました。\r");
        return false;
    }
}

bool TfmDataTusin::SendToWebAnalysis()
{
    const int row = PerfectGrid1->currentRow();
    const TAnalysisUpload upload =
        (UploadToWebAnalysis ? UploadToWebAnalysis : uploadToAnalysisServer)(TrimBlanks(AccInf.WEB_HOLDER), row + 1);
    if (upload.Status == "000")
        return true;
    message("経営ハルブリンクラウドデータを送信できません。 エラー : " + upload.Status + " " + upload.Text +
                "\r\n経営ハルブリンクラウドサーバーメンテナンス中の可能性もありま"
                "す。",
            MessageKind::Error);
    return false;
}

void TfmDataTusin::updateSentRow(int row)
{
    const int slot = row + 1;
    TServerTable& t = Session.Table;
    const bool era = SystemDef.EraDisplay == 1;
    auto date = [era](double d) { return era ? FormatDateSlash("yy/mm/dd", 2, d) : FormatDateTime("yyyy/mm/dd", d); };
    setCell(row, 1, AccInf.ENTTEXT);
    setCell(row, 2, std::to_string(AccInf.NENDO) + "期");
    setCell(row, 3, date(AccInf.KISHU) + " ～ " + date(AccInf.KIMATU));
    const std::string& d = t.At(ColSendTime, slot);
    std::string sent = RelayStampText(d);
    if (era && d.size() >= 12) {
        sent = eraDate(d, 0, 4, 6) + " " + d.substr(8, 2) + ":" + d.substr(10, 2);
        t.At(ColSendTimeDisp, slot) = sent;
    }
    setCell(row, 4, sent);
    setCell(row, 5, t.At(ColReceiveTime, slot));
    setCell(row, 6, FormatVersionLabel(AccInf.DataVerMajor, AccInf.DataVerMinor1));
    t.At(ColName, slot) = AccInf.ENTTEXT;
    t.At(ColPassword, slot) = AccInf.PASWORD;
}

std::int32_t TfmDataTusin::SendData()
{
    const int row = PerfectGrid1->currentRow();
    if (row < 0 || row >= 10)
        return 1;
    const int slot = row + 1;
    if (!askYes(Framed("中継サーバーの No." + std::to_string(slot) +
                       " フォルダに、現在利用中のデータを送信します。実行しますか？")))
        return 1;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::int32_t result = 1;
    {
        TfmWaitMess wait(this);
        const bool analysis = ProductKind != 2 && CloudKind == 1;
        prepareSendSteps(wait, analysis);
        [&] {
            {
                TMeetingToolSettingBox meeting(this);
                if (meeting.AskBeforeSend() == 2)
                    return;
            }
            wait.ShowNow();
            setEnabled(false);
            stepPause();
            TRelayTransfer transfer = newTransfer(Session, TRelayKind::Relay, wait);
            const TSendCompletion send = completionOf(AccInf.ENTTEXT);
            if (transfer.Send(slot, send) != 0)
                return;
            updateSentRow(row);
            if (analysis) {
                wait.MarkDone(3, QStringLiteral("中継サーバーへデータ送信"));
                wait.MarkRunning(4, QStringLiteral("経営ハルブリンクラウドへデータ送信"));
            }
            stepPause();
            if (analysis) {
                if (!SendToWebAnalysis())
                    return;
                wait.MarkDone(4, QStringLiteral("経営ハルブリンクラウドへデータ送信"));
                stepPause();
            }
            TMeetingToolSettingBox(this).ResetMeetingDate();
            result = 0;
        }();
    }
    setEnabled(true);
    QApplication::restoreOverrideCursor();
    if (result == 0) {
        activateWindow();
        message(Framed("データ送信処理が終了しました。"), MessageKind::Information);
    }
    return result;
}

std::int32_t TfmDataTusin::ReceiveData()
{
    const int row = PerfectGrid1->currentRow();
    if (row < 0 || row >= 10)
        return 1;
    const int slot = row + 1;
    if (TrimBlanks(cell(row, 1)).empty()) {
        message(Framed("選択したフォルダには、データは存在しません。"), MessageKind::Information);
        return 1;
    }
    if (TrimBlanks(Session.Table.At(ColPassword, slot)) != TrimBlanks(AccInf.PASWORD)) {
        message(Framed("選択したデータと現在利用中のデータではパスワードが一致しません。"), MessageKind::Warning);
        return 1;
    }
    if (!askYes(Framed("受信処理を開始します。現在利用中のデータが中継サーバーの"
                       "データで上書きされます。実行しますか？")))
        return 1;
    Keys[12]->setEnabled(false);
    Keys[5]->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::int32_t result = 1;
    {
        TfmWaitMess wait(this);
        prepareReceiveSteps(wait);
        wait.ShowNow();
        stepPause();
        setEnabled(false);
        TRelayTransfer transfer = newTransfer(Session, TRelayKind::Relay, wait);
        result = transfer.Receive(slot);
    }
    if (result == 0) {
        std::string shown = Session.Table.At(ColReceiveTime, slot);
        if (SystemDef.EraDisplay == 1 && shown.size() >= 16)
            shown = eraDate(shown, 0, 5, 8) + shown.substr(10);
        Session.Table.At(ColReceiveTimeDisp, slot) = shown;
        setCell(row, 5, shown);
        if (DM != nullptr) {
            // The data module reads the replaced data set afresh.
            DM->fnGetAccInfo();
        }
        message(Framed("データ受信処理が終了しました。"), MessageKind::Information);
    }
    setEnabled(true);
    Keys[12]->setEnabled(true);
    Keys[5]->setEnabled(true);
    QApplication::restoreOverrideCursor();
    return result;
}

} // namespace vq::comm
