#include "comm/forms/TMeetingToolSettingBox.h"

#include "foundation/app/AccInf.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileUtils.h"
#include "foundation/files/ManualPages.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"
#include "ui/ModalResult.h"
#include "ui/SilentAbort.h"
#include "ui/forms/ScreenRegistry.h"
#include "ui/forms/TVorlenExDateEdit.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxMaskEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QUrl>

namespace vq::comm {

namespace {

constexpr const char* IdMessage =
    "通信ＩＤを設定する場合はスペース無しの英数12桁で入力してください。(-を含めると14桁)";
constexpr const char* NoMeetingMessage = "Web会議が設定されていません。";
constexpr const char* UrlSchemeMessage = "Web会議のURLが \"https://\" 又は \"http://\" で始まっていません。";

void info(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Information);
}

QLabel* label(QWidget* parent, const char* text, int x, int y, int w, int h = 24)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(x, y, w, h);
    return l;
}

ui::TxPlButton* button(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h = 32)
{
    auto* b = new ui::TxPlButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setCaptionAText(QString::fromUtf8(caption));
    b->setGeometry(x, y, w, h);
    return b;
}

// The text of a masked ID edit without its "-" and blanks.
std::string withoutHyphens(const QString& text)
{
    std::string s = RemoveAllSpaces(text.toStdString());
    std::erase(s, '-');
    std::erase(s, '_');
    return s;
}

} // namespace

TMeetingToolSettingBox::TMeetingToolSettingBox(QWidget* parent)
    : TBSDI(parent, ui::bsDialog)
{
    setObjectName(QStringLiteral("MeetingToolSettingBox"));
    setWindowTitle(QStringLiteral("Web会議設定"));
    FWriteOpHistory = true;
    FRefreshDM = true;
    FMenuHookOnShow = true;
    FRunBesideOthers = true;
    FKeepFormSize = false;
    resize(757, 588);

    buildBase();
    buildDateQuestion();

    HintArea = new QPlainTextEdit(this);
    HintArea->setObjectName(QStringLiteral("HintArea"));
    HintArea->setReadOnly(true);
    HintArea->setFocusPolicy(Qt::NoFocus);
    HintArea->setGeometry(8, 532, 420, 48);
    FHintMemo = HintArea;
    F1 = button(this, "F1", "F1:ヘルプ", 436, 540, 100);
    btnCancel = button(this, "btnCancel", "ESC:ｷｬﾝｾﾙ", 544, 540, 100);
    btnCancel->setModalResult(ui::mrCancel);
    btnCancel->setCancel(true);
    btnOK = button(this, "btnOK", "F12:閉じる", 652, 540, 100);
    FExecButton = btnOK;
    connect(btnOK, &ui::TxPlButton::clicked, this, [this] { btnOKClick(); });
    connect(F1, &ui::TxPlButton::clicked, this, [] { ShowHtmlHelp("web_meeting.html"); });

    setHint(cboxMeetingUse, "Web会議の使用の有無を設定します。|ZoomなどのWeb会議を使用する場合はチェックを入れます。");
    const QString urlHint = QStringLiteral("Web会議のURLを入力します。|Web会議のURLを入力します。\r\n"
                                           "[Ctrl]+[v]キーまたは[貼り付け]ボタンでクリップボードの内容を貼り付けます。");
    setHint(MemoUrl, urlHint);
    setHint(btnPaste, urlHint);
    setHint(cboxMailSousin,
            "メールを使って自動通知する場合は設定します。|メールを使って自動通知する場合はチェックを入れます。");
    const QString idNote = QStringLiteral("通信ＩＤとパスワードは通信相手と同一の設定を行います。\r\n"
                                          "この設定は、現在利用中のデータのみ有効となります。");
    setHint(txtConID, QStringLiteral("通信ＩＤを入力します。|") + idNote);
    setHint(txtConPasswd, QStringLiteral("パスワードを入力します。|") + idNote);
    setHint(btnMailAddress, "メールアドレスを登録します。|通知先のメールアドレスを登録します。");
    for (QWidget* w : {static_cast<QWidget*>(btnContactHizuke), static_cast<QWidget*>(btnContactLater),
                       static_cast<QWidget*>(btnContactNone)})
        setHint(w, "開催日時の連絡方法を設定します。|開催日時の連絡方法を設定します。");
    const QString dateHint =
        QStringLiteral("開催日時を入力します。|開催日時を入力します。\r\n[クリア]ボタンで開催日時をクリアします。");
    setHint(txtContactHizuke, dateHint);
    setHint(btnHizukeClear, dateHint);
    setHint(btnOK, "設定情報を登録します。|設定情報を登録します。");
    setHint(btnCancel, "設定情報の登録を取り止めます。|設定情報の登録を取り止めます。");

    try {
        Settings = LoadMeetingSettings();
        FCreated = true;
    } catch (...) {
        // No data set open, or it cannot be read: the screen says it could
        // not start when shown.
        ReportCurrentException("TMeetingToolSettingBox.FormCreate", "");
    }
}

