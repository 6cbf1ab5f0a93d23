#include "comm/forms/TfrmTusinSettei.h"

#include "comm/forms/TfmDataTusin.h"
#include "comm/ServerTable.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/ManualPages.h"
#include "platform/Interaction.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "ui/ModalResult.h"
#include "ui/ScreenParams.h"
#include "ui/forms/ScreenRegistry.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace vq::comm {

namespace {

constexpr const char* NoSlotLabel = "領域選択：　　 No. --";
constexpr const char* IdRule =
    "通信ＩＤを設定する場合はスペース無しの英数12桁で入力して下さい。(-を含めると14桁)";

void info(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Information);
}

bool confirm(const std::string& text)
{
    return platform::showMessage(text, platform::MessageKind::Confirmation, platform::Buttons::YesNo) ==
           platform::ResultYes;
}

std::string withoutBlanks(std::string text)
{
    std::erase(text, ' ');
    return text;
}

std::string trimmed(const std::string& text)
{
    return TrimBlanks(text);
}

// The mask shows the 12 characters as three groups joined by "-".
QString maskText(const std::string& id)
{
    const std::string plain = withoutBlanks(id);
    if (plain.size() != 12)
        return {};
    return QString::fromStdString(plain.substr(0, 4) + "-" + plain.substr(4, 4) + "-" + plain.substr(8, 4));
}

TSlotChoice chooseOnScreen(TfrmTusinSettei& form)
{
    TSlotChoice choice;
    TfmDataTusin screen(&form);
    screen.PendingIdentity = std::make_pair(form.IdText(), form.txtConPasswd->text().toStdString());
    if (form.SyoriType == 6)
        screen.SelectCloudShareSlotForNewYear(form.DataFolder);
    else
        screen.SelectCloudShareSlot(form.DataFolder);
    choice.Chosen = screen.SlotSelected;
    choice.Slot = screen.SelectedSlot;
    if (choice.Slot >= 1 && choice.Slot <= 10)
        choice.ChosenName = screen.Session.Table.At(ColName, choice.Slot);
    choice.CurrentName = screen.SelectedName;
    return choice;
}

} // namespace

TfrmTusinSettei::TfrmTusinSettei(QWidget* parent)
    : TBSDI(parent, ui::bsDialog)
{
    setObjectName(QStringLiteral("frmTusinSettei"));
    setWindowTitle(QStringLiteral("通信設定"));
    FWriteOpHistory = true;
    FMenuHookOnShow = true;
    FRunBesideOthers = false;
    FKeepFormSize = false;
    FRefreshDM = true;
    setFixedSize(620, 393);
    ChooseSlot = chooseOnScreen;

    auto label = [this](const char* text, int x, int y, int w) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setGeometry(x, y, w, 24);
        return l;
    };
    Label42 = label("通信 ＩＤ:", 51, 34, 80);
    txtConID = new QLineEdit(this);
    txtConID->setObjectName(QStringLiteral("txtConID"));
    txtConID->setGeometry(132, 28, 160, 28);
    txtConID->setInputMask(QStringLiteral("nnnn-nnnn-nnnn;_"));
    txtConID->installEventFilter(this);
    Label43 = label("例： abcd-1234-5678", 300, 34, 180);
    Label2 = label("（英数半角１２桁）", 137, 58, 180);
    Label16 = label("パスワード:", 51, 94, 80);
    txtConPasswd = new ui::TxEdit(this);
    txtConPasswd->setObjectName(QStringLiteral("txtConPasswd"));
    txtConPasswd->setGeometry(132, 90, 120, 28);
    txtConPasswd->setMaxLength(6);
    txtConPasswd->setImeMode(ui::imDisable);
    txtConPasswd->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z ]*")), txtConPasswd));
    txtConPasswd->installEventFilter(this);
    Label1 = label("例： ABC123", 260, 94, 120);
    Label3 = label("（英数半角６桁以内）", 137, 119, 180);
    CheckBox1 = new QCheckBox(QStringLiteral("ヴォルレン経営ハルブリン（クラウド）へ送信する"), this);
    CheckBox1->setGeometry(51, 160, 420, 24);
    RadioButton1 = new QRadioButton(QStringLiteral("クラウドシェアを利用する"), this);
    RadioButton1->setGeometry(40, 200, 240, 24);
    RadioButton2 = new QRadioButton(QStringLiteral("クラウドシェアを利用しない"), this);
    RadioButton2->setGeometry(300, 200, 240, 24);
    RadioButton2->setChecked(true);
    Label5 = label(NoSlotLabel, 51, 236, 240);
    btnKyouyu = new ui::TxPlButton(this);
    btnKyouyu->setObjectName(QStringLiteral("btnKyouyu"));
    btnKyouyu->setCaptionAText(QStringLiteral("クラウドシェア領域を選択"));
    btnKyouyu->setGeometry(300, 232, 220, 32);
    for (QWidget* w : {static_cast<QWidget*>(RadioButton1), static_cast<QWidget*>(RadioButton2),
                       static_cast<QWidget*>(Label5), static_cast<QWidget*>(btnKyouyu)})
        w->hide();

    HintArea = new QPlainTextEdit(this);
    HintArea->setObjectName(QStringLiteral("HintArea"));
    HintArea->setReadOnly(true);
    HintArea->setFocusPolicy(Qt::NoFocus);
    HintArea->setGeometry(8, 290, 604, 48);
    auto key = [this](const char* name, const char* caption, int x) {
        auto* b = new ui::TxPlButton(this);
        b->setObjectName(QString::fromUtf8(name));
        b->setCaptionAText(QString::fromUtf8(caption));
        b->setGeometry(x, 350, 100, 32);
        return b;
    };
    ESC = key("ESC", "ESC:ｷｬﾝｾﾙ", 8);
    F1 = key("F1", "F1:ヘルプ", 112);
    F12 = key("F12", "F12:閉じる", 512);
    connect(btnKyouyu, &ui::TxPlButton::clicked, this, [this] { btnKyouyuClick(); });
    connect(F12, &ui::TxPlButton::clicked, this, [this] { F12Click(); });
    connect(ESC, &ui::TxPlButton::clicked, this, [this] { EscClick(); });
    connect(F1, &ui::TxPlButton::clicked, this,
            [this] { ShowHtmlHelp(cloudMode() && ConnectMode != ConnectTerminal ? "cloudshare.html"
                                                                                : SyoriType == 2 ? "tsusin08.html"
                                                                                                 : "tsusin05.html"); });
    FExecButton = F12;
    FCreated = true;
}

