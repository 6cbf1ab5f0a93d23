#include "datasets/forms/TDataSyosaiInfoBox.h"

#include "datasets/DataRowChecks.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/RebuildEngine.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/files/FileOperations.h"
#include "foundation/forms/FlushInputMessages.h"
#include "foundation/text/TextUtils.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "ui/ModalResult.h"
#include "ui/forms/HintMemo.h"
#include "ui/forms/TVorlenEdit.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxPlButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>

#include <cctype>
#include <cstdio>
#include <filesystem>

namespace vq {

namespace {

const char* const kNotSet = "設定なし";
const char* const kRebuildCaption = "F7:再構築";

QString q(const std::string& s) { return QString::fromStdString(s); }

QLabel* caption(QWidget* parent, const char* text, int x, int y, int w = 112)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(x, y, w, 22);
    return l;
}

QLabel* value(QWidget* parent, const char* name, int x, int y, int w)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setGeometry(x, y, w, 22);
    return l;
}

std::string formatted(const char* pattern, std::int32_t n)
{
    char text[96];
    std::snprintf(text, sizeof text, pattern, n);
    return text;
}

std::string orNotSet(const std::string& text)
{
    return text.empty() ? kNotSet : text;
}

// The product's own name for the data root, "[<product>のデータ]".
std::string dataRootName()
{
    char text[256];
    std::snprintf(text, sizeof text, "[%sのデータ]", AppInfo.RidedAppTitle.c_str());
    return text;
}

// folder with a leading base folder (compared without letter case, whole
// components only) replaced by replacement.
std::string replaceBase(const std::string& folder, const std::string& base, const std::string& replacement)
{
    if (base.empty() || folder.size() < base.size())
        return folder;
    for (std::size_t i = 0; i < base.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(folder[i])) != std::toupper(static_cast<unsigned char>(base[i])))
            return folder;
    if (folder.size() > base.size() && folder[base.size()] != '/' && folder[base.size()] != '\\')
        return folder;
    return replacement + folder.substr(base.size());
}

bool versionAtLeast12(const TDataInfomationRec& rec)
{
    return rec.MAJOR >= 12;
}

} // namespace

std::string DataKindText(std::int32_t dataKbn, std::int32_t codeKbn)
{
    struct Kind {
        std::int32_t data, code;
        const char* name;
    };
    static const Kind kinds[] = {{1, 1, "法人"},           {2, 1, "個人(一般)"}, {2, 2, "個人(不動産)"},
                                 {3, 1, "医療法人"},       {2, 3, "個人(クリニック)"},
                                 {2, 4, "個人(農業)"}};
    for (const Kind& k : kinds)
        if (k.data == dataKbn && k.code == codeKbn)
            return k.name;
    return kNotSet;
}

