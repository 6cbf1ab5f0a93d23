#include "ui/forms/TPrintDlgBox.h"

#include "foundation/app/SystemDef.h"
#include "platform/Interaction.h"
#include "ui/forms/PrintStyleColors.h"
#include "ui/forms/TPrnColorSetBox.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>

namespace vq::ui {
namespace {

constexpr int kWidth = 457;

TxPlButton* panelButton(QWidget* parent, const char* caption, int x)
{
    auto* b = new TxPlButton(parent);
    b->setCaptionAText(QString::fromUtf8(caption));
    b->setModalResult(0);
    b->setGeometry(x, 0, 102, 32);
    return b;
}

// name=value lines -> value of name ("" when missing).
QString valueOf(const QStringList& lines, const QString& name)
{
    for (const QString& line : lines)
        if (line.section('=', 0, 0).compare(name, Qt::CaseInsensitive) == 0)
            return line.section('=', 1);
    return {};
}

} // namespace

TPrintDlgBox::TPrintDlgBox(QWidget* parent) : TBSDI(parent, bsDialog)
{
    // The caller reads PrintResult and the record after the dialog closed and frees it itself.
    FKeepOnClose = true;
    setWindowTitle(QStringLiteral("科目情報の印刷"));
    resize(kWidth, 174);
    MainColor = palette().color(QPalette::WindowText);

    lblMain = new QLabel(this);
    lblMain->setWordWrap(true);
    lblMain->setGeometry(16, 10, kWidth - 32, 38);

    lblColor = new QLabel(QStringLiteral("色指定:"), this);
    lblColor->setGeometry(16, 62, 70, 20);
    grpColor = new QGroupBox(this);
    grpColor->setGeometry(90, 52, 230, 38);
    btnMono = new TxRadioButton(QStringLiteral("白黒印刷"), grpColor);
    btnMono->setGeometry(10, 10, 100, 22);
    btnMono->setChecked(true);
    btnColor = new TxRadioButton(QStringLiteral("カラー印刷"), grpColor);
    btnColor->setGeometry(116, 10, 108, 22);
    btnColorSelect = new QPushButton(QStringLiteral("色選択"), this);
    btnColorSelect->setGeometry(330, 58, 80, 28);

    lblStartPage = new QLabel(QStringLiteral("開始ﾍﾟｰｼﾞ:"), this);
    lblStartPage->setGeometry(16, 102, 80, 20);
    txtStartPage = new TxEdit(this);
    txtStartPage->setAlignment(taRightJustify);
    txtStartPage->setText(QStringLiteral("1"));
    txtStartPage->setGeometry(100, 98, 60, 24);
    txtStartPage->setAttribute(Qt::WA_InputMethodEnabled, false);

    chkBoth = new TxCheckBox(QStringLiteral("両面印刷用に余白を調整する"), this);
    chkBoth->setGeometry(16, 132, 300, 22);

    HintArea = new QPlainTextEdit(this);
    HintArea->setReadOnly(true);
    HintArea->setFocusPolicy(Qt::NoFocus);

    btnPreview = panelButton(this, "プレビュー", 8);
    btnCopy = panelButton(this, "コピー", 118);
    btnOK = panelButton(this, "OK", 238);
    btnCancel = panelButton(this, "キャンセル", 348);

    connect(btnOK, &TxPlButton::clicked, this, [this] { finish(1); });
    connect(btnPreview, &TxPlButton::clicked, this, [this] { finish(2); });
    connect(btnCopy, &TxPlButton::clicked, this, [this] { finish(3); });
    connect(btnCancel, &TxPlButton::clicked, this, [this] { reject(); });
    connect(btnColorSelect, &QPushButton::clicked, this, [this] { chooseColours(); });

    FHintMemo = HintArea;
    FExecButton = btnOK;
    FCreated = true;
}

TPrintDlgBox::~TPrintDlgBox() = default;

std::string TPrintDlgBox::StyleName() const
{
    return print::MakeStyleName(PrintRec ? PrintRec->ReportName : std::string());
}

void TPrintDlgBox::Setup(int flag)
{
    Flag = flag;
    LoadHints();
    ApplyOptions();
    FFirstPlacement = false;
}

void TPrintDlgBox::ApplyOptions()
{
    PrintResult = 0;
    setWindowTitle(QString::fromStdString(DlgCaption));
    lblMain->setText(QString::fromStdString(MainText));
    QPalette p = lblMain->palette();
    p.setColor(QPalette::WindowText, MainColor);
    lblMain->setPalette(p);
    for (QWidget* w : {static_cast<QWidget*>(lblColor), static_cast<QWidget*>(grpColor),
                       static_cast<QWidget*>(btnColorSelect)})
        w->setVisible(ShowColor);
    lblStartPage->setVisible(ShowStartPage);
    txtStartPage->setVisible(ShowStartPage);
    chkBoth->setVisible(ShowDuplex);
    btnPreview->setVisible(ShowPreview);
    btnCopy->setVisible(ShowCopy);
    if (FFirstPlacement) {
        int height = 174;
        if (ShowColor)
            height = 250;
        if (ShowStartPage || ShowDuplex)
            height = 300;
        resize(kWidth, height);
    }
    // The hint memo and the buttons sit at the bottom of whatever height the form has.
    HintArea->setGeometry(8, height() - 92, kWidth - 16, 46);
    for (TxPlButton* b : {btnPreview, btnCopy, btnOK, btnCancel})
        b->move(b->x(), height() - 40);
    GetStyleColorRec();
    SaveRestoreSettings("Fukugen");
}

void TPrintDlgBox::setHint(QWidget* control, const std::string& twoPartHint)
{
    TBSDI::setHint(control, QString::fromStdString(twoPartHint));
}

void TPrintDlgBox::LoadHints()
{
    setHint(btnMono, "白黒で印刷する場合に選択します。|白黒で印刷する場合に選択します。");
    setHint(btnColor, "色付きで印刷する場合に選択します。|色付きで印刷する場合に選択します。\r\n"
                      "「色選択」ﾎﾞﾀﾝを押すと好みの色に変更できます。");
    setHint(btnColorSelect, "「色選択」画面を開きます。|「色選択」画面を開きます。\r\n「ｶﾗｰ印刷」を行う場合の色を指定します。");
    setHint(txtStartPage, "1ﾍﾟｰｼﾞ目のﾍﾟｰｼﾞ番号を指定します。|1ﾍﾟｰｼﾞ目のﾍﾟｰｼﾞ番号を指定します。");
    setHint(chkBoth, "偶数ﾍﾟｰｼﾞの余白を右側に取る場合にﾁｪｯｸします。|偶数ﾍﾟｰｼﾞの余白を右側に取る場合にﾁｪｯｸします。\r\n"
                     "両面への印刷は「印刷」ﾎﾞﾀﾝ押下後に表示する「印刷」画面で「ﾌﾟﾛﾊﾟﾃｨ」ﾎﾞﾀﾝを押して設定します。");
    setHint(btnPreview, "帳票の印刷ｲﾒｰｼﾞを画面に表示します。|帳票の印刷ｲﾒｰｼﾞを画面に表示します。");
    setHint(btnCopy, "帳票の情報をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。|帳票の情報をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。\r\n"
                     "ｺﾋﾟｰした情報はﾜｰﾌﾟﾛｿﾌﾄ、表計算ｿﾌﾄで貼り付けられます。");
    setHint(btnOK, "帳票を印刷します。|帳票を印刷します。");
    setHint(btnCancel, "印刷を取り止めます。|印刷を取り止めます。");
}

void TPrintDlgBox::SaveRestoreSettings(const std::string& mode)
{
    if (!PrintRec)
        return;
    const QString m = QString::fromStdString(mode).toUpper();
    if (m == "HOZON") {
        QStringList lines;
        if (ShowColor && PrintRec->Colour == 1)
            lines << QStringLiteral("C010=1");
        if (ShowDuplex && PrintRec->Duplex)
            lines << QStringLiteral("C020=1");
        PrintRec->Settings = lines.isEmpty() ? std::string() : (lines.join("\r\n") + "\r\n").toStdString();
    } else if (m == "FUKUGEN") {
        const QStringList lines = QString::fromStdString(PrintRec->Settings).split(QRegularExpression("\r\n|\n|\r"),
                                                                                   Qt::SkipEmptyParts);
        if (ShowColor && valueOf(lines, "C010") == "1") {
            PrintRec->Colour = 1;
            btnColor->setChecked(true);
        }
        if (ShowDuplex && valueOf(lines, "C020") == "1") {
            PrintRec->Duplex = true;
            chkBoth->setChecked(true);
        }
    }
}

void TPrintDlgBox::GetStyleColorRec()
{
    if (!UseStyleColor || !PrintRec || PrintRec->ReportName.empty())
        return;
    ::vq::ui::GetStyleColorRec(*PrintRec, StyleName());
}

void TPrintDlgBox::PutStyleColorRec()
{
    if (!UseStyleColor || !PrintRec || PrintRec->ReportName.empty())
        return;
    ::vq::ui::PutStyleColorRec(*PrintRec, StyleName());
}

void TPrintDlgBox::finish(int result)
{
    if (PrintRec) {
        PrintRec->Colour = btnColor->isChecked() ? 1 : 0;
        bool ok = false;
        const int page = txtStartPage->text().trimmed().toInt(&ok);
        PrintRec->StartPage = ok && page != 0 ? page : 1;
        PrintRec->Duplex = chkBoth->isChecked();
        SaveRestoreSettings("Hozon");
    }
    PrintResult = result;
    accept();
}

void TPrintDlgBox::chooseColours()
{
    if (!PrintRec)
        return;
    TPrnColorSetBox box(this);
    box.UseStyle = UseStyleColor ? 1 : 0;
    box.setLineColor1(PrintRec->LineColor1);
    box.setLineColor2(PrintRec->LineColor2);
    box.setNetColor1(PrintRec->NetColor1);
    box.setNetColor2(PrintRec->NetColor2);
    box.PlaceForm(0, 0, 0, 0, 2);
    box.Setup(1);
    if (box.exec() == QDialog::Accepted) {
        PrintRec->LineColor1 = box.LineColor1();
        PrintRec->LineColor2 = box.LineColor2();
        PrintRec->NetColor1 = box.NetColor1();
        PrintRec->NetColor2 = box.NetColor2();
        PutStyleColorRec();
    }
}

void TPrintDlgBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    if (FCreated)
        btnOK->setFocus(Qt::ActiveWindowFocusReason);
}

void TPrintDlgBox::FormClose()
{
    // The report's colours are stored whenever the dialog closes, however it closes.
    PutStyleColorRec();
}

} // namespace vq::ui
