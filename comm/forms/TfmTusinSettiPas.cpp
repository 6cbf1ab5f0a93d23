#include "comm/forms/TfmTusinSettiPas.h"

#include "platform/Interaction.h"
#include "ui/ModalResult.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"

#include <QCheckBox>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

namespace vq::comm {

namespace {

constexpr const char* DeleteTick = "削除処理を実行します";

void info(const char* text)
{
    platform::showMessage(text, platform::MessageKind::Information);
}

} // namespace

TfmTusinSettiPas::TfmTusinSettiPas(QWidget* parent)
    : TBSDI(parent, ui::bsDialog)
{
    setObjectName(QStringLiteral("fmTusinSettiPas"));
    setWindowTitle(QStringLiteral("削除"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    FWriteOpHistory = false;
    setFixedSize(452, 242);

    CheckBox1 = new QCheckBox(QString::fromUtf8(DeleteTick), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(40, 24, 360, 24);
    Label16 = new QLabel(QStringLiteral("パスワード:"), this);
    Label16->setGeometry(40, 72, 90, 24);
    txtConPasswd = new ui::TxEdit(this);
    txtConPasswd->setObjectName(QStringLiteral("txtConPasswd"));
    txtConPasswd->setGeometry(136, 68, 120, 28);
    txtConPasswd->setMaxLength(6);
    txtConPasswd->setImeMode(ui::imDisable);
    QFont editFont(QStringLiteral("ＭＳ Ｐゴシック"));
    editFont.setPixelSize(16);
    txtConPasswd->setFont(editFont);
    // Letters and digits only, typed or pasted.
    txtConPasswd->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z]*")), txtConPasswd));
    txtConPasswd->installEventFilter(this);
    Label1 = new QLabel(QStringLiteral("例： ABC123"), this);
    Label1->setGeometry(264, 72, 120, 24);
    Label3 = new QLabel(QStringLiteral("（英数半角６桁以内）"), this);
    Label3->setGeometry(136, 104, 200, 24);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();

    HintArea = new QPlainTextEdit(this);
    HintArea->setObjectName(QStringLiteral("HintArea"));
    HintArea->setReadOnly(true);
    HintArea->setFocusPolicy(Qt::NoFocus);
    HintArea->setGeometry(8, 144, 436, 40);
    HintArea->setPlainText(QStringLiteral("「削除処理を実行します」 にチェックをして、パスワードを入力します。"));

    btnOK = new ui::TxPlButton(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setCaptionAText(QStringLiteral("ＯＫ"));
    btnOK->setGeometry(236, 196, 100, 32);
    btnOK->setModalResult(ui::mrOk);
    ESC = new ui::TxPlButton(this);
    ESC->setObjectName(QStringLiteral("ESC"));
    ESC->setCaptionAText(QStringLiteral("ESC:ｷｬﾝｾﾙ"));
    ESC->setGeometry(344, 196, 100, 32);
    ESC->setModalResult(ui::mrCancel);
    ESC->setCancel(true);
    connect(btnOK, &ui::TxPlButton::clicked, this, [this] { btnOKClick(); });
    FExecButton = btnOK;
    FCreated = true;
}

void TfmTusinSettiPas::SetReleaseTexts()
{
    setWindowTitle(QStringLiteral("解除"));
    CheckBox1->setText(QStringLiteral("解除処理を実行します"));
    HintArea->setPlainText(QStringLiteral("「解除処理を実行します」をチェックして、パスワードを入力します。"));
}

bool TfmTusinSettiPas::txtConPasswdExit()
{
    const QString text = txtConPasswd->text();
    if (!text.contains(QLatin1Char(' ')) && !text.contains(QChar(0x3000)))
        return true;
    info("パスワードはスペース（空白）なしの英数６桁以内で入力して下さい。");
    txtConPasswd->setFocus();
    return false;
}

void TfmTusinSettiPas::btnOKClick()
{
    if (!CheckBox1->isChecked()) {
        ui::setModalResult(this, ui::mrNone);
        info(CheckBox1->text() == QString::fromUtf8(DeleteTick) ? "「削除処理を実行します」をチェックしてください。"
                                                              : "「解除処理を実行します」をチェックしてください。");
        txtConPasswd->setFocus();
        return;
    }
    if (txtConPasswd->text() != Label2->text()) {
        ui::setModalResult(this, ui::mrNone);
        info("パスワードが違います。");
        txtConPasswd->setFocus();
    }
}

bool TfmTusinSettiPas::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtConPasswd && event->type() == QEvent::FocusOut)
        txtConPasswdExit();
    return TBSDI::eventFilter(watched, event);
}

} // namespace vq::comm
