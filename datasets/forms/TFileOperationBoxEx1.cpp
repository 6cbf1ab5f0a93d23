#include "datasets/forms/TFileOperationBoxEx1.h"

#include "ui/ModalResult.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>

namespace vq {

namespace {

// The place controls stand indented between the two radio buttons.
constexpr int kIndent = 20;
constexpr int kRadioRow = 24;

} // namespace

TFileOperationBoxEx1::TFileOperationBoxEx1(QWidget* parent)
    : TFileOperationBox(parent)
{
    setObjectName(QStringLiteral("FileOperationBoxEx1"));
    setFixedSize(495, 327);
    lblMain->setGeometry(12, 10, 471, 40);
    btnSelect1 = new ui::TxRadioButton(QStringLiteral("ファイルの場所を選択する"), this);
    btnSelect1->setObjectName(QStringLiteral("btnSelect1"));
    btnSelect1->setGeometry(12, 56, 360, 22);
    const int top = 56 + kRadioRow;
    lblFileSelect->setGeometry(12 + kIndent, top, 300, 18);
    cmbFileSelect->setGeometry(12 + kIndent, top + 20, 351, 24);
    btnSansyo->setGeometry(403, top + 19, 80, 26);
    btnHistDelete->setGeometry(403, top + 51, 80, 26);
    lblFileName->setGeometry(12 + kIndent, top + 54, 300, 18);
    txtFileName->setGeometry(12 + kIndent, top + 74, 351, 24);
    btnSelect2 = new ui::TxRadioButton(QStringLiteral("既定の場所から実行する"), this);
    btnSelect2->setObjectName(QStringLiteral("btnSelect2"));
    btnSelect2->setGeometry(12, top + 108, 360, 22);
    HintArea->setGeometry(12, top + 140, 471, 60);
    btnOK->setGeometry(277, 287, 100, 30);
    btnCancel->setGeometry(383, 287, 100, 30);
    // Tab order follows the rows.
    setTabOrder(btnSelect1, cmbFileSelect);
    setTabOrder(cmbFileSelect, btnSansyo);
    setTabOrder(btnSansyo, btnHistDelete);
    setTabOrder(btnHistDelete, txtFileName);
    setTabOrder(txtFileName, btnSelect2);
    setTabOrder(btnSelect2, btnOK);
    setTabOrder(btnOK, btnCancel);
    btnSelect1->setChecked(true);
    connect(btnSelect1, &QRadioButton::clicked, this, [this] { btnSelectClick(); });
    connect(btnSelect2, &QRadioButton::clicked, this, [this] { btnSelectClick(); });
}

TFileOperationBoxEx1::~TFileOperationBoxEx1() = default;

void TFileOperationBoxEx1::PrepareShow(bool modal)
{
    // Without the file-name row the second button takes its place; the rows
    // are measured as they stand, so this holds after the form was rescaled.
    const bool folderModes = Mode == ModeReadFolder || Mode == ModeWriteFolder;
    const int y = folderModes ? lblFileName->y() : txtFileName->geometry().bottom() + 11;
    btnSelect2->move(btnSelect2->x(), y);
    TFileOperationBox::PrepareShow(modal);
}

void TFileOperationBoxEx1::ApplySettings()
{
    TFileOperationBox::ApplySettings();
    SourceKind = 1;
    placeHintArea(std::max(btnSelect2->geometry().bottom(), btnHistDelete->geometry().bottom()) + 8);
    btnSelectClick();
}

void TFileOperationBoxEx1::LoadHints()
{
    TFileOperationBox::LoadHints();
    setHint(btnSelect1, QStringLiteral("選択した場所に保存されているﾃﾞｰﾀを復元する場合に選択します。"));
    setHint(btnSelect2,
            QStringLiteral("ｼｽﾃﾑが随所で行う自動ﾊﾞｯｸｱｯﾌﾟﾃﾞｰﾀを復元し、ﾃﾞｰﾀを元に戻す場合に選択します。|"
                           "「仕訳の全削除」、「仕訳のｲﾝﾎﾟｰﾄ」は処理実行時に実行前ﾃﾞｰﾀをﾊﾞｯｸｱｯﾌﾟするように設定されています。\r\n"
                           "［OK］を押すと現在のﾃﾞｰﾀをこれらの処理を実行する前の状態に戻す事ができます。\r\n"
                           "尚、ﾊﾞｯｸｱｯﾌﾟを取らずにこれらの処理を実行することも出来ますので、確実に実行前の状態に戻せるとは限りません。"));
}

void TFileOperationBoxEx1::SetSelect1Caption(const std::string& text)
{
    btnSelect1->setText(QString::fromStdString(text));
}

void TFileOperationBoxEx1::SetSelect2Caption(const std::string& text)
{
    btnSelect2->setText(QString::fromStdString(text));
}

void TFileOperationBoxEx1::SetSelectMode(std::int32_t mode)
{
    (mode == 2 ? btnSelect2 : btnSelect1)->setChecked(true);
    btnSelectClick();
}

void TFileOperationBoxEx1::btnSelectClick()
{
    const bool list = btnSelect1->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{lblFileSelect, cmbFileSelect, btnSansyo, btnHistDelete,
                                                      lblFileName, txtFileName})
        w->setEnabled(list);
}

void TFileOperationBoxEx1::btnOKClick()
{
    if (btnSelect2->isChecked()) {
        SourceKind = 2;
        ResultPath.clear();
        done(ui::mrOk);
        return;
    }
    SourceKind = 1;
    TFileOperationBox::btnOKClick();
}

} // namespace vq
