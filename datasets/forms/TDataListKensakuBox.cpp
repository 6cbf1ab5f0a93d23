#include "datasets/forms/TDataListKensakuBox.h"

#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "ui/ModalResult.h"
#include "ui/forms/HintMemo.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace vq {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

QLabel* label(QWidget* parent, const char* text, int x, int y)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(x, y, 110, 22);
    return l;
}

} // namespace

TDataListKensakuBox::TDataListKensakuBox(QWidget* parent)
    : TBSDI(parent, ui::bsDialog)
{
    setObjectName(QStringLiteral("DataListKensakuBox"));
    setWindowTitle(QStringLiteral("検索条件の設定"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    FKeepOnClose = true;
    setFixedSize(524, 360);

    auto* box = new QGroupBox(this);
    box->setGeometry(12, 8, 500, 180);
    label(box, "コード:", 16, 16);
    txtCode = new ui::TxEdit(box);
    txtCode->setObjectName(QStringLiteral("txtCode"));
    txtCode->setGeometry(130, 16, 120, 22);
    txtCode->setMaxLength(8);
    label(box, "データ区分:", 16, 48);
    cmbDataKbn = new ui::TxComboBox(box);
    cmbDataKbn->setObjectName(QStringLiteral("cmbDataKbn"));
    cmbDataKbn->setGeometry(130, 48, 200, 22);
    for (const char* kind : DataKindChoices)
        cmbDataKbn->addItem(QString::fromUtf8(kind));
    label(box, "データリスト名:", 16, 80);
    txtListName = new ui::TxEdit(box);
    txtListName->setObjectName(QStringLiteral("txtListName"));
    txtListName->setGeometry(130, 80, 350, 22);
    txtListName->setMaxLength(40);
    label(box, "担当者:", 16, 112);
    cmbTanto = new ui::TxComboBox(box);
    cmbTanto->setObjectName(QStringLiteral("cmbTanto"));
    cmbTanto->setGeometry(130, 112, 200, 22);
    label(box, "データバージョン:", 16, 144);
    cmbDataVer = new ui::TxComboBox(box);
    cmbDataVer->setObjectName(QStringLiteral("cmbDataVer"));
    cmbDataVer->setGeometry(130, 144, 200, 22);
    cboxYukou = new ui::TxCheckBox(QStringLiteral("この検索条件を毎回有効にする"), this);
    cboxYukou->setObjectName(QStringLiteral("cboxYukou"));
    cboxYukou->setGeometry(20, 196, 300, 22);

    HintArea = ui::NewHintMemo(this, QRect(12, 226, 500, 80));
    FHintMemo = HintArea;

    btnOK = new ui::TxPlButton(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setCaptionAText(QStringLiteral("OK"));
    btnOK->setGeometry(306, 318, 100, 30);
    connect(btnOK, &ui::TxPlButton::clicked, this, [this] { btnOKClick(); });
    btnCancel = new ui::TxPlButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setCaptionAText(QStringLiteral("キャンセル"));
    btnCancel->setGeometry(412, 318, 100, 30);
    btnCancel->setModalResult(ui::mrCancel);
    connect(btnCancel, &ui::TxPlButton::clicked, this, [this] { done(ui::mrCancel); });
    FExecButton = btnOK;

    UserList.FirstText = "選択なし";
    UserList.GroupId = SystemDef.GROUPID;
    if (DM != nullptr && DM->IBDatabaseDEF.connected())
        UserList.Execute();
    for (const auto& line : UserList.Lines)
        cmbTanto->addItem(q(line));
    VersionList.FirstText = "選択なし";
    VersionList.Load(1);
    for (const auto& name : VersionList.Names)
        cmbDataVer->addItem(q(name));
    FCreated = true;
}

TDataListKensakuBox::~TDataListKensakuBox() = default;

TKensakuJyokenStore& TDataListKensakuBox::store()
{
    if (!store_)
        store_ = std::make_unique<TKensakuJyokenStore>();
    store_->ListType = ListType;
    return *store_;
}

void TDataListKensakuBox::PrepareShow(bool modal)
{
    Modal = modal;
    ApplySettings();
}

void TDataListKensakuBox::ApplySettings()
{
    LoadHints();
    cmbDataKbn->setCurrentIndex(ChoiceOfDataKind(Cond.DATATYPE, Cond.CODETYPE));
    txtCode->setText(q(Cond.DATACODE));
    txtListName->setText(q(Cond.DATANAME));
    const int tanto = UserList.IndexOfOpCode(Cond.TANTO);
    cmbTanto->setCurrentIndex(tanto >= 0 && tanto < cmbTanto->count() ? tanto : 0);
    const int version = VersionList.IndexOfName(Cond.SEIHINNAME);
    cmbDataVer->setCurrentIndex(version >= 0 && version < cmbDataVer->count() ? version : 0);
    cboxYukou->setChecked(Cond.JYOKENUSE == 1);
}

void TDataListKensakuBox::btnOKClick()
{
    const DataKind kind = DataKindOfChoice(cmbDataKbn->currentIndex());
    Cond.DATATYPE = kind.DATATYPE;
    Cond.CODETYPE = kind.CODETYPE;
    Cond.DATACODE = txtCode->text().toStdString();
    Cond.DATANAME = txtListName->text().toStdString();
    Cond.TANTO = UserList.GetOpCode(cmbTanto->currentIndex());
    Cond.DATAVER = VersionList.GetVersionText(cmbDataVer->currentIndex());
    Cond.VerText.clear();
    Cond.VerMatch = 0;
    Cond.SEIHINNAME = VersionList.GetName(cmbDataVer->currentIndex());
    Cond.JYOKENUSE = cboxYukou->isChecked() ? 1 : 0;
    done(ui::mrOk);
}

void TDataListKensakuBox::LoadHints()
{
    setHint(cmbDataKbn, QStringLiteral("選択した区分に該当するデータを抽出して表示します。|選択した区分に該当するデータを抽出して表示します。"));
    setHint(txtCode, QStringLiteral("入力したコードを前方一致（先頭一致）で抽出して表示します。|入力したコード前方一致（先頭一致）で抽出して表示します。"));
    setHint(txtListName, QStringLiteral("入力した文字を含むデータを抽出して表示します。|入力した文字を含むデータを抽出して表示します。"));
    setHint(cmbTanto, QStringLiteral("選択したｵﾍﾟﾚｰﾀが担当するデータを抽出して表示します。|選択したｵﾍﾟﾚｰﾀが担当するデータを抽出して表示します。"));
    setHint(cmbDataVer, QStringLiteral("選択したﾊﾞｰｼﾞｮﾝのデータを抽出して表示します。| 選択したﾊﾞｰｼﾞｮﾝのデータを抽出して表示します。"));
    setHint(cboxYukou, QStringLiteral("ここで設定した条件に該当するデータだけを常時表示させる場合にﾁｪｯｸします。| ここで設定した条件に該当するデータだけを常時表示させる場合にﾁｪｯｸします。"));
    setHint(btnOK, QStringLiteral("設定した条件に該当するデータを表示します。| 設定した条件に該当するデータを表示します。"));
    setHint(btnCancel, QStringLiteral("データの検索を中止します。| データの検索を中止します。"));
}

void TDataListKensakuBox::FormShow()
{
    txtCode->setFocus(Qt::OtherFocusReason);
}

void TDataListKensakuBox::InitKensakuRec(TDataKensakuRec& cond)
{
    vq::InitKensakuRec(cond, SystemDef.OPCODE, ListType);
}

bool TDataListKensakuBox::SelectRecord(TDataKensakuRec& cond)
{
    return store().SelectRecord(cond);
}

bool TDataListKensakuBox::UpdateRecord(const TDataKensakuRec& cond)
{
    return store().UpdateRecord(cond);
}

bool TDataListKensakuBox::UpdateRecordSortField(const TDataKensakuRec& cond)
{
    return store().UpdateRecordSortField(cond);
}

} // namespace vq