void TMeetingToolSettingBox::buildBase()
{
    pnlBase = new QWidget(this);
    pnlBase->setObjectName(QStringLiteral("pnlBase"));
    pnlBase->setGeometry(0, 0, 757, 524);
    cboxMeetingUse = new ui::TxCheckBox(QStringLiteral("Web会議を使用する"), pnlBase);
    cboxMeetingUse->setObjectName(QStringLiteral("cboxMeetingUse"));
    cboxMeetingUse->setGeometry(32, 24, 300, 28);
    Label1 = label(pnlBase, "Web会議のURL:", 56, 64, 200);
    MemoUrl = new QPlainTextEdit(pnlBase);
    MemoUrl->setObjectName(QStringLiteral("MemoUrl"));
    MemoUrl->setGeometry(56, 92, 560, 96);
    btnPaste = button(pnlBase, "btnPaste", "貼り付け", 628, 92, 100);
    lblLinkUrl = label(pnlBase, "URLの発行方法を確認する（Zoomの場合） >>", 56, 196, 400);
    lblLinkUrl->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    lblLinkUrl->setCursor(Qt::PointingHandCursor);
    lblLinkUrl->installEventFilter(this);
    cboxMailSousin = new ui::TxCheckBox(QStringLiteral("顧問先に通知メールを送信する"), pnlBase);
    cboxMailSousin->setObjectName(QStringLiteral("cboxMailSousin"));
    cboxMailSousin->setGeometry(32, 248, 360, 28);

    Label5 = label(pnlBase, "通信 ＩＤ:", 56, 296, 100);
    txtConID = new ui::TxMaskEdit(pnlBase);
    txtConID->setObjectName(QStringLiteral("txtConID"));
    txtConID->setGeometry(160, 292, 180, 28);
    txtConID->setInputMask(QStringLiteral("nnnn-nnnn-nnnn;_"));
    txtConID->setAttribute(Qt::WA_InputMethodEnabled, false);
    Label6 = label(pnlBase, "（英数半角１２桁）", 352, 296, 320);
    Label7 = label(pnlBase, "例： abcd-1234-5678", 160, 324, 240);
    Label8 = label(pnlBase, "パスワード:", 56, 364, 100);
    txtConPasswd = new ui::TxEdit(pnlBase);
    txtConPasswd->setObjectName(QStringLiteral("txtConPasswd"));
    txtConPasswd->setGeometry(160, 360, 120, 28);
    txtConPasswd->setMaxLength(6);
    txtConPasswd->setImeMode(ui::imDisable);
    txtConPasswd->installEventFilter(this);
    Label9 = label(pnlBase, "（英数半角６桁以内）", 292, 364, 320);
    Label10 = label(pnlBase, "例： ABC123", 160, 392, 160);
    btnMailAddress = button(pnlBase, "btnMailAddress", "メールアドレス登録", 56, 432, 180);
    Panel1 = label(pnlBase, "※顧問先側の通信IDを登録して「メールアドレス登録」ボタンを押してください", 248, 432, 480, 32);

    // The ID and the password take letters and digits only.
    const auto* alnum = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z]*")), this);
    txtConPasswd->setValidator(alnum);

    connect(cboxMeetingUse, &QCheckBox::clicked, this, [this] { cboxMeetingUseClick(); });
    connect(cboxMailSousin, &QCheckBox::clicked, this, [this] { cboxMeetingUseClick(); });
    connect(btnPaste, &ui::TxPlButton::clicked, this, [this] { btnPasteClick(); });
    connect(btnMailAddress, &ui::TxPlButton::clicked, this, [this] { btnMailAddressClick(); });
}

