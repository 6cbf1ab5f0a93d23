#include "ui/forms/TLogonBox.h"

#include <QApplication>
#include <QGroupBox>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QStyle>

#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/Interaction.h"
#include "ui/AppIniSettings.h"
#include "ui/FormFont.h"
#include "ui/ModalResult.h"
#include "ui/forms/DialogKeys.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/TAppIniCreateBox.h"
#include "ui/forms/TMessageBox2.h"
#include "ui/forms/TUpPasswordBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

namespace vq::ui {

namespace {

int px(int design) { return scaledFromDesign(design); }

QLabel* label(QWidget* parent, const char* caption, int x, int y)
{
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    l->move(px(x), px(y));
    l->adjustSize();
    return l;
}

TxPlButton* button(QWidget* parent, const char* caption, int x, int y, int w, int h)
{
    auto* b = new TxPlButton(parent);
    b->setCaptionAText(QString::fromUtf8(caption));
    b->setGeometry(px(x), px(y), px(w), px(h));
    return b;
}

TxEdit* edit(QWidget* parent, int x, int y, int w, int maxLength, const char* hint)
{
    auto* e = new TxEdit(parent);
    e->setGeometry(px(x), px(y), px(w), px(21));
    e->setMaxLength(maxLength);
    e->setImeMode(imDisable);
    if (hint)
        e->setToolTip(QString::fromUtf8(hint));
    return e;
}

// The office-user chord: Ctrl held with both keys of the pair, each of which
// has a stand-in (O or P, and U or Y).
bool officeUserChord(const std::set<int>& held, Qt::KeyboardModifiers modifiers)
{
    auto any = [&](int a, int b) { return held.count(a) || held.count(b); };
    return (modifiers & Qt::ControlModifier) && any(Qt::Key_O, Qt::Key_P) && any(Qt::Key_U, Qt::Key_Y);
}

} // namespace

TLogonBox::TLogonBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      logon_([](TMessage2InfoRec& info) { ShowMessage2(info); })
{
    setWindowTitle(QStringLiteral("ログイン"));
    setFont(formFont(12));
    setFixedSize(px(378), px(300));

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, px(378), px(65));
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(pal);
    Image1 = new QLabel(Panel1);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_DialogYesButton).pixmap(px(32), px(32)));
    Image1->setGeometry(px(14), px(16), px(32), px(32));
    Image2 = new QLabel(Panel1);
    Image2->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(px(32), px(32)));
    Image2->setGeometry(px(14), px(16), px(32), px(32));
    Image2->hide();
    Label1 = new QLabel(Panel1);
    Label1->setGeometry(px(58), px(8), px(312), px(16));
    Label2 = new QLabel(Panel1);
    Label2->setGeometry(px(58), px(26), px(312), px(16));
    Label3 = new QLabel(Panel1);
    Label3->setGeometry(px(58), px(44), px(312), px(16));

    Panel2 = new QWidget(this);
    Panel2->setGeometry(0, px(65), px(378), px(235));
    auto* box1 = new QGroupBox(Panel2);
    box1->setGeometry(px(8), px(4), px(362), px(106));
    Label5 = label(box1, "コード:", 20, 20);
    txtOpCode = edit(box1, 116, 16, 100, 9, "オペレータコードを入力します。");
    txtOpCode->setKeyStyles({ksEnter});
    Label6 = label(box1, "パスワード:", 20, 48);
    txtPassword = edit(box1, 116, 44, 150, 16, "パスワードを入力します。");
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setKeyStyles({ksUp});
    txtPassword->installEventFilter(this);
    Label4 = label(box1, "グループ:", 20, 76);
    txtGroupID = edit(box1, 116, 72, 100, 16, nullptr);
    txtGroupID->setEchoMode(QLineEdit::Password);
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    txtOpCode->setValidator(new QRegularExpressionValidator(digits, txtOpCode));
    txtGroupID->setValidator(new QRegularExpressionValidator(digits, txtGroupID));

    GroupBox2 = new QGroupBox(Panel2);
    GroupBox2->setGeometry(px(8), px(116), px(362), px(62));
    btnSA = new TxRadioButton(QStringLiteral("スタンドアロン"), GroupBox2);
    btnSA->setGeometry(px(16), px(22), px(110), px(22));
    btnSA->setToolTip(QStringLiteral("このコンピュータで管理しているデータを処理します。"));
    btnCS = new TxRadioButton(QStringLiteral("クライアント(C/S)"), GroupBox2);
    btnCS->setGeometry(px(130), px(22), px(130), px(22));
    btnCS->setToolTip(QStringLiteral("ネットワークに接続して、サーバーで管理しているデータを処理します。"));
    btnServerSettei = button(GroupBox2, "サーバー設定", 264, 18, 88, 28);
    btnServerSettei->setFocusPolicy(Qt::NoFocus);
    btnServerSettei->setToolTip(QStringLiteral("データサーバーの情報を設定します。"));
    connect(btnSA, &QRadioButton::clicked, this, [this] { btnSAClick(); });
    connect(btnCS, &QRadioButton::clicked, this, [this] { btnSAClick(); });
    connect(btnServerSettei, &TxPlButton::clicked, this, [this] { btnServerSetteiClick(); });

    btnUpPassword = button(Panel2, "パスワードを変更 ", 8, 192, 130, 30);
    btnUpPassword->setToolTip(QStringLiteral("パスワードを変更します。"));
    btnUpPassword->hide();
    connect(btnUpPassword, &TxPlButton::clicked, this, [this] { btnUpPasswordClick(); });
    OKBtn = button(Panel2, "OK", 190, 192, 84, 30);
    CancelBtn = button(Panel2, "キャンセル", 282, 192, 88, 30);
    CancelBtn->setModalResult(mrCancel);
    // Esc does nothing here: only the cancel button ends the logon (and the program).
    new DialogKeys(this, OKBtn, DialogKeys::Escape::Ignored);

    const QString welcome = QStringLiteral("%1 を利用するには").arg(QString::fromStdString(SystemDef.AppTitle));
    FServerBox = new TAppIniCreateBox(this);
    if (ProductKind == 0) {
        FUseGroupEntry = ConnectMode == ConnectTerminal && SystemDef.GroupLogon;
        Label1->setText(welcome);
        if (FUseGroupEntry) {
            Label2->setText(QStringLiteral("グループ、オペレータコードとパスワードを入力して下さい。"));
        } else {
            Label2->setText(QStringLiteral("オペレータコードとパスワードを入力して下さい。"));
            Label4->hide();
            txtGroupID->hide();
            box1->resize(box1->width(), px(78));
            GroupBox2->move(GroupBox2->x(), px(88));
        }
        (ReadConnect() == 0 ? btnSA : btnCS)->setChecked(true);
        btnSAClick();
        if (ConnectMode == ConnectTerminal || OemKind == 2) {
            GroupBox2->hide();
            btnSA->setChecked(true);
            const int panel2 = static_cast<int>(Panel2->height() * 0.7);
            setFixedSize(width(), panel2 + Panel1->height());
            Panel2->resize(Panel2->width(), panel2);
        }
        connect(OKBtn, &TxPlButton::clicked, this, [this] { OKBtnClick(); });
    } else {
        FEntryOpCode = ProductKind == 3 ? 2 : 1;
        setWindowTitle(QStringLiteral("パスワードの確認"));
        setFixedSize(width(), px(250));
        Panel2->resize(Panel2->width(), px(185));
        Label1->setText(welcome);
        Label2->setText(QStringLiteral("パスワードを入力して下さい。"));
        for (QWidget* w : std::initializer_list<QWidget*>{Label4, txtGroupID, Label5, txtOpCode, GroupBox2})
            w->hide();
        Label6->move(Label6->x(), px(42));
        txtPassword->move(txtPassword->x(), px(38));
        btnUpPassword->setVisible(ProductKind == 2 || ProductKind == 3);
        btnSA->setChecked(true);
        LoadSettings(0);
        connect(OKBtn, &TxPlButton::clicked, this, [this] { ConfirmPassword(); });
    }
    // The buttons stay at the foot of the (possibly shortened) client area.
    for (TxPlButton* b : {btnUpPassword, OKBtn, CancelBtn})
        b->move(b->x(), Panel2->height() - px(42));
    FCreated = true;
}

