#include "ui/forms/TInputDlgBox.h"

#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"
#include "ui/InputKeyFilter.h"
#include "ui/ModalResult.h"
#include "ui/SlotGuard.h"
#include "ui/forms/HintMemo.h"
#include "ui/forms/TVorlenEdit.h"
#include "ui/forms/TVorlenExDateEdit.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxPlButton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QValidator>

namespace vq::ui {

namespace {

QWidget* panel(QWidget* parent, const char* name)
{
    auto* p = new QWidget(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setGeometry(24, 72, 380, 84);
    return p;
}

bool blank(const QString& text)
{
    return RemoveAllSpaces(text.toStdString()).empty();
}

// The key filter held to every way text enters the box: a typed key, and
// a paste or a drop, which is refused whole when one of its characters
// would be.
class KeyFilterRule : public QValidator {
public:
    KeyFilterRule(int kind, QObject* parent) : QValidator(parent), kind_(kind) {}
    State validate(QString& input, int&) const override
    {
        for (const char32_t ch : input.toUcs4())
            if (!keyPasses(kind_, ch))
                return Invalid;
        return Acceptable;
    }

private:
    int kind_;
};

} // namespace

TInputDlgBox::TInputDlgBox(QWidget* parent)
    : TBSDI(parent, bsDialog)
{
    setObjectName(QStringLiteral("InputDlgBox"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    FKeepOnClose = true;
    setFixedSize(427, 251);

    lblMain = new QLabel(this);
    lblMain->setObjectName(QStringLiteral("lblMain"));
    lblMain->setGeometry(16, 16, 393, 49);
    lblMain->setWordWrap(true);
    lblMain->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    pnlText = panel(this, "pnlText");
    txtInput = new TxEdit(pnlText);
    txtInput->setObjectName(QStringLiteral("txtInput"));
    txtInput->setGeometry(0, 0, 250, 22);
    btnFuseji = new TxCheckBox(pnlText);
    btnFuseji->setObjectName(QStringLiteral("btnFuseji"));
    btnFuseji->setText(QStringLiteral("伏字にせず入力"));
    btnFuseji->setGeometry(0, 30, 250, 20);
    connect(btnFuseji, &QCheckBox::toggled, this, [this] { btnFusejiClick(); });

    pnlCombo = panel(this, "pnlCombo");
    cmbInput = new TxComboBox(pnlCombo);
    cmbInput->setObjectName(QStringLiteral("cmbInput"));
    cmbInput->setEditable(true);
    cmbInput->setMaxVisibleItems(16);
    cmbInput->setGeometry(0, 0, 250, 22);

    pnlKingaku = panel(this, "pnlKingaku");
    txtKingaku = new TVorlenEdit(pnlKingaku);
    txtKingaku->setObjectName(QStringLiteral("txtKingaku"));
    txtKingaku->setGeometry(0, 0, 120, 22);
    txtKingaku->setMaxLength(11);
    txtKingaku->setAlignment(taRightJustify);
    txtKingaku->setEditStyle(esNumericMinus);
    txtKingaku->setKeyStyles({ksEnter, ksUp});
    txtKingaku->setOutputFormat(QStringLiteral("#,##0"));
    txtKingaku->setComma(true);
    txtKingaku->setZero3Key(zkDot);
    txtKingaku->setImeMode(imDisable);
    auto* yen = new QLabel(QStringLiteral("円"), pnlKingaku);
    yen->setGeometry(126, 0, 20, 22);

    pnlDate = panel(this, "pnlDate");
    auto* from = new QLabel(QStringLiteral("開始日"), pnlDate);
    from->setGeometry(0, 0, 50, 24);
    txtHizuke1 = new TVorlenExDateEdit(pnlDate);
    txtHizuke1->setObjectName(QStringLiteral("txtHizuke1"));
    txtHizuke1->setGeometry(56, 0, 220, 24);
    auto* to = new QLabel(QStringLiteral("終了日"), pnlDate);
    to->setGeometry(0, 32, 50, 24);
    txtHizuke2 = new TVorlenExDateEdit(pnlDate);
    txtHizuke2->setObjectName(QStringLiteral("txtHizuke2"));
    txtHizuke2->setGeometry(56, 32, 220, 24);
    for (auto* d : {txtHizuke1, txtHizuke2}) {
        d->setEditStyle(desYearMonthDay);
        d->setCanEmpty(true);
    }

    HintArea = NewHintMemo(this, QRect(8, 172, 411, 38));

    btnOK = new TxPlButton(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setCaptionAText(QStringLiteral("OK"));
    btnOK->setGeometry(427 - 8 - 90 - 6 - 90, 218, 90, 26);
    connect(btnOK, &TxPlButton::clicked, this, guarded([this] { btnOKClick(); }));
    btnCancel = new TxPlButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setCaptionAText(QStringLiteral("キャンセル"));
    btnCancel->setModalResult(mrCancel);
    btnCancel->setGeometry(427 - 8 - 90, 218, 90, 26);
    btnHelp = new TxPlButton(this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnHelp->setCaptionAText(QStringLiteral("F1:ヘルプ"));
    btnHelp->setGeometry(8, 218, 90, 26);
    btnHelp->hide();

    FHintMemo = HintArea;
    FExecButton = btnOK;
    FCreated = true;
}

void TInputDlgBox::showPanel(QWidget* shown)
{
    for (QWidget* p : {pnlText, pnlCombo, pnlKingaku, pnlDate}) {
        p->setVisible(p == shown);
        if (p == shown)
            p->move(pnlText->pos());
    }
}

void TInputDlgBox::Apply(int flag)
{
    flag_ = flag;
    setWindowTitle(QString::fromStdString(DlgCaption));
    // Messages break their lines at the carriage return.
    lblMain->setText(QString::fromStdString(MainText).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    QPalette pal = lblMain->palette();
    pal.setColor(QPalette::WindowText, toQColor(MainColor));
    lblMain->setPalette(pal);
    const QString value = QString::fromStdString(Value);
    const QString hint = QString::fromStdString(InputHint);
    switch (Mode) {
    case 2:
        showPanel(pnlCombo);
        cmbInput->clear();
        cmbInput->addItems(Items);
        cmbInput->setEditText(value);
        setHint(cmbInput, hint);
        if (MaxLen > 0 && cmbInput->lineEdit() != nullptr)
            cmbInput->lineEdit()->setMaxLength(MaxLen);
        cmbInput->setAttribute(Qt::WA_InputMethodEnabled, InputImeMode != imDisable);
        break;
    case 3:
        showPanel(pnlKingaku);
        txtKingaku->setText(value);
        setHint(txtKingaku, hint);
        if (MaxLen > 0)
            txtKingaku->setMaxLength(MaxLen);
        txtKingaku->setImeMode(imDisable);
        break;
    case 4: {
        showPanel(pnlDate);
        const double dates[2][3] = {{Date1, MinDate1, MaxDate1}, {Date2, MinDate2, MaxDate2}};
        TVorlenExDateEdit* edits[2] = {txtHizuke1, txtHizuke2};
        for (int i = 0; i < 2; ++i) {
            edits[i]->setEditGengo(true);
            edits[i]->setGengo(rsWareki);
            edits[i]->setMinDate(dates[i][1]);
            edits[i]->setMaxDate(dates[i][2]);
            runGuarded([&] {
                if (dates[i][0] != 0)
                    edits[i]->SetDateTime(dates[i][0]);
                else
                    edits[i]->Clear();
            });
            setHint(edits[i], hint);
        }
        break;
    }
    default:
        showPanel(pnlText);
        txtInput->setText(value);
        setHint(txtInput, hint);
        txtInput->setMaxLength(MaxLen > 0 ? MaxLen : 32767);
        txtInput->setImeMode(InputImeMode);
        txtInput->setEchoMode(QLineEdit::Normal);
        btnFuseji->setVisible(false);
        if (Mode == 1) {
            Required = true;
            btnFuseji->setVisible(true);
            btnFusejiClick();
        }
        break;
    }
    SetKeyFilter(KeyFilter);
    setHint(btnFuseji, QStringLiteral("パスワードを伏字にせず入力します。|チェックを入れるとパスワードを伏字にしないで入力が行えます。"));
    setHint(btnOK, QStringLiteral("内容を確定します。|内容を確定します。"));
    setHint(btnCancel, QStringLiteral("画面を閉じます。|画面を閉じます。"));
    FFirstPlacement = false;
}

void TInputDlgBox::SetKeyFilter(int kind)
{
    KeyFilter = kind;
    const QValidator* old = txtInput->validator();
    txtInput->setValidator(kind == 0 ? nullptr : new KeyFilterRule(kind, txtInput));
    delete old;
}

void TInputDlgBox::btnFusejiClick()
{
    txtInput->setEchoMode(btnFuseji->isChecked() ? QLineEdit::Normal : QLineEdit::Password);
}

QWidget* TInputDlgBox::inputControl() const
{
    switch (Mode) {
    case 2: return cmbInput;
    case 3: return txtKingaku;
    case 4: return txtHizuke1;
    default: return txtInput;
    }
}

void TInputDlgBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    if (FCreated)
        inputControl()->setFocus(Qt::OtherFocusReason);
}

void TInputDlgBox::btnOKClick()
{
    setResult(0);
    switch (Mode) {
    case 2:
        if (Required && blank(cmbInput->currentText())) {
            platform::showMessage("入力または選択してから[OK]ボタンを押して下さい。", platform::MessageKind::Information);
            cmbInput->setFocus(Qt::OtherFocusReason);
            return;
        }
        Value = cmbInput->currentText().toStdString();
        break;
    case 3:
        if (txtKingaku->text().trimmed().isEmpty())
            txtKingaku->setText(QStringLiteral("0"));
        Value = txtKingaku->text().toStdString();
        break;
    case 4: {
        // A wrong date shows its message and ends the click here.
        const double d1 = txtHizuke1->GetDateTime();
        const double d2 = txtHizuke2->GetDateTime();
        Date1 = d1;
        Date2 = d2;
        break;
    }
    default:
        if (Required && blank(txtInput->text())) {
            platform::showMessage("入力してから[OK]ボタンを押して下さい。", platform::MessageKind::Information);
            txtInput->setFocus(Qt::OtherFocusReason);
            return;
        }
        Value = txtInput->text().toStdString();
        break;
    }
    done(mrOk);
}


} // namespace vq::ui