void TMeetingToolSettingBox::buildDateQuestion()
{
    pnlHizuke = new QWidget(this);
    pnlHizuke->setObjectName(QStringLiteral("pnlHizuke"));
    pnlHizuke->setGeometry(0, 0, 757, 300);
    Label2 = label(pnlHizuke,
                   "このデータにはWeb会議用のＵＲＬが設定されていますので、ヴォルレン経営ハルブリンクラウドで指定した",
                   24, 16, 720);
    Label3 = label(pnlHizuke, "アドレス宛に、Web会議のURLとミーティング開始日時を記載したお知らせメールを送信します。",
                   24, 40, 720);
    btnContactHizuke = new ui::TxRadioButton(QStringLiteral("開始日時を記載する"), pnlHizuke);
    btnContactHizuke->setObjectName(QStringLiteral("btnContactHizuke"));
    btnContactHizuke->setGeometry(40, 80, 240, 28);
    txtContactHizuke = new ui::TVorlenExDateEdit(pnlHizuke);
    txtContactHizuke->setObjectName(QStringLiteral("txtContactHizuke"));
    txtContactHizuke->setGeometry(72, 112, 360, 28);
    txtContactHizuke->setCanEmpty(true);
    txtContactHizuke->setDialogCaption(QStringLiteral("日付時刻入力"));
    btnHizukeClear = button(pnlHizuke, "btnHizukeClear", "クリア", 436, 110, 80);
    btnContactLater = new ui::TxRadioButton(QStringLiteral("開始日時を「別途連絡」とする"), pnlHizuke);
    btnContactLater->setObjectName(QStringLiteral("btnContactLater"));
    btnContactLater->setGeometry(40, 152, 400, 28);
    btnContactNone = new ui::TxRadioButton(
        QStringLiteral("今回はWeb会議を行わない（お知らせメールのWeb会議についての記載を省略）"), pnlHizuke);
    btnContactNone->setObjectName(QStringLiteral("btnContactNone"));
    btnContactNone->setGeometry(40, 188, 680, 28);
    pnlHizuke->hide();
    for (auto* r : {btnContactHizuke, btnContactLater, btnContactNone})
        connect(r, &QRadioButton::toggled, this, [this] { btnContactHizukeClick(); });
    connect(btnHizukeClear, &ui::TxPlButton::clicked, this, [this] { btnHizukeClearClick(); });
}

void TMeetingToolSettingBox::SetParams(const ui::ParamLines& lines)
{
    Params = lines;
    SyoriType = ui::syoriTypeOf(lines).value_or(0);
    setFormStyle(ui::formStyleOf(lines));
}

std::int32_t TMeetingToolSettingBox::Execute(bool modal)
{
    if (SyoriType == 2) {
        OpenMeetingUrl();
        deleteLater();
        return -1;
    }
    return ExecuteScreen(modal, [this] { Setup(true); });
}

void TMeetingToolSettingBox::Setup(bool /*show*/)
{
    LoadSettings();
    FFirstPlacement = false;
}

void TMeetingToolSettingBox::LoadSettings()
{
    pnlBase->hide();
    pnlHizuke->hide();
    if (SyoriType == 1) {
        if (FFirstPlacement)
            resize(width(), 400);
        setWindowTitle(QStringLiteral("Web会議　ミーティング日時を指定"));
        pnlHizuke->move(pnlBase->pos());
        pnlHizuke->show();
        btnContactNone->setChecked(true);
        if (Settings.MeetingDateMode == 1)
            btnContactHizuke->setChecked(true);
        else if (Settings.MeetingDateMode == 2)
            btnContactLater->setChecked(true);
        txtContactHizuke->Clear();
        if (Settings.MeetingDate > 0) {
            // The seconds are kept at 1 and stored back that way.
            const CivilDateTime t = decodeDateTime(Settings.MeetingDate);
            txtContactHizuke->SetDateTime(encodeDateTime(t.date.year, t.date.month, t.date.day, t.time.hour,
                                                         t.time.minute, 1));
        }
        const int bottom = height() - 44;
        HintArea->setGeometry(8, bottom - 8, 420, 48);
        btnCancel->setCaptionAText(QStringLiteral("キャンセル"));
        btnCancel->move(width() - 16 - btnCancel->width(), bottom);
        btnOK->setCaptionAText(QStringLiteral("ＯＫ"));
        btnOK->move(btnCancel->x() - 12 - btnOK->width(), bottom);
        F1->hide();
        FKeepOnClose = true;
        btnContactHizukeClick();
        return;
    }
    pnlBase->show();
    cboxMeetingUse->setChecked(Settings.MeetingOn == 1);
    MemoUrl->setPlainText(QString::fromStdString(Settings.MeetingUrl));
    cboxMailSousin->setChecked(Settings.CloudKubun == 1);
    const std::string id = RemoveAllSpaces(AccInf.WEB_HOLDER);
    txtConID->setText(id.size() == 12 ? QString::fromStdString(id.substr(0, 4) + "-" + id.substr(4, 4) + "-" +
                                                               id.substr(8, 4))
                                      : QString());
    txtConPasswd->setText(QString::fromStdString(AccInf.PASWORD));
    cloudShared_ = ConnectMode != ConnectTerminal && AccInf.CLOUD_LINE != 0;
    cboxMeetingUseClick();
}

