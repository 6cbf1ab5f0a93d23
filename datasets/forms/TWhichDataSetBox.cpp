#include "datasets/forms/TWhichDataSetBox.h"

#include "ui/ModalResult.h"
#include "ui/forms/HintMemo.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

namespace vq {

TWhichDataSetBox::TWhichDataSetBox(QWidget* parent)
    : TBSDI(parent, ui::bsDialog)
{
    setObjectName(QStringLiteral("WhichDataSetBox"));
    setWindowTitle(QStringLiteral("データの持ち出し／持ち帰り"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    FKeepOnClose = true;
    setFixedSize(492, 246);

    auto* label = new QLabel(QStringLiteral("データの処理方法:"), this);
    label->setGeometry(16, 12, 200, 20);
    auto* group = new QGroupBox(this);
    group->setGeometry(16, 34, 460, 84);
    btnMochidashi = new ui::TxRadioButton(QStringLiteral("データを持ち出します"), group);
    btnMochidashi->setObjectName(QStringLiteral("btnMochidashi"));
    btnMochidashi->setGeometry(24, 16, 300, 22);
    btnMochikaeri = new ui::TxRadioButton(QStringLiteral("データを持ち帰りました"), group);
    btnMochikaeri->setObjectName(QStringLiteral("btnMochikaeri"));
    btnMochikaeri->setGeometry(24, 48, 300, 22);

    HintArea = ui::NewHintMemo(this, QRect(16, 126, 460, 70));
    FHintMemo = HintArea;

    btnOK = new ui::TxPlButton(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setCaptionAText(QStringLiteral("OK"));
    btnOK->setGeometry(280, 206, 94, 30);
    connect(btnOK, &ui::TxPlButton::clicked, this, [this] { btnOKClick(); });
    btnCancel = new ui::TxPlButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setCaptionAText(QStringLiteral("キャンセル"));
    btnCancel->setGeometry(382, 206, 94, 30);
    connect(btnCancel, &ui::TxPlButton::clicked, this, [this] { done(ui::mrCancel); });
    FExecButton = btnOK;
    FCreated = true;
}

void TWhichDataSetBox::PrepareShow(bool modal)
{
    Modal = modal;
    ApplySettings();
    FFirstPlacement = false;
}

void TWhichDataSetBox::ApplySettings()
{
    LoadHints();
    btnMochidashi->setEnabled(true);
    btnMochikaeri->setEnabled(true);
    if (TakenOut == 1)
        btnMochidashi->setEnabled(false);
    if (TakenOut == 1 || Choice == 1)
        btnMochikaeri->setChecked(true);
    else
        btnMochidashi->setChecked(true);
}

void TWhichDataSetBox::LoadHints()
{
    const QString shortPart = QStringLiteral("データの処理方法を選択します。|");
    setHint(btnMochidashi,
            shortPart + QStringLiteral("データを持ち出すため、「データ選択（サーバ）」画面で選択した場所にあるデータをコンピュータ内の"
                                       "データエリアへコピーします。"));
    setHint(btnMochikaeri,
            shortPart + QStringLiteral("データを持ち帰ったため、「データ選択（サーバ）」画面で選択した場所へコンピュータ内のデータ"
                                       "エリアよりコピーします。"));
    setHint(btnOK, QStringLiteral("内容を登録して画面を閉じます。|内容を登録して画面を閉じます。"));
    setHint(btnCancel, QStringLiteral("画面を閉じます。|画面を閉じます。"));
}

void TWhichDataSetBox::btnOKClick()
{
    if (btnMochidashi->isEnabled() && btnMochidashi->isChecked())
        Choice = 0;
    else if (btnMochikaeri->isEnabled() && btnMochikaeri->isChecked())
        Choice = 1;
    done(ui::mrOk);
}

bool TWhichDataSetBox::FormKeyUp(QKeyEvent* event)
{
    const int key = event->key();
    if ((key >= Qt::Key_F1 && key <= Qt::Key_F8) || key == Qt::Key_F12)
        return true;
    return TBSDI::FormKeyUp(event);
}

void TWhichDataSetBox::FormShow()
{
    if (btnMochikaeri->isChecked())
        btnMochikaeri->setFocus(Qt::OtherFocusReason);
    else
        btnMochidashi->setFocus(Qt::OtherFocusReason);
}

} // namespace vq