void TfrmTusinSettei::SetParams(const ui::ParamLines& lines)
{
    Params = lines;
    if (const auto t = ui::syoriTypeOf(lines))
        SyoriType = *t;
    setFormStyle(ui::formStyleOf(lines));
}

std::string TfrmTusinSettei::IdText() const
{
    const std::string text = txtConID->text().toStdString();
    auto part = [&](std::size_t from) { return from < text.size() ? text.substr(from, 4) : std::string(); };
    return withoutBlanks(part(0) + part(5) + part(10));
}

std::int32_t TfrmTusinSettei::Execute(bool modal)
{
    if (ConnectMode != ConnectTerminal && AccInf.CLOUD_LINE != 0 && SyoriType == 1)
        info("クラウドシェアデータでは、通信ID及びパスワードは変更できません。");
    const bool serverBased = ConnectMode == ConnectTerminal && SyoriType != 2;
    setWindowTitle(QString::fromUtf8(serverBased || SyoriType == 1 ? "通信設定"
                                     : SyoriType == 2              ? "現金出納帳通信設定"
                                                                   : "クラウドシェア設定"));
    if (SyoriType == 2)
        HintArea->setPlainText(QStringLiteral("現金出納帳用の通信ＩＤとパスワードをセットします。\r\n"
                                              "この設定は、現在利用中のデータのみ有効となります。"));
    return ExecuteScreen(modal, [this] { Setup(1); });
}

void TfrmTusinSettei::Setup(std::uint8_t flag)
{
    (void)flag;
    loadSettings();
}

