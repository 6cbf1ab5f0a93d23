#include "ui/forms/TAppIniCreateBox.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>

#include <algorithm>
#include <filesystem>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/files/SaveFolderUac.h"
#include "platform/Interaction.h"
#include "ui/AppIniSettings.h"
#include "ui/FormFont.h"
#include "ui/ModalResult.h"
#include "ui/forms/DialogKeys.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"

namespace vq::ui {

namespace {

int px(int design) { return scaledFromDesign(design); }

// The first entry of the drive list: a server whose folders have no drive
// (a Linux or other Unix server), where the data folder alone names the place.
const QString kNoDrive = QStringLiteral("なし");

QString q(const std::string& s) { return QString::fromStdString(s); }

std::string text(const QLineEdit* e) { return e->text().toStdString(); }

std::string trimmed(const std::string& s)
{
    return QString::fromStdString(s).trimmed().toStdString();
}

std::string asciiCase(std::string s, bool up)
{
    std::transform(s.begin(), s.end(), s.begin(), [up](unsigned char c) {
        return up ? (c >= 'a' && c <= 'z' ? c - 32 : c) : (c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    return s;
}

void refuse(const std::string& message)
{
    platform::showMessage(message, platform::MessageKind::Error);
}

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

} // namespace

TAppIniCreateBox::TAppIniCreateBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("データサーバーの設定"));
    setFont(formFont(12));
    setFixedSize(px(506), px(233));

    auto* pnlTop = new QWidget(this);
    pnlTop->setGeometry(0, 0, px(506), px(65));
    pnlTop->setAutoFillBackground(true);
    QPalette pal = pnlTop->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pnlTop->setPalette(pal);
    auto* image = new QLabel(pnlTop);
    image->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(px(32), px(32)));
    image->setGeometry(px(16), px(16), px(32), px(32));
    label(pnlTop, "データサーバーを利用するための設定を行います。", 64, 16);
    label(pnlTop, "データサーバーの情報を入力して下さい。", 64, 36);

    auto* box = new QGroupBox(QStringLiteral("データサーバー"), this);
    box->setGeometry(px(8), px(76), px(490), px(96));
    label(box, "コンピュータ名:", 16, 28);
    txtHostName = new TxEdit(box);
    txtHostName->setGeometry(px(160), px(24), px(230), px(21));
    txtHostName->setImeMode(imDisable);
    txtHostName->setToolTip(QStringLiteral("接続先のコンピューター名またはIPアドレスを入力して下さい。"));
    btnCompShow = button(box, "参照", 398, 22, 76, 25);
    btnCompShow->setFocusPolicy(Qt::NoFocus);
    btnCompShow->setToolTip(QStringLiteral("ネットワークに接続されているコンピュータを表示します。"));
    connect(btnCompShow, &TxPlButton::clicked, this, [this] { btnCompShowClick(); });

    label(box, "データの場所:", 16, 60);
    cmbDrive = new TxComboBox(box);
    cmbDrive->setStyle(csDropDownList);
    cmbDrive->setGeometry(px(160), px(56), px(56), px(21));
    cmbDrive->addItem(kNoDrive);
    for (char d = 'C'; d <= 'Z'; ++d)
        cmbDrive->addItem(QString(QChar(d)) + ':');
    cmbDrive->setCurrentIndex(0);
    cmbDrive->setKeyStyles({ksEnter});
    cmbDrive->setKeyTerm(":");
    cmbDrive->setToolTip(QStringLiteral("データを置いてあるドライブを選択して下さい。"));
    txtDataPath = new TxEdit(box);
    txtDataPath->setGeometry(px(220), px(56), px(254), px(21));
    txtDataPath->setImeMode(imDisable);
    txtDataPath->setToolTip(QStringLiteral("データパス名を入力して下さい。"));

    auto* l6 = label(box, "データベースのユーザー:", 16, 88);
    txtUserName = new TxEdit(box);
    txtUserName->setGeometry(px(160), px(84), px(120), px(21));
    auto* l7 = label(box, "データベースのパスワード:", 290, 88);
    txtPassWord = new TxEdit(box);
    txtPassWord->setGeometry(px(420), px(84), px(54), px(21));
    txtPassWord->setEchoMode(QLineEdit::Password);
    for (QWidget* w : std::initializer_list<QWidget*>{l6, txtUserName, l7, txtPassWord}) {
        w->setVisible(false);
        w->setEnabled(false);
    }