void TMeetingToolSettingBox::FormShow()
{
    if (SyoriType == 1) {
        ui::TxRadioButton* chosen = Settings.MeetingDateMode == 1   ? btnContactHizuke
                                    : Settings.MeetingDateMode == 2 ? btnContactLater
                                                                    : btnContactNone;
        chosen->setFocus();
    } else {
        cboxMeetingUse->setFocus();
    }
}

void TMeetingToolSettingBox::cboxMeetingUseClick()
{
    const bool use = cboxMeetingUse->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(MemoUrl),
                       static_cast<QWidget*>(btnPaste), static_cast<QWidget*>(cboxMailSousin)})
        w->setEnabled(use);
    const bool both = use && cboxMailSousin->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(txtConID), static_cast<QWidget*>(txtConPasswd),
                       static_cast<QWidget*>(btnMailAddress), static_cast<QWidget*>(Panel1),
                       static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label6), static_cast<QWidget*>(Label7),
                       static_cast<QWidget*>(Label8), static_cast<QWidget*>(Label9), static_cast<QWidget*>(Label10)})
        w->setEnabled(both);
    if (cloudShared_) {
        // A cloud-shared data set keeps the ID and password of its share.
        for (QWidget* w : {static_cast<QWidget*>(txtConID), static_cast<QWidget*>(txtConPasswd),
                           static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label7),
                           static_cast<QWidget*>(Label8), static_cast<QWidget*>(Label10)})
            w->setEnabled(false);
        for (QLabel* l : {Label6, Label9}) {
            l->setText(QStringLiteral("クラウドシェアデータのため変更できません"));
            l->setStyleSheet(QStringLiteral("color: red;"));
        }
    }
}

void TMeetingToolSettingBox::btnContactHizukeClick()
{
    const bool dated = btnContactHizuke->isChecked();
    txtContactHizuke->setEnabled(dated);
    btnHizukeClear->setEnabled(dated);
}

void TMeetingToolSettingBox::btnPasteClick()
{
    MemoUrl->insertPlainText(QApplication::clipboard()->text());
    MemoUrl->setFocus();
}

void TMeetingToolSettingBox::btnHizukeClearClick()
{
    txtContactHizuke->Clear();
}

std::string TMeetingToolSettingBox::typedId() const
{
    return withoutHyphens(txtConID->text());
}

void TMeetingToolSettingBox::btnMailAddressClick()
{
    if (RemoveAllSpaces(txtConID->text().toStdString()).size() != 14 || typedId().size() != 12) {
        info(IdMessage);
        txtConID->setFocus();
        return;
    }
    const std::string host = AppInfo.WebHalbrinServer;
    const QByteArray id = QUrl::toPercentEncoding(QString::fromStdString(typedId()));
    platform::interaction().openUrl("https://" + host + "/QzMailAccountEdit?fname=" + id.toStdString());
}

void TMeetingToolSettingBox::lblLinkUrlClick()
{
    // The distributor editions have no guide page of their own.
    if (OemKind == 1 || OemKind == 2)
        return;
    const std::string page = ExcludeBackslash(TrimZenSpace(AppInfo.URL)) + "/vqz/guide/zoom_set1.html";
    if (IsWebUrl(page))
        platform::interaction().openUrl(TrimZenSpace(page));
    lblLinkUrl->setStyleSheet(QStringLiteral("color: purple; text-decoration: underline;"));
}

bool TMeetingToolSettingBox::txtConPasswdExit()
{
    const QString text = txtConPasswd->text();
    if (!text.contains(QLatin1Char(' ')) && !text.contains(QChar(0x3000)))
        return true;
    info("パスワードはスペース（空白）なしの英数６桁以内で入力してください。");
    txtConPasswd->setFocus();
    return false;
}

