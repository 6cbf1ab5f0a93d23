#include "datasets/forms/TDataSentakuPrintDlg.h"

#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStringList>

namespace vq {
namespace {

constexpr int kClientHeight = 219;
constexpr const char* kOrientationKey = "P010";

// The orientation kept in the report's settings lines: 1 landscape, anything
// else (missing, not a number) portrait.
int storedOrientation(const std::string& settings)
{
    const QStringList lines =
        QString::fromStdString(settings).split(QRegularExpression("\r\n|\n|\r"), Qt::SkipEmptyParts);
    for (const QString& line : lines)
        if (line.section('=', 0, 0).trimmed().compare(kOrientationKey, Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const int value = line.section('=', 1).trimmed().toInt(&ok);
            return ok ? value : 0;
        }
    return 0;
}

} // namespace

TDataSentakuPrintDlg::TDataSentakuPrintDlg(QWidget* parent) : ui::TPrintDlgBox(parent)
{
    setObjectName(QStringLiteral("DataSentakuPrintDlg"));
    resize(width(), kClientHeight);
    // Where the base dialog has its colour choice, which this one never shows.
    lblYousi = new QLabel(QStringLiteral("用紙向き:"), this);
    lblYousi->setGeometry(16, 62, 70, 20);
    grpYousi = new QGroupBox(this);
    grpYousi->setGeometry(90, 52, 230, 38);
    btnYousiTate = new ui::TxRadioButton(QStringLiteral("縦"), grpYousi);
    btnYousiTate->setGeometry(10, 10, 100, 22);
    btnYousiTate->setChecked(true);
    btnYousiYoko = new ui::TxRadioButton(QStringLiteral("横"), grpYousi);
    btnYousiYoko->setGeometry(116, 10, 100, 22);
    FHintMemo = HintArea;
    FExecButton = btnOK;
}

void TDataSentakuPrintDlg::Setup(int flag)
{
    ShowColor = false;
    ShowStartPage = false;
    ShowDuplex = false;
    TPrintDlgBox::Setup(flag);
}

void TDataSentakuPrintDlg::ApplyOptions()
{
    // The operator's row of the report style brings the kept orientation.
    UseStyleColor = true;
    const bool firstPlacement = FFirstPlacement;
    TPrintDlgBox::ApplyOptions();
    if (firstPlacement)
        resize(width(), kClientHeight);
    HintArea->setGeometry(8, height() - 92, width() - 16, 46);
    for (ui::TxPlButton* b : {btnPreview, btnCopy, btnOK, btnCancel})
        b->move(b->x(), height() - 40);

    Orientation = 0;
    btnYousiTate->setChecked(true);
    if (PrintRec && storedOrientation(PrintRec->Settings) == 1)
        btnYousiYoko->setChecked(true);
}

void TDataSentakuPrintDlg::LoadHints()
{
    TPrintDlgBox::LoadHints();
    const std::string orientationHint = "印刷帳票の用紙の向きを選択します。|印刷帳票の用紙の向きを選択します。\r\n"
                                        "[横]を選択したときに限り、帳票上にコード情報を出力します。";
    setHint(btnYousiTate, orientationHint);
    setHint(btnYousiYoko, orientationHint);
    const std::string previewHint = "|[ﾌﾟﾚﾋﾞｭｰ]ﾎﾞﾀﾝを押すと画面上に印刷ｲﾒｰｼﾞを出力します。";
    setHint(btnPreview, previewHint);
    setHint(btnOK, previewHint);
    setHint(btnCancel, previewHint);
}

void TDataSentakuPrintDlg::SaveRestoreSettings(const std::string& mode)
{
    const bool saving = QString::fromStdString(mode).compare(QStringLiteral("Hozon"), Qt::CaseInsensitive) == 0;
    if (saving)
        Orientation = btnYousiYoko->isChecked() ? 1 : 0;
    TPrintDlgBox::SaveRestoreSettings(mode);
    if (saving && PrintRec)
        PrintRec->Settings += std::string(kOrientationKey) + "=" + std::to_string(Orientation) + "\r\n";
}

} // namespace vq