std::int32_t TLogonBox::GetConnectKind() const
{
    return LogonProcedure::GetConnectKind(btnCS->isChecked());
}

void TLogonBox::applyResult(const LogonResult& result)
{
    switch (result.focus) {
    case LogonFocus::OpCode: txtOpCode->setFocus(); break;
    case LogonFocus::Password: txtPassword->setFocus(); break;
    case LogonFocus::None: break;
    }
    if (result.outcome == LogonOutcome::LoggedOn) {
        TypedAhead.Keep(this);
        setModalResult(this, mrOk);
    }
    else if (result.outcome == LogonOutcome::Cancelled)
        setModalResult(this, mrCancel);
    else
        setModalResult(this, mrNone);
}

void TLogonBox::OKBtnClick()
{
    logon_.CallerKind = FCallerKind;
    applyResult(logon_.OperatorLogon(GetConnectKind(), txtOpCode->text().toStdString(),
                                     txtPassword->text().toStdString(), FUseGroupEntry,
                                     txtGroupID->text().toStdString()));
}

void TLogonBox::ConfirmPassword()
{
    logon_.CallerKind = FCallerKind;
    logon_.OfficeUser = FOfficeUser;
    txtOpCode->setText(QString::number(FEntryOpCode));
    applyResult(logon_.ConfirmPassword(FEntryOpCode, txtPassword->text().toStdString()));
}