    btnOK = button(this, "OK", 318, 196, 84, 28);
    connect(btnOK, &TxPlButton::clicked, this, [this] { OKBtnClick(); });
    btnCancel = button(this, "キャンセル", 410, 196, 88, 28);
    btnCancel->setModalResult(mrCancel);
    new DialogKeys(this, btnOK, DialogKeys::Escape::Cancels);

    txtDataPath->setText(q(ServerDataDir));
    txtUserName->setText(q(SystemDef.DbUser));
    txtPassWord->setText(q(SystemDef.DbPassword));
    FCreated = true;
}

void TAppIniCreateBox::LoadBoxes()
{
    ReadIni(FSectionKind);
    txtHostName->setText(q(SystemDef.HostName));
    const std::string& sys = SystemDef.SysDir;
    const bool hasDrive = sys.size() >= 2 && sys[1] == ':';
    const int at = hasDrive ? cmbDrive->findText(q(asciiCase(sys.substr(0, 2), true))) : -1;
    cmbDrive->setCurrentIndex(at < 0 ? 0 : at);
    const std::string folder = hasDrive ? sys.substr(2) : sys;
    txtDataPath->setText(q(folder.empty() ? ServerDataDir : folder));
    txtUserName->setText(q(SystemDef.DbUser));
    txtPassWord->setText(q(SystemDef.DbPassword));
}

void TAppIniCreateBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FSetupMode == 1) {
        if (SystemDef.DataRootDir.empty()) {
            FErrorText = "アプリケーションの初期化に失敗しました。\r" + SystemDef.AppTitle +
                         "を終了します。\rデータフォルダの取得に失敗しました。";
            refuse(FErrorText);
            reject();
            return;
        }
        if (!std::filesystem::exists(SystemDef.IniFileName))
            WriteIni(0);
    }
    LoadBoxes();
}

void TAppIniCreateBox::OKBtnClick()
{
    setModalResult(this, mrNone);
    TSystemDef& d = SystemDef;
    d.HostName = asciiCase(text(txtHostName), false);
    // Only the drive letter is folded: the folder keeps its letter case,
    // which a server on a case-sensitive system needs.
    const std::string folder = trimmed(text(txtDataPath));
    const bool noDrive = cmbDrive->currentIndex() <= 0;
    d.SysDir = (noDrive ? std::string() : asciiCase(cmbDrive->currentText().toStdString(), false)) + folder;
    d.DbUser = asciiCase(text(txtUserName), true);
    d.DbPassword = text(txtPassWord);
    d.GoGlobal = 0;
    d.GroupLogon = 0;
    switch (ConnectMode) {
    case ConnectStandAlone:
        d.HostName.clear();
        break;
    case ConnectClientServer:
        if (trimmed(d.HostName).empty()) {
            refuse("コンピュータ名が指定されていません。\r入力してください。");
            return;
        }
        break;
    case ConnectTerminal:
        d.GoGlobal = 1;
        if (trimmed(d.HostName).empty()) {
            refuse("コンピュータ名が指定されていません。\r");
            return;
        }
        break;
    default:
        break;
    }
    // The server opens the folder by itself: a relative path would be taken
    // from wherever the server runs, so only a folder from the root is taken.
    if (folder.empty()) {
        refuse("データの場所が指定されていません。\r入力してください。");
        return;
    }
    if (folder.front() != '/' && folder.front() != '\\') {
        refuse("データの場所は、サーバー上のフォルダを「/」から始まる形で入力してください。");
        return;
    }
    if (trimmed(d.DbUser).empty()) {
        refuse("データベースのユーザーが指定されていません。\r入力してください。");
        return;
    }
    if (trimmed(d.DbPassword).empty()) {
        refuse("データベースのパスワードが指定されていません。\r入力してください。");
        return;
    }
    WriteIni(0);
    setModalResult(this, mrOk);
}

void TAppIniCreateBox::btnCompShowClick()
{
    std::string name = text(txtHostName);
    if (SelectComputer("サーバーのコンピュータを選択して下さい。サーバーのコンピュータがリストに無い場合は、"
                       "[ｷｬﾝｾﾙ]を押してコンピュータ名を入力して下さい。",
                       name))
        txtHostName->setText(q(name));
}

} // namespace vq::ui