TDataSyosaiInfoBox::TDataSyosaiInfoBox(QWidget* parent)
    : TBSDI(parent, ui::bsDialog)
{
    setObjectName(QStringLiteral("DataSyosaiInfoBox"));
    setWindowTitle(QStringLiteral("データの詳細情報"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    FKeepOnClose = true;
    setFixedSize(932, 457);
    try {
        buildControls();
        DataInfo.Location = ConnectMode;
        FCreated = true;
    } catch (const std::exception&) {
        FCreated = false;
    }
}

TDataSyosaiInfoBox::~TDataSyosaiInfoBox() = default;

void TDataSyosaiInfoBox::buildControls()
{
    grpKanri = new QGroupBox(QStringLiteral("管理情報"), this);
    grpKanri->setGeometry(12, 6, 446, 318);
    caption(grpKanri, "データの状態:", 14, 26);
    lblStatus = value(grpKanri, "lblStatus", 128, 26, 304);
    caption(grpKanri, "データフォルダ:", 14, 56);
    txtDataPath = new QPlainTextEdit(grpKanri);
    txtDataPath->setObjectName(QStringLiteral("txtDataPath"));
    txtDataPath->setReadOnly(true);
    txtDataPath->setFocusPolicy(Qt::NoFocus);
    txtDataPath->setGeometry(128, 56, 304, 58);
    txtDataPath->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtDataPath->setWordWrapMode(QTextOption::WrapAnywhere);
    Image1 = new QLabel(grpKanri);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(14, 126, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    lblDataSeigenMessage = new QLabel(QStringLiteral("現在、オペレータ毎のデータ選択は制限されていません。"), grpKanri);
    lblDataSeigenMessage->setObjectName(QStringLiteral("lblDataSeigenMessage"));
    lblDataSeigenMessage->setGeometry(54, 126, 378, 32);
    lblDataSeigenMessage->setWordWrap(true);
    QFont bold = lblDataSeigenMessage->font();
    bold.setBold(true);
    lblDataSeigenMessage->setFont(bold);
    QPalette blue = lblDataSeigenMessage->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lblDataSeigenMessage->setPalette(blue);
    cboxStatusClear = new QCheckBox(QStringLiteral("データの状態を回復する"), grpKanri);
    cboxStatusClear->setObjectName(QStringLiteral("cboxStatusClear"));
    cboxStatusClear->setGeometry(14, 172, 418, 24);
    QPalette red = cboxStatusClear->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    red.setColor(QPalette::ButtonText, QColor(255, 0, 0));
    cboxStatusClear->setPalette(red);
    lblDataUpdateLock = caption(grpKanri, "データの更新:", 14, 214);
    cboxDataUpdateLock = new QCheckBox(QStringLiteral("禁止する"), grpKanri);
    cboxDataUpdateLock->setObjectName(QStringLiteral("cboxDataUpdateLock"));
    cboxDataUpdateLock->setGeometry(128, 213, 200, 24);
    lblDataReadOnly = caption(grpKanri, "仕訳の入力:", 14, 248);
    cboxDataReadOnly = new QCheckBox(QStringLiteral("禁止する"), grpKanri);
    cboxDataReadOnly->setObjectName(QStringLiteral("cboxDataReadOnly"));
    cboxDataReadOnly->setGeometry(128, 247, 200, 24);

    grpKihon = new QGroupBox(QStringLiteral("基本情報"), this);
    grpKihon->setGeometry(470, 6, 450, 318);
    const int x = 14, vx = 128, vw = 308, step = 26;
    int y = 26;
    caption(grpKihon, "コード:", x, y);
    lblCode = value(grpKihon, "lblCode", vx, y, vw);
    caption(grpKihon, "データ区分:", x, y += step);
    lblDataKbn = value(grpKihon, "lblDataKbn", vx, y, vw);
    caption(grpKihon, "会社名:", x, y += step);
    lblName = value(grpKihon, "lblName", vx, y, vw);
    caption(grpKihon, "フリガナ:", x, y += step);
    lblKana = value(grpKihon, "lblKana", vx, y, vw);
    caption(grpKihon, "データリスト名:", x, y += step);
    txtListName = new ui::TVorlenEdit(grpKihon);
    txtListName->setObjectName(QStringLiteral("txtListName"));
    txtListName->setGeometry(vx, y, vw, 22);
    txtListName->setMaxLength(40);
    txtListName->QLineEdit::setMaxLength(40);
    txtListName->setImeMode(ui::imHira);
    connect(txtListName, &ui::TVorlenEdit::imeStatusChanged, this, [this] { SetFunctionKeyCaptions(); });
    caption(grpKihon, "会計年度:", x, y += step);
    lblNendo = value(grpKihon, "lblNendo", vx, y, vw);
    caption(grpKihon, "会計期間:", x, y += step);
    lblKikan = value(grpKihon, "lblKikan", vx, y, vw);
    caption(grpKihon, "担当者コード:", x, y += step);
    lblTanto = value(grpKihon, "lblTanto", vx, y, vw);
    caption(grpKihon, "部門管理:", x, y += step);
    lblBumonKanri = value(grpKihon, "lblBumonKanri", vx, y, vw);
    caption(grpKihon, "本支店管理:", x, y += step);
    lblSitenKanri = value(grpKihon, "lblSitenKanri", vx, y, vw);
    caption(grpKihon, "仕訳件数:", x, y += step);
    lblSiwakeKensu = value(grpKihon, "lblSiwakeKensu", vx, y, vw);

    HintArea = ui::NewHintMemo(this, QRect(12, 332, 908, 68));
    FHintMemo = HintArea;

    const int kw = 90, kh = 34, ky = 412;
    for (int k = 0; k < 7; ++k) {
        auto* key = new ui::TxPlButton(this);
        key->setObjectName(QStringLiteral("F%1").arg(k + 1));
        key->setGeometry(12 + k * (kw + 4), ky, kw, kh);
        key->setCaptionAText(QStringLiteral("F%1:").arg(k + 1));
        key->setFocusPolicy(Qt::NoFocus);
        connect(key, &ui::TxPlButton::clicked, this, [this, key] { F1Click(key); });
        Keys[static_cast<std::size_t>(k)] = key;
    }
    btnOK = new ui::TxPlButton(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setCaptionAText(QStringLiteral("OK"));
    btnOK->setGeometry(920 - 2 * 100 - 6, ky, 100, kh);
    connect(btnOK, &ui::TxPlButton::clicked, this, [this] { btnOKClick(); });
    btnCancel = new ui::TxPlButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setCaptionAText(QStringLiteral("キャンセル"));
    btnCancel->setGeometry(920 - 100, ky, 100, kh);
    btnCancel->setModalResult(ui::mrCancel);
    btnCancel->setCancel(true);
    connect(btnCancel, &ui::TxPlButton::clicked, this, [this] { done(ui::mrCancel); });
    FExecButton = btnOK;

    xAnimeProgressDialog1 = new ui::TxAnimeProgressDialog(this);
    xAnimeProgressDialog1->setCancelBtnShow(false);
}

std::string TDataSyosaiInfoBox::KeyCaption(int key) const
{
    if (key < 1 || key > static_cast<int>(Keys.size()))
        return {};
    return Keys[static_cast<std::size_t>(key - 1)]->CaptionA().Caption.toStdString();
}

void TDataSyosaiInfoBox::PrepareShow(bool modal)
{
    Modal = modal;
    ApplySettings();
}

void TDataSyosaiInfoBox::ApplySettings()
{
    DataInfo.Location = ConnectMode;
    ClearRec(InfoRec);
    const std::string database = (std::filesystem::path(DataFolder) / DataDbFileName).string();
    const bool described = !DataFolder.empty() && FileOpFExist(database, ConnectMode);
    if (described)
        DataInfo.ReadDataInfo(DataFolder, InfoRec);
    const std::uint8_t status = InfoRec.STATUS;

    // The caller writes a new name only into a data set it may work on, so
    // under any other status the dialog offers none: an edit that OK would
    // silently drop is no edit.
    if (status == DataStatusOpenFailed || status == DataStatusLocked || Row.SHOUGOU.empty() ||
        !IsAllowedStatus(status, ConnectMode))
        EditAllowed = false;
    ClearStatus = false;
    Rebuilt = false;
    const bool named = !Row.SHOUGOU.empty();
    if (FromSharedList)
        RebuildAllowed = named && InfoRec.SHARE_STATUS == ShareStatusFree;
    else
        RebuildAllowed = named && ((Row.NETDRIVE == 0 && Row.KYOYULOCK == 0) || (Row.NETDRIVE == 1 && Row.KYOYULOCK == 1));

    lblStatus->setText(q(GetDataStatusText(status)));
    txtDataPath->setPlainText(q(replaceBase(DataFolder, TDataSentakuListCtl::DataRoot(), dataRootName())));

    // A status left behind may be cleared by whoever may pick any data set, or
    // by the operator who left it. Not statuses 0 and 10: those are damage,
    // which only a rebuild mends.
    const bool damaged = status == DataStatusOpenFailed || status == DataStatusDamaged;
    const bool sisetuFree = DM != nullptr ? DM->IsSisetuFree()
                                          : (SystemDef.SisetuFreeSwitch == 1 || SystemDef.JOBLEVEL == 9);
    ClearAllowed = described && !damaged && !IsAllowedStatus(status, ConnectMode) &&
                   (sisetuFree || OperatorNumberOf(InfoRec.OPCODE, SystemDef.GROUPID) == CurrentOperatorNumber());
    if (ClearAllowed)
        EditAllowed = false;
    cboxStatusClear->setVisible(ClearAllowed);
    cboxStatusClear->setChecked(false);

    cboxDataUpdateLock->setChecked(UpdateLock == 1);
    cboxDataReadOnly->setChecked(ReadOnly == 1);

    const bool unrestricted = SystemDef.SisetuFreeSwitch == 1;
    lblDataSeigenMessage->setVisible(unrestricted);
    Image1->setVisible(unrestricted);

    fillLabels();
    txtListName->setText(q(ListName.empty() ? Row.SHOUGOU : ListName));

    cboxDataUpdateLock->setEnabled(true);
    cboxDataReadOnly->setEnabled(versionAtLeast12(InfoRec));
    setNameEditable(true);
    if (!EditAllowed) {
        cboxDataUpdateLock->setEnabled(false);
        cboxDataReadOnly->setEnabled(false);
        setNameEditable(false);
    }
    lblDataUpdateLock->setEnabled(cboxDataUpdateLock->isEnabled());
    lblDataReadOnly->setEnabled(cboxDataReadOnly->isEnabled());

    btnOK->setVisible((EditAllowed || ClearAllowed) && status != DataStatusOpenFailed && status != DataStatusDamaged);
    if (status == DataStatusDamaged)
        cboxStatusClear->setVisible(false);

    LoadHints();
    SetFunctionKeyCaptions();
}

void TDataSyosaiInfoBox::fillLabels()
{
    const TDataInfomationRec& r = InfoRec;
    lblCode->setText(q(orNotSet(r.CODE)));
    lblDataKbn->setText(q(DataKindText(r.DATAKBN, r.CODEKBN)));
    lblName->setText(q(orNotSet(r.SHOUGOU)));
    lblKana->setText(q(orNotSet(r.KANA)));
    lblNendo->setText(q(r.NENDO > 0 ? formatted("%d期", r.NENDO) : kNotSet));
    std::string kikan = kNotSet;
    if (!r.KISHU.empty() && !r.KIMATU.empty()) {
        const double from = SafeStrToDate(r.KISHU);
        const double to = SafeStrToDate(r.KIMATU);
        if (from != 0 && to != 0) {
            try {
                kikan = PeriodToText(from, to);
            } catch (const std::exception&) {
                kikan = kNotSet;
            }
        }
    }
    lblKikan->setText(q(kikan));
    lblTanto->setText(q(r.TANTO != 0 ? std::to_string(r.TANTO) : kNotSet));
    std::string bumon = kNotSet;
    if (r.BUMON == 1)
        bumon = formatted("損益のみに%d部門設定", r.BUMONCNT);
    else if (r.BUMON == 2)
        bumon = formatted("全科目に%d部門設定", r.BUMONCNT);
    lblBumonKanri->setText(q(bumon));
    lblSitenKanri->setText(q(r.SITEN == 1 ? formatted("%d支店設定", r.SITENCNT) : kNotSet));
    // A journal count of 0 is a count; without a description there is none.
    lblSiwakeKensu->setText(q(r.SHOUGOU.empty() && r.SIWAKE == 0 ? kNotSet : formatted("%d件", r.SIWAKE)));
    if (r.STATUS == DataStatusLocked) {
        lblKana->setText(QStringLiteral("-"));
        lblBumonKanri->setText(QStringLiteral("-"));
        lblSitenKanri->setText(QStringLiteral("-"));
        lblSiwakeKensu->setText(QStringLiteral("-件"));
    }
}

void TDataSyosaiInfoBox::setNameEditable(bool editable)
{
    txtListName->setReadOnly(!editable);
    txtListName->setFrame(editable);
    txtListName->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
    QPalette pal = txtListName->palette();
    pal.setColor(QPalette::Base, editable ? QApplication::palette().color(QPalette::Base)
                                          : grpKihon->palette().color(QPalette::Window));
    txtListName->setPalette(pal);
}

void TDataSyosaiInfoBox::LoadHints()
{
    const std::string root = TDataSentakuListCtl::DataRoot();
    setHint(txtDataPath, q(DataFolder + "|データの場所です。\r\n\r\n" + dataRootName() + "は、\"" + root + "\"です。"));
    setHint(cboxStatusClear,
            QStringLiteral("データ状態を回復します。|「データ処理中にアプリケーションが異常終了した」等でデータが「使用中」になってしまった場合に、"
                           "この項目にチェックを入れて［OK］を押すと次回よりデータの選択が可能となります。"));
    setHint(cboxDataUpdateLock,
            QStringLiteral("データ更新の許可／禁止を設定します。|この項目にチェックを入れると、「データ選択」画面から古いバージョンのデータ"
                           "（更新が必要なデータ）の選択を不可にします。\r\n※選択不可データはグレー表示されます。"));
    setHint(cboxDataReadOnly,
            QStringLiteral("仕訳入力の許可／禁止を設定します。|この項目にチェックを入れると、仕訳の入力、訂正及び削除処理を禁止にします。"));
    if (EditAllowed)
        setHint(txtListName, QStringLiteral("ﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名を変更できます。|「データ選択」画面におけるﾃﾞｰﾀの表示名を変更できます。\r\n"
                                            "決算書、試算表、元帳などの社名の印字は「基本設定」の「名称・期間」ﾀﾌﾞで変更します。"));
    else
        setHint(txtListName, QStringLiteral("ﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名です。|「データ選択」画面におけるﾃﾞｰﾀの表示名です。\r\n"
                                            "決算書、試算表、元帳などの社名の印字は「基本設定」の「名称・期間」ﾀﾌﾞで変更します。"));
    setHint(btnOK, QStringLiteral("内容を登録して画面を閉じます。|内容を登録して画面を閉じます。"));
    setHint(btnCancel, QStringLiteral("画面を閉じます。|画面を閉じます。"));
}

void TDataSyosaiInfoBox::SetFunctionKeyCaptions()
{
    for (int k = 0; k < static_cast<int>(Keys.size()); ++k)
        Keys[static_cast<std::size_t>(k)]->setCaptionAText(QStringLiteral("F%1:").arg(k + 1));
    // While the input method composes, F7 belongs to it.
    if (RebuildAllowed && !txtListName->ImeOnFlg())
        Keys[6]->setCaptionAText(QString::fromUtf8(kRebuildCaption));
}

void TDataSyosaiInfoBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    if (!FCreated)
        return;
    repaint();
    if (EditAllowed && txtListName->focusPolicy() != Qt::NoFocus && txtListName->isEnabled())
        txtListName->setFocus(Qt::OtherFocusReason);
    else
        btnCancel->setFocus(Qt::OtherFocusReason);
}

bool TDataSyosaiInfoBox::FormKeyUp(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        const int key = event->key();
        if (key >= Qt::Key_F1 && key <= Qt::Key_F7) {
            F1Click(Keys[static_cast<std::size_t>(key - Qt::Key_F1)]);
            return true;
        }
        if (key == Qt::Key_F8)
            return true;
    }
    return TBSDI::FormKeyUp(event);
}

void TDataSyosaiInfoBox::btnOKClick()
{
    // Without editing the name is not the operator's to give; it stays as it was.
    if (!EditAllowed || !TrimZenSpace(txtListName->text().toStdString()).empty()) {
        if (EditAllowed)
            ListName = txtListName->text().toStdString();
        ClearStatus = ClearAllowed && cboxStatusClear->isChecked();
        UpdateLock = cboxDataUpdateLock->isChecked() ? 1 : 0;
        ReadOnly = cboxDataReadOnly->isChecked() ? 1 : 0;
        done(ui::mrOk);
        return;
    }
    platform::MessageRequest ask;
    ask.text = "データリスト名が入力されていません。会社名を設定しますか？";
    ask.kind = platform::MessageKind::Confirmation;
    ask.buttons = platform::Buttons::OkCancel;
    if (platform::interaction().message(ask) == platform::ResultOk)
        txtListName->setText(q(InfoRec.SHOUGOU.empty() ? Row.SHOUGOU : InfoRec.SHOUGOU));
    setResult(ui::mrNone);
}

void TDataSyosaiInfoBox::F1Click(ui::TxPlButton* sender)
{
    if (sender == nullptr || sender != Keys[6] || KeyCaption(7) != kRebuildCaption)
        return;
    rebuild();
}

bool TDataSyosaiInfoBox::attachedElsewhere()
{
    CloseOwnConnectionTo(DataFolder);
    if (!IsDataSetAttached(Tool.host(), DataFolder))
        return false;
    platform::showMessage("現在、他のユーザーがデータに接続中です。他のユーザーがデータに接続している間はデータの"
                          "再構築は行えません。",
                          platform::MessageKind::Information);
    return true;
}

void TDataSyosaiInfoBox::rebuild()
{
    // Asked only when it can run: a data set someone works in is refused first.
    if (attachedElsewhere())
        return;
    std::string text = "データの再構築を行いますか？\r"
                       "注意１）データサイズによりデータ再構築に時間がかかる場合があります。"
                       "再構築中にコンピュータの電源は切らないで下さい。";
    if (InfoRec.STATUS == DataStatusDamaged)
        text += "\r注意２）破損データの場合はデータ再構築が適正に行われない場合があります。";
    if (platform::showMessage(text, platform::MessageKind::Confirmation, platform::Buttons::OkCancel) !=
        platform::ResultOk)
        return;
    if (!RebuildData())
        return;
    platform::showMessage("データの再構築は適正に行われました。", platform::MessageKind::Information);
    ApplySettings();
    Rebuilt = true;
}

bool TDataSyosaiInfoBox::RebuildData()
{
    xAnimeProgressDialog1->setCaption(QStringLiteral("再構築中"));
    xAnimeProgressDialog1->setInfoLabel(QStringLiteral("再構築中、しばらくお待ちください…"));
    xAnimeProgressDialog1->setAviFile(QString::fromStdString((platform::folders::program() / "progress.avi").string()));
    xAnimeProgressDialog1->setCancelBtnShow(false);
    xAnimeProgressDialog1->Execute(this);
    QApplication::processEvents();

    RebuildRequest request;
    request.Folder = DataFolder;
    request.Rec = Row.REC;
    request.DataLock = Row.DATALOCK;
    bool rebuilt = false;
    try {
        rebuilt = vq::RebuildData(request, Tool);
    } catch (const std::exception& e) {
        // The engine reports its own failures; anything else still ends the wait.
        platform::showMessage(std::string("データ再構築の処理に失敗しました。\r\r") + e.what(),
                              platform::MessageKind::Information);
        rebuilt = false;
    }

    if (xAnimeProgressDialog1->Handle() != nullptr)
        xAnimeProgressDialog1->Close();
    FlushInputMessages(this);
    return rebuilt;
}

} // namespace vq