bool TMeetingToolSettingBox::CheckInput()
{
    if (SyoriType == 0) {
        if (cboxMeetingUse->isChecked()) {
            const std::string url = TrimZenSpace(MemoUrl->toPlainText().toStdString());
            if (url.empty()) {
                info("Web会議のURLが入力されていません。");
                MemoUrl->setFocus();
                return false;
            }
            if (!IsWebUrl(url)) {
                info(UrlSchemeMessage);
                MemoUrl->setFocus();
                return false;
            }
        }
        if (txtConID->isEnabled() && RemoveAllSpaces(txtConID->text().toStdString()).size() != 14) {
            info(IdMessage);
            txtConID->setFocus();
            return false;
        }
        return true;
    }
    if (SyoriType == 1 && btnContactHizuke->isChecked()) {
        double start = 0;
        try {
            if (!txtContactHizuke->isEmpty())
                start = txtContactHizuke->GetDateTime();
        } catch (const ui::SilentAbort&) {
            return false; // the editor said what is wrong
        }
        if (start <= 0) {
            info("会議の開始日時が入力されていません。");
            txtContactHizuke->setFocus();
            return false;
        }
    }
    return true;
}

void TMeetingToolSettingBox::btnOKClick()
{
    if (!CheckInput())
        return;
    if (platform::showMessage("Web会議の情報を登録します。よろしいですか？", platform::MessageKind::Confirmation,
                              platform::Buttons::OkCancel) != platform::ResultOk)
        return;
    try {
        if (SyoriType == 0) {
            const bool use = cboxMeetingUse->isChecked();
            const bool mail = cboxMailSousin->isChecked();
            // An ID left empty is saved empty; one typed in part was refused.
            const std::string id = typedId();
            SaveMeetingBase(use, MemoUrl->toPlainText().toStdString(), mail, id, txtConPasswd->text().toStdString());
            Settings.MeetingOn = use ? 1 : 0;
            Settings.MeetingUrl = TrimZenSpace(MemoUrl->toPlainText().toStdString());
            Settings.CloudKubun = mail ? 1 : 0;
        } else if (SyoriType == 1) {
            std::int32_t mode = 0;
            double date = 0;
            if (btnContactHizuke->isChecked()) {
                mode = 1;
                date = txtContactHizuke->GetDateTime();
            } else if (btnContactLater->isChecked()) {
                mode = 2;
            }
            SaveMeetingDate(mode, date);
            Settings.MeetingDateMode = mode;
            Settings.MeetingDate = date;
        }
    } catch (const db::DbError& e) {
        // Nothing was saved; the operator may try again or cancel.
        ReportDbError(e, "TMeetingToolSettingBox.btnOKClick", "設定情報の更新に失敗しました。");
        return;
    }
    done(ui::mrOk);
}

std::int32_t TMeetingToolSettingBox::AskBeforeSend()
{
    try {
        Settings = LoadMeetingSettings();
    } catch (const db::DbError& e) {
        ReportDbError(e, "TMeetingToolSettingBox.AskBeforeSend", "");
        return 0;
    }
    if (!MeetingAnnounced(Settings))
        return 0;
    SyoriType = 1;
    FKeepOnClose = true;
    return Execute(true);
}

std::int32_t TMeetingToolSettingBox::ResetMeetingDate()
{
    try {
        if (MeetingAnnounced(LoadMeetingSettings()))
            ResetMeetingDateSettings();
    } catch (const db::DbError& e) {
        ReportDbError(e, "TMeetingToolSettingBox.ResetMeetingDate", "");
    }
    return 1;
}

void TMeetingToolSettingBox::OpenMeetingUrl()
{
    if (Settings.MeetingOn == 0 || Settings.MeetingUrl.empty()) {
        info(NoMeetingMessage);
        return;
    }
    // Only a web page is opened: a stored address is data, not a command.
    if (!IsWebUrl(Settings.MeetingUrl)) {
        info(UrlSchemeMessage);
        return;
    }
    platform::interaction().openUrl(Settings.MeetingUrl);
}

bool TMeetingToolSettingBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtConPasswd && event->type() == QEvent::FocusOut)
        txtConPasswdExit();
    if (watched == lblLinkUrl && event->type() == QEvent::MouseButtonRelease)
        lblLinkUrlClick();
    return TBSDI::eventFilter(watched, event);
}

void RegisterMeetingToolSetting()
{
    ui::RegisterScreen<TMeetingToolSettingBox>("QzMeetingToolSetting");
}

} // namespace vq::comm