void TLogonBox::btnSAClick()
{
    if (ConnectMode == ConnectTerminal)
        return;
    ConnectMode = btnCS->isChecked() ? ConnectClientServer : ConnectStandAlone;
    btnServerSettei->setEnabled(btnCS->isChecked());
}

void TLogonBox::btnServerSetteiClick()
{
    if (FServerBox->FCreated)
        FServerBox->exec();
}

void TLogonBox::btnUpPasswordClick()
{
    if (!FUpPasswordBox)
        FUpPasswordBox = new TUpPasswordBox(this);
    FUpPasswordBox->Setup(FEntryPassword);
    if (FUpPasswordBox->exec() != mrOk)
        return;
    FPasswordReady = logon_.UpdatePassword(FEntryOpCode, FUpPasswordBox->FNewPassword, GetConnectKind());
    if (FPasswordReady) {
        FEntryPassword = FUpPasswordBox->FNewPassword;
        OKBtn->setEnabled(true);
    }
}

void TLogonBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        firstShowing();
    }
}

void TLogonBox::firstShowing()
{
    if (ProductKind == 2 || ProductKind == 3) {
        if (SystemDef.SysDir.empty()) {
            platform::showMessage("設定ファイルからデータベース情報の取得に失敗しました。",
                                  platform::MessageKind::Error);
            OKBtn->setEnabled(false);
            btnUpPassword->setEnabled(false);
            CancelBtn->setFocus();
            return;
        }
        FPasswordReady = logon_.GetEntryPassword(FEntryOpCode, FEntryPassword);
        OKBtn->setEnabled(FPasswordReady);
        if (!FPasswordReady)
            btnUpPasswordClick();
    }
    btnServerSettei->setEnabled(btnCS->isChecked());
    if (FCallerKind == 2)
        OKBtn->setFocus();
    else if (ProductKind == 0)
        (FUseGroupEntry ? txtGroupID : txtOpCode)->setFocus();
    else
        txtPassword->setFocus();
    raise();
    activateWindow();
}

bool TLogonBox::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the password box moves to OK instead of leaving the box.
    if (watched == txtPassword && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OKBtn->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TLogonBox::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        heldKeys_.insert(event->key());
    if (ProductKind == 2 && officeUserChord(heldKeys_, event->modifiers())) {
        FOfficeUser = true;
        Image1->hide();
        Image2->show();
    }
    QDialog::keyPressEvent(event);
}

void TLogonBox::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        heldKeys_.erase(event->key());
    QDialog::keyReleaseEvent(event);
}

} // namespace vq::ui