void TfrmTusinSettei::loadSettings()
{
    LoadedPassword.clear();
    LoadedId.clear();
    txtConID->clear();
    txtConPasswd->clear();
    if (DM && DM->IBDatabaseDAT.connected()) {
        try {
            db::TransactionScope scope(DM->IBTransactionDAT);
            db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                            SyoriType == 2 ? "SELECT PASWORD,HOLDER FROM TUSIN_ID  WHERE REC=:REC "
                                           : "SELECT PASWORD,WEB_HOLDER FROM ACCDEF1  WHERE REC=:REC ");
            q.param("REC").setInt(1);
            q.execute();
            if (q.fetch()) {
                LoadedPassword = q.field(0).asString();
                txtConPasswd->setText(QString::fromStdString(LoadedPassword));
                txtConID->setText(maskText(q.field(1).asString()));
            }
            q.close();
            scope.commit();
        } catch (...) {
            ReportCurrentException("TUSIN_ID", "通信設定");
        }
    }
    LoadedId = txtConID->text().toStdString();
    LoadedIdText = LoadedId;
    const bool cloud = cloudMode();
    CheckBox1->setVisible(SyoriType == 1 && ProductKind <= 1);
    RadioButton1->setVisible(cloud);
    RadioButton2->setVisible(cloud);
    Label5->setVisible(cloud);
    btnKyouyu->setVisible(cloud);
    if (SyoriType == 1 && ProductKind <= 1)
        CheckBox1->setChecked(GetAccRegInt("通信設定", "クラウド区分", "0") != 0);
    if (SyoriType == 1 && ConnectMode != ConnectTerminal && AccInf.CLOUD_LINE != 0) {
        txtConID->setEnabled(false);
        txtConPasswd->setEnabled(false);
    }
    if (cloud) {
        const bool use = CloudLine != 0 || (SyoriType == 6 && ProductKind != 2);
        (use ? RadioButton1 : RadioButton2)->setChecked(true);
        showSlotLabel();
        HintArea->setPlainText(QStringLiteral("クラウドシェアを利用する場合は「利用する」を選び、"
                                              "通信IDとパスワードを設定してクラウドシェア領域を選択します。"));
    }
}

void TfrmTusinSettei::showSlotLabel()
{
    Label5->setText(CloudLine != 0 ? QStringLiteral("領域選択：　　 No. ") + QString::number(CloudLine)
                                   : QString::fromUtf8(NoSlotLabel));
}

bool TfrmTusinSettei::txtConPasswdExit()
{
    if (!txtConPasswd->text().contains(QLatin1Char(' ')))
        return true;
    info("パスワードはスペース（空白）なしの英数６桁以内で入力して下さい。");
    txtConPasswd->setFocus();
    return false;
}

void TfrmTusinSettei::txtConIDExit()
{
    if (txtConID->text().toStdString() == LoadedId || SlotChosenHere)
        return;
    CloudLine = 0;
    showSlotLabel();
}

void TfrmTusinSettei::btnKyouyuClick()
{
    if (!RadioButton1->isChecked()) {
        info("「クラウドシェアを利用する」を選択してください。");
        return;
    }
    if (withoutBlanks(txtConID->text().toStdString()).size() != 14) {
        info(IdRule);
        return;
    }
    if (trimmed(txtConPasswd->text().toStdString()).empty()) {
        info("「パスワード」が入力されていません。");
        return;
    }
    // The ID and password are written with the slot at F12, never before.
    SlotChosenHere = 1;
    const TSlotChoice choice = ChooseSlot(*this);
    if (choice.Chosen) {
        CloudLine = ChosenCloudLine = choice.Slot;
        NeedUpload = trimmed(choice.ChosenName).empty() ? 1 : 0;
        showSlotLabel();
        F12Click();
    } else {
        NeedUpload = trimmed(choice.CurrentName).empty() ? 1 : 0;
    }
}

void TfrmTusinSettei::F12Click()
{
    if (cloudMode()) {
        if (InitialCloudLine != 0 && RadioButton2->isChecked()) {
            if (!confirm("クラウドシェアを解除します。よろしいですか？")) {
                RadioButton2->setFocus();
                return;
            }
            CloudLine = ChosenCloudLine = 0;
        }
        if (!SlotChosenHere && txtConID->text().toStdString() != LoadedId) {
            CloudLine = 0;
            showSlotLabel();
        }
    }
    if (!saveSettings())
        return;
    if (cloudMode())
        NotSaved = 0;
    if (!closeChecks())
        return;
    done(ui::mrOk);
}

void TfrmTusinSettei::EscClick()
{
    txtConPasswd->setText(QString::fromStdString(LoadedPassword));
    txtConID->setText(QString::fromStdString(LoadedId));
    // Settings F12 saved before the closing question stay saved.
    if (cloudMode() && !savedHere_)
        NotSaved = 1;
    done(ui::mrCancel);
}

// ID, password and (mode 5) slot in one transaction.
bool TfrmTusinSettei::saveSettings()
{
    if (!DM || !DM->IBDatabaseDAT.connected())
        return false;
    const std::string id = IdText();
    const std::string password = txtConPasswd->text().toStdString();
    if (SyoriType == 5 && !RadioButton1->isChecked()) {
        CloudLine = ChosenCloudLine = 0;
        NeedUpload = 1;
    }
    try {
        db::TransactionScope scope(DM->IBTransactionDAT);
        db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                        SyoriType == 2   ? "UPDATE TUSIN_ID SET PASWORD=:PASWORD,HOLDER=:HOLDER WHERE REC=:REC "
                        : SyoriType == 5 ? "UPDATE ACCDEF1 SET PASWORD=:PASWORD,WEB_HOLDER=:WEB_HOLDER,"
                                           "CLOUD_LINE=:CLOUD_LINE WHERE REC=:REC "
                                         : "UPDATE ACCDEF1 SET PASWORD=:PASWORD,WEB_HOLDER=:WEB_HOLDER WHERE REC=:REC ");
        q.param("PASWORD").setString(password);
        q.param(SyoriType == 2 ? "HOLDER" : "WEB_HOLDER").setString(trimmed(id));
        if (SyoriType == 5)
            q.param("CLOUD_LINE").setInt(CloudLine);
        q.param("REC").setInt(1);
        q.execute();
        scope.commit();
    } catch (...) {
        ReportCurrentException("TUSIN_ID", "クラウドシェア通信設定");
        return false;
    }
    savedHere_ = true;
    if (SyoriType == 2) {
        AccInf.CommPassword[1] = password;
        AccInf.CommHolder[1] = id;
    } else {
        AccInf.PASWORD = password;
        AccInf.WEB_HOLDER = id;
        AccInf.CommPassword[0] = password;
        AccInf.CommHolder[0] = id;
        if (SyoriType == 5)
            AccInf.CLOUD_LINE = CloudLine;
    }
    if (SyoriType == 1 && ProductKind <= 1)
        PutAccReg("通信設定", "クラウド区分", "整数", SettingValue(std::int32_t{CheckBox1->isChecked() ? 1 : 0}));
    return true;
}

bool TfrmTusinSettei::closeChecks()
{
    if (SyoriType == 6 && CloudLine == 0 &&
        !confirm("クラウドシェア領域を選択してください。\r\n選択せずに、画面を閉じますか？"))
        return false;
    if (withoutBlanks(txtConID->text().toStdString()).size() != 14 &&
        !confirm(std::string(IdRule) +
                 "\r\n通信ＩＤが設定されていないため中継サーバーを使ったデータの送受信はできません。\r\n"
                 "通信設定を終了しますか？"))
        return false;
    return true;
}

std::int32_t TfrmTusinSettei::ShowCloudShareSettings(const std::string& folder)
{
    if (trimmed(folder).empty())
        return 1;
    NotSaved = 1;
    savedHere_ = false;
    SlotChosenHere = 0;
    DataFolder = folder;
    // The caller keeps this screen and shows it again: closing only hides it.
    FKeepOnClose = true;
    bool connectedHere = false;
    if (ConnectMode != ConnectStandAlone && DM && DM->AccDatInConnection(1, SystemDef.HostName, folder, 0)) {
        info("このデータは他のオペレータが使用中です。 ");
        return 9;
    }
    if (DM && !(DM->IBDatabaseDAT.connected() && SystemDef.DataDir == folder)) {
        connectedHere = DM->fnAccDatConnected(SystemDef.HostName, folder, 0) && DM->fnGetAccInfo();
        if (!connectedHere) {
            platform::showMessage("データに接続できません。", platform::MessageKind::Warning);
            return 9;
        }
    }
    InitialCloudLine = CloudLine = ChosenCloudLine = AccInf.CLOUD_LINE;
    SyoriType = 5;
    NeedUpload = 0;
    Execute(true);
    ChosenCloudLine = CloudLine;
    if (connectedHere && DM)
        DM->CloseAccDat(folder, 0, 0);
    hide();
    return NotSaved ? 9 : 0;
}

bool TfrmTusinSettei::FormKeyUp(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        EscClick();
        return true;
    case Qt::Key_F12:
        F12Click();
        return true;
    default:
        return TBSDI::FormKeyUp(event);
    }
}

bool TfrmTusinSettei::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == txtConPasswd)
            txtConPasswdExit();
        else if (watched == txtConID)
            txtConIDExit();
    }
    return TBSDI::eventFilter(watched, event);
}

void RegisterTusinSettei()
{
    ui::RegisterScreen<TfrmTusinSettei>("QzTusinSettei");
}

} // namespace vq::comm
