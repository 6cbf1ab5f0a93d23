// The data selection screen: the key captions, choosing a row, the shared
// data buttons, the cloud-share button and the information button.
#include "datasets/forms/TDataSentakuBox.h"

#include "datasets/DataFolderCheck.h"
#include "datasets/forms/DataSentakuGridModel.h"
#include "datasets/forms/DataSetSaveRestore.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "foundation/files/FileUtils.h"
#include "foundation/files/ManualPages.h"
#include "foundation/forms/FlushInputMessages.h"
#include "foundation/text/VersionUtils.h"
#include "platform/Interaction.h"
#include "ui/ModalResult.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxPlButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

#include <filesystem>

namespace vq {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

void info(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Information);
}

void infoLines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(text.empty() ? "" : "\r") + line;
    info(text);
}

} // namespace

std::string TDataSentakuBox::gridHint() const
{
    if (pasteHint_)
        return "貼り付け先を選択して［F2］を押します。|貼り付け先を選択して［F2］を押します。\r\n"
               "ｺﾋﾟｰ処理を中断する場合は［ESC］を押します。";
    const std::string A = "［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で選択します。\r\n";
    const std::string B = "空白行は選択できません。［F3］で新規にﾃﾞｰﾀを作成するか、又は［F7］で作成済みのﾃﾞｰﾀを復元してください。\r\n";
    const std::string C = "［F7］で作成済みのﾃﾞｰﾀを復元してください。\r\n";
    const std::string D1 = "選択ﾃﾞｰﾀを削除する場合は［F5］、ﾌﾗｯｼｭﾒﾓﾘなどのﾒﾃﾞｨｱに保存する場合は［F6］を押します。";
    const std::string D2 = "選択ﾃﾞｰﾀを削除する場合は［F5］を、ﾌﾗｯｼｭﾒﾓﾘなどのﾒﾃﾞｨｱに保存する場合は［F6］を押します。";
    const std::string E = "\r\n共有ﾃﾞｰﾀを処理する場合は［共有取得］、取得した共有ﾃﾞｰﾀを他のｵﾍﾟﾚｰﾀが使えるようにする場合は［共有保管］をｸﾘｯｸします。";
    const std::string F = "［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で空いている行を選択します。\r\n";
    const std::string G = "空白行は選択できません。";
    const int type = List.SyoriType;
    std::string longPart;
    if (type == 4) {
        longPart = F;
    } else if (ConnectMode == ConnectStandAlone) {
        longPart = type == 2 ? A + C + D1 + E : A + B + D1 + E;
    } else if (ConnectMode == ConnectClientServer) {
        longPart = type == 2 ? A : A + G;
    } else {
        longPart = type == 2 ? A + C + D2 : A + B + D2;
    }
    return "［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で選択します。|" + longPart;
}

void TDataSentakuBox::LoadHints()
{
    setHint(cboxKyoyuDataAuto, q("ﾁｪｯｸを入れると取得・保管ﾎﾞﾀﾝを使わずに共有ﾃﾞｰﾀを処理できます。空白行に共有ﾃﾞｰﾀを割り当てる場合や"
                                 "LANから切り離してﾃﾞｰﾀ持ち出す場合はﾁｪｯｸを外してください。|"));
    setHint(btnKyoyuDataUp, q("選択した共有ﾃﾞｰﾀを他のPCで使用可能にします。保管を行うと［共有］欄にｱｲｺﾝが付きます。|"));
    setHint(btnKyoyuDataDown, q("空白行を選択してｸﾘｯｸすると［共有ﾃﾞｰﾀの選択］画面が開きます。共有ﾃﾞｰﾀ行を選択してｸﾘｯｸすると選択可能になります。"
                                "（［共有］欄のｱｲｺﾝが外れます。）|"));
    setHint(btnSearchCancel, q("検索状態を解除します。|"));
    setHint(btnSearch, q("［検索条件の設定］画面を開きます。一定条件に該当するﾃﾞｰﾀを抽出表示する場合に使用します。|"));
    const std::string info = "「ﾃﾞｰﾀの詳細情報」画面を開きます。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。";
    setHint(btnDataInfo, q(info + "|" + info + "\r\nﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名を変更することも可能です。"));
    setHint(btnListUpdate, q("ﾃﾞｰﾀﾘｽﾄを更新します。［F5：ﾃﾞｰﾀ削除］や［F7：復元］などの機能を使わずに移行したﾃﾞｰﾀを再表示します。|"
                             "ﾃﾞｰﾀﾘｽﾄを更新します。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。\r\n"
                             "ﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名を変更することも可能です。"));
    setHint(cmbDataMan, q("データの場所を選択します。|データの場所をドロップダウンリストより選択します。選択された場所のデータリストが表示されます。"));
    setHint(btnDataMan, q("データの場所を設定します。|データの場所を設定する画面が開きます。"));
    if (List.SyoriType <= 4)
        setHint(PerfectGrid1, q(gridHint()));
}

void TDataSentakuBox::SetFunctionKeyCaptions()
{
    TKeyCaptionState state;
    state.ConnectMode = ConnectMode;
    state.SyoriType = List.SyoriType;
    state.GridActive = gridActive();
    state.GridEnabled = PerfectGrid1->isEnabled() && pnlBottom->isEnabled();
    state.HasCurrentRow = List.Grid.HasCurrentRow();
    state.CopyPending = CopyPending;
    state.Row = state.HasCurrentRow ? List.GetRowRecord(List.Grid.CurrentRow) : nullptr;
    if (const TDataSentakuRec* parent = state.HasCurrentRow ? List.ParentRecordOf(List.Grid.CurrentRow) : nullptr)
        state.ParentGassan = parent->GASSAN;
    state.AutoShared = cboxKyoyuDataAuto->isVisible() ? cboxKyoyuDataAuto->isChecked() : SystemDef.KyoyuDataAuto == 1;
    state.CloudUsable = List.CloudUsable;
    const TKeyCaptions keys = ComputeKeyCaptions(state);
    RowState = keys.RowState;
    pasteHint_ = keys.PasteHint;
    if (state.GridActive) {
        LoadHints();
        ShowHintOf(PerfectGrid1, HintArea);
    }
    btnKyoyuDataDown->setEnabled(keys.KyoyuDownEnabled);
    btnKyoyuDataUp->setEnabled(keys.KyoyuUpEnabled);
    btnCloudShare->setEnabled(keys.CloudEnabled);
    if (!keys.SearchEnabled) {
        btnSearch->setEnabled(false);
        btnSearchCancel->setEnabled(false);
    }
    for (int k = 0; k < 10; ++k)
        Keys[static_cast<std::size_t>(k)]->setCaptionAText(q(keys.Caption[static_cast<std::size_t>(k)]));
}

void TDataSentakuBox::ESCClick()
{
    if (!pnlBottom->isEnabled() || !keyUsable(KeyEsc))
        return;
    if (CopyPending) {
        CopyPending = false;
        SetFunctionKeyCaptions();
        RowOps->CancelCopy(*this);
        return;
    }
    Cancelled = true;
    done(ui::mrCancel);
}

void TDataSentakuBox::F1Click()
{
    if (!keyUsable(KeyF1))
        return;
    ShowHtmlHelp("file01.html");
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::refreshAndRefocus(int row)
{
    PerfectGrid1->setFocus(Qt::OtherFocusReason);
    gridActive_ = true;
    if (List.Grid.HasCurrentRow())
        List.CellGotFocus(List.Grid.CurrentRow);
    (void)row;
    showGrid();
}

void TDataSentakuBox::F2Click()
{
    if (!keyUsable(KeyF2))
        return;
    if (RowState == 1) {
        // The screen waits for a paste target only while a source is marked.
        CopyPending = true;
        if (RowOps->CopyData(*this) != 1)
            CopyPending = false;
    } else if (RowState == 2) {
        CopyPending = false;
        RowOps->CopyData(*this);
    }
    refreshAndRefocus(List.Grid.CurrentRow);
}

void TDataSentakuBox::F3Click()
{
    if (!keyUsable(KeyF3))
        return;
    const TDataListRec* row = List.GetRowRecord(List.Grid.CurrentRow);
    if (ConnectMode == ConnectStandAlone) {
        if (row != nullptr && row->GASSAN == GassanConsolidated)
            RowOps->AddBunsanData(*this);
        else
            RowOps->NewData(*this);
    } else if (row != nullptr && !row->ENTTEXT.empty()) {
        RowOps->Mochidashi(*this);
    } else {
        RowOps->NewData(*this);
    }
    refreshAndRefocus(List.Grid.CurrentRow);
}

void TDataSentakuBox::F4Click()
{
    if (!keyUsable(KeyF4))
        return;
    if (ConnectMode == ConnectStandAlone)
        RowOps->ReleaseKyoyu(*this);
    else
        RowOps->AddArea(*this);
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::F5Click()
{
    if (!keyUsable(KeyF5))
        return;
    RowOps->DeleteData(*this);
    refreshAndRefocus(List.Grid.CurrentRow);
}

void TDataSentakuBox::F6Click()
{
    if (!keyUsable(KeyF6))
        return;
    RowOps->SaveData(*this);
    refreshAndRefocus(List.Grid.CurrentRow);
}

void TDataSentakuBox::F7Click()
{
    if (!keyUsable(KeyF7))
        return;
    RowOps->RestoreData(*this);
    refreshAndRefocus(List.Grid.CurrentRow);
}

void TDataSentakuBox::F8Click()
{
    if (!keyUsable(KeyF8))
        return;
    RowOps->PrintList(*this);
    refreshAndRefocus(List.Grid.CurrentRow);
}

void TDataSentakuBox::PerfectGrid1DblClick()
{
    if (List.Grid.RowCount() > 0 && List.Grid.HasCurrentRow())
        F12Click();
}

std::int32_t TDataSentakuBox::CheckDataFolder(const std::string& folder)
{
    return vq::CheckDataFolder(folder, List.SyoriType, List.InfoRec);
}

void TDataSentakuBox::markBroken(int gridRow)
{
    if (TDataListRec* rec = List.GetRowRecord(gridRow))
        rec->DATA_STATUS = 1;
    List.Grid.SetCellInt(gridRow, ColDataStatus, 1);
    List.Grid.Row(gridRow).BackColor = kBrokenRowColor;
    showRow(gridRow);
}

void TDataSentakuBox::F12Click()
{
    setResult(0);
    SystemDef.DataBrokenFlag = 0;
    if (!keyUsable(KeyF12) || !List.Grid.HasCurrentRow())
        return;
    const int gridRow = List.Grid.CurrentRow;
    const TDataListRec* row = List.GetRowRecord(gridRow);
    if (row == nullptr)
        return;
    SelFolder = vq::GetDataPath(*row);
    SelPasName = row->PASNAME;
    const bool child = row->GASSAN == GassanDistributedChild;
    const int type = List.SyoriType;
    auto clearSelection = [this] {
        SelFolder.clear();
        SelPasName.clear();
    };
    auto takeSelection = [this] {
        SystemDef.DataDir = SelFolder;
        SystemDef.DataPasName = SelPasName;
    };
    int result = 0;

    if (type == 0 || type == 1 || type == 3 || type == 5) {
        if (vq::GetKyoyuState(*row) == KyoyuKept) {
            if (SystemDef.KyoyuDataAuto != 1) {
                info("このデータは共有サーバーに保管されています。\r共有取得を実行してから選択して下さい。");
                clearSelection();
                return;
            }
            // With the automatic switch on, the data set is fetched silently first.
            if (type != 5 && SyncSharedAuto("download") <= 0) {
                clearSelection();
                return;
            }
        }
        std::int32_t r = FolderRefused;
        ClearRec(List.InfoRec);
        try {
            r = CheckDataFolder(SelFolder);
        } catch (const std::exception&) {
            r = FolderRefused;
            if (DM != nullptr && DM->CallDataStatusHook(SystemDef.HostName, SelFolder, 0, 0) == 0)
                r = FolderRefusedBroken;
        }
        if (r < 0) {
            // A damaged data set is told as such; the status check leaves that to its caller.
            if (List.InfoRec.STATUS == DataStatusDamaged)
                ShowDataStatusReport(SelFolder, List.InfoRec);
            clearSelection();
            DataListRefresh(gridRow);
            if (child)
                SelectRow(gridRow, 0);
            if (r == FolderRefusedBroken)
                markBroken(gridRow);
            return;
        }
        if (r == FolderEmpty) {
            if (type == 5) {
                if (OnlySARestore == 0) {
                    info("この場所にはデータがありません。他の場所を選んで下さい。");
                    clearSelection();
                    return;
                }
                takeSelection();
                if (SyncSharedAuto("download") <= 0 ||
                    RestoreRowData(*this, OnlySABackupPath, BackupToolOf(*RowOps)) == -1) {
                    clearSelection();
                    return;
                }
                result = 1;
            } else {
                ForceFolder(SelFolder);
                if (platform::showMessage("選択したパスにはデータが存在しません。\r新規にデータを作成しますか？",
                                          platform::MessageKind::Confirmation,
                                          platform::Buttons::YesNo) != platform::ResultYes) {
                    clearSelection();
                    return;
                }
                RowOps->NewData(*this);
                takeSelection();
                result = 1;
            }
        } else if (r == FolderHoldsData) {
            if ((type == 0 || type == 1) && List.Grid.CellInt(gridRow, ColUpdatePending) != 0) {
                infoLines({"このデータは「データの更新」処理を行うことが禁止されています。",
                           "データを選択したい場合は、「データ選択」画面の[情報]ボタンを押し「データの詳細情報」画面を開き",
                           "[データの更新: 禁止する]項目のチェックを外してください。",
                           "または、過去バージョンのプログラムを起動し選択してください。"});
                clearSelection();
                return;
            }
            if (type == 5) {
                if (List.CloudUsable && row->CLOUD == 1) {
                    info("クラウドシェアデータのため選択できません。他の場所を選んで下さい。");
                    clearSelection();
                    return;
                }
                takeSelection();
                std::int32_t value = SyncSharedAuto("download");
                if (value > 0) {
                    if (OnlySARestore == 0) {
                        value = SaveRowData(*this, OnlySABackupPath, BackupToolOf(*RowOps));
                        if (value == 1)
                            value = SyncSharedAuto("upload");
                    } else {
                        value = RestoreRowData(*this, OnlySABackupPath, BackupToolOf(*RowOps)) == -1 ? 0 : 1;
                    }
                }
                if (value <= 0) {
                    clearSelection();
                    return;
                }
                result = 1;
            } else {
                takeSelection();
                result = 1;
            }
        } else {
            return;
        }
    } else if (type == 2 || type == 4) {
        if (SelFolder == SystemDef.DataDir) {
            info("このデータは現在選択中のデータです。\r他の場所を選んで下さい。");
            clearSelection();
            return;
        }
        std::int32_t r = FolderRefused;
        try {
            r = CheckDataFolder(SelFolder);
        } catch (const std::exception&) {
            r = FolderRefused;
        }
        if (r < 0) {
            clearSelection();
            DataListRefresh(gridRow);
            return;
        }
        if (r == FolderHoldsData) {
            info("選択したパスには既にデータが存在します。\r他の場所を選んで下さい。");
            clearSelection();
            return;
        }
        if (type == 2 && ConnectMode == ConnectStandAlone && SystemDef.DataDir != SystemDef.DataPasName &&
            SelFolder == SelPasName) {
            const int answer = platform::showMessage(
                "更新前データは共有データ領域で管理されています。\r今回指定した保存先では他のオペレータとデータが共有できません。\r"
                "共有の必要がなければこのメッセージを[OK]してください。\r共有する必要がある場合は[キャンセル]し、"
                "データ選択画面右上の「共有取得」ボタン\rより、共有データ領域をお選びください。",
                platform::MessageKind::Confirmation, platform::Buttons::OkCancel);
            if (answer != platform::ResultOk)
                return;
        }
        SystemDef.CopyPathsText = "PATH1=" + SelFolder + "\rPATH2=" + SelPasName;
        result = 1;
    }
    if (result == 1)
        done(ui::mrOk);
}

std::int32_t TDataSentakuBox::SyncSharedAuto(const std::string& direction)
{
    if (SystemDef.KyoyuDataAuto != 1)
        return 1;
    const std::int32_t state = List.GetKyoyuState(0, List.Grid.CurrentRow);
    if (direction == "upload" && state == KyoyuTaken)
        return KyoyuDataPut(true);
    if (direction == "download" && state == KyoyuKept)
        return KyoyuDataGet(true);
    return 1;
}

void TDataSentakuBox::showProgress(const char* caption, const char* label)
{
    // The progress window disables this screen and takes the focus; the grid gets it back afterwards.
    gridBeforeProgress_ = gridActive_;
    xAnimeProgressDialog1->setCaption(QString::fromUtf8(caption));
    xAnimeProgressDialog1->setInfoLabel(QString::fromUtf8(label));
    xAnimeProgressDialog1->setCancelBtnShow(false);
    xAnimeProgressDialog1->Execute(this);
}

void TDataSentakuBox::closeProgress()
{
    if (xAnimeProgressDialog1->Handle() != nullptr)
        xAnimeProgressDialog1->Close();
    FlushInputMessages(this);
    if (gridBeforeProgress_) {
        PerfectGrid1->setFocus(Qt::OtherFocusReason);
        gridActive_ = true;
    }
}

void TDataSentakuBox::showKyoyuDone(int gridRow, bool taken)
{
    const int parent = List.Grid.CellInt(gridRow, ColParentIndex);
    for (int r = gridRow; r < List.Grid.RowCount(); ++r) {
        if (r != gridRow && List.Grid.CellInt(r, ColParentIndex) != parent)
            break;
        List.Grid.SetCellInt(r, ColShared, taken ? 1 : 0);
        List.Grid.SetPicture(r, ColSharePicture, taken ? PicEmpty : PicShared);
        showRow(r);
    }
}

void TDataSentakuBox::btnKyoyuDataDownClick()
{
    if (!List.Grid.HasCurrentRow())
        return;
    const int gridRow = List.Grid.CurrentRow;
    const TDataListRec* row = List.GetRowRecord(gridRow);
    if (row == nullptr)
        return;
    if (row->NETDRIVE == 1) {
        KyoyuDataGet(false);
    } else if (!List.Grid.Cell(gridRow, ColName).empty()) {
        info("選択したフォルダには既にデータが登録されています。\r");
        return;
    } else {
        // Binding a blank row to a shared area is the shared-data screen's work.
        RowOps->AssignSharedArea(*this);
    }
    raise();
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::btnKyoyuDataUpClick()
{
    KyoyuDataPut(false);
    raise();
    SetFunctionKeyCaptions();
}

std::int32_t TDataSentakuBox::KyoyuDataGet(bool silent)
{
    if (!List.Grid.HasCurrentRow())
        return 0;
    if (!silent && platform::showMessage("共有データの取得を行います。よろしいですか？",
                                         platform::MessageKind::Confirmation,
                                         platform::Buttons::YesNo) != platform::ResultYes)
        return 0;
    const int parentRow = List.FindParentRow(List.Grid.CurrentRow);
    TDataSentakuRec* parent = List.ParentRecordOf(parentRow);
    if (parent == nullptr)
        return 0;
    showProgress("共有データ受信中", "共有データから受信中…");
    std::int32_t result = 0;
    try {
        List.ListCtl.MakeLocalPath(*parent);
        result = List.ListCtl.KyoyuDataGet(*parent, silent ? 1 : 0);
    } catch (const std::exception& e) {
        closeProgress();
        ShowMessageDetail("共有データの取得に失敗しました。", e.what());
        return 0;
    }
    if (result == 1) {
        showKyoyuDone(parentRow, true);
        DataListRefresh(parentRow);
        SelectRow(parentRow, 0);
    } else {
        try {
            TDataInfomation reader;
            reader.Location = ConnectMode;
            reader.WriteShareStatus(List.GetDataPath(parentRow), ShareStatusFree);
        } catch (const std::exception&) {
            // The working copy may not exist; nothing to set free then.
        }
    }
    closeProgress();
    return result;
}

std::int32_t TDataSentakuBox::KyoyuDataPut(bool silent)
{
    if (!List.Grid.HasCurrentRow())
        return 0;
    const int gridRow = List.Grid.CurrentRow;
    const std::string folder = List.GetDataPath(gridRow);
    auto sound = [&](const std::string& path) {
        return DM == nullptr || DM->CallDataStatusHook(SystemDef.HostName, path, silent ? 1 : 0, 0) != 0;
    };
    if (!sound(folder)) {
        markBroken(gridRow);
        DataListRefresh(gridRow);
        SetFunctionKeyCaptions();
        return 0;
    }
    const int parentRow = List.FindParentRow(gridRow);
    TDataSentakuRec* parent = List.ParentRecordOf(parentRow);
    if (parent == nullptr)
        return 0;
    if (IsConsolidatedKind(parent->GASSAN)) {
        bool broken = parent->DATA_STATUS == 1;
        if (!broken && !sound(vq::GetDataPath(*parent))) {
            broken = true;
            markBroken(parentRow);
        }
        for (std::size_t i = 0; !broken && i < parent->Children.size(); ++i) {
            TDataListRec& child = parent->Children[i];
            if (child.DATA_STATUS == 1 || !sound(vq::GetDataPath(child))) {
                child.DATA_STATUS = 1;
                broken = true;
                if (parentRow + 1 + static_cast<int>(i) < List.Grid.RowCount())
                    markBroken(parentRow + 1 + static_cast<int>(i));
            }
        }
        // A damaged member stops the keep also when it runs silently: the
        // good copy on the share must not be overwritten.
        if (broken) {
            infoLines({"合算・分散データに破損したデータが存在するため、共有データの保管を中止します。",
                       "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。",
                       "ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。"});
            SetFunctionKeyCaptions();
            return 0;
        }
    }
    if (!silent && platform::showMessage("共有データの保管を行います。よろしいですか？",
                                         platform::MessageKind::Confirmation,
                                         platform::Buttons::YesNo) != platform::ResultYes)
        return 0;
    closeProgress();
    showProgress("共有データ送信中", "共有データへ送信中…");
    std::int32_t result = 0;
    try {
        List.ListCtl.MakeLocalPath(*parent);
        result = List.ListCtl.KyoyuDataPut(*parent, silent ? 1 : 0);
    } catch (const std::exception& e) {
        closeProgress();
        ShowMessageDetail("共有データの保管に失敗しました。", e.what());
        return 0;
    }
    if (result == 1)
        showKyoyuDone(parentRow, false);
    closeProgress();
    return result;
}

bool TDataSentakuBox::KyoyuDataSync()
{
    if (ConnectMode != ConnectStandAlone || !List.Grid.HasCurrentRow())
        return true;
    const std::int32_t state = List.GetKyoyuState(0, List.Grid.CurrentRow);
    if (state != KyoyuKept)
        return true;
    const std::int32_t got = KyoyuDataGet(true);
    if (got < 1)
        return false;
    return KyoyuDataPut(true) > 0;
}

void TDataSentakuBox::btnCloudShareClick()
{
    if (!List.Grid.HasCurrentRow() || DM == nullptr || !DM->CanUseCloudShare(0))
        return;
    const int gridRow = List.Grid.CurrentRow;
    const std::string folder = List.GetDataPath(gridRow);
    if (ConnectMode != ConnectStandAlone) {
        std::int32_t r = FolderRefused;
        try {
            r = CheckDataFolder(folder);
        } catch (const std::exception&) {
        }
        if (r != FolderHoldsData) {
            DataListRefresh(gridRow);
            return;
        }
    }
    const TDataListRec* row = List.GetRowRecord(gridRow);
    if (row == nullptr)
        return;
    const std::string version = std::to_string(row->VER_MAJOR) + "." + std::to_string(row->VER_MINOR1) + "." +
                                std::to_string(row->VER_MINOR2);
    if (!IsNewerVersion(version, "11.0.0")) {
        info("データバージョンが \"Ver11.0.1\" に達していないため、クラウドシェアはご利用できません。\r"
             "クラウドシェアを利用するには、データを選択しデータ更新をおこなってください。");
        return;
    }
    if (IsConsolidatedKind(row->GASSAN) || row->GASSAN == GassanDistributedChild) {
        info("合算・分散データはクラウドシェアの設定はおこなえません。");
        SetFunctionKeyCaptions();
        return;
    }
    if (vq::GetKyoyuState(*row) == KyoyuKept) {
        infoLines({"共有保管データはクラウドシェアの設定はおこなえません。", "[共有取得]ボタンを押してデータを取得してください。",
                   "※[共有データの取得と保管を自動化する]にチェックがある場合は、チェックを外すと[共有取得]ボタンが有効になります。"});
        SetFunctionKeyCaptions();
        return;
    }
    if (!KyoyuDataSync())
        return;
    if (DM->CallDataStatusHook(SystemDef.HostName, folder, 0, 0) == 0) {
        markBroken(gridRow);
        DataListRefresh(gridRow);
        SetFunctionKeyCaptions();
        return;
    }
    if (!DM->SetJobControl("QzTusinSettei", "SyoriType=1")) {
        infoLines({"ログインしたオペレータの処理レベルでは起動が認められていません。",
                   "一度、データを選択し、「拡張機能」＞「オペレータ登録」より「処理レベル設定」を開き、",
                   "当該レベルの「通信設定」メニューの起動を許可してください。"});
        return;
    }
    TDataInfomation checks;
    checks.Location = ConnectMode;
    if (!checks.IsDataPasswordAuth(folder) || !checks.IsDataSiyouKengen(folder)) {
        SetFunctionKeyCaptions();
        return;
    }
    bool settingsSaved = false;
    for (;;) {
        if (DataTusin->ShowCloudShareSettings(folder) != 0)
            break;
        settingsSaved = DataTusin->SettingsSaved;
        if (DataTusin->SlotChosen <= 0 || !DataTusin->SettingsSaved || !DataTusin->NeedUpload)
            break;
        pnlClient->setEnabled(false);
        pnlBottom->setEnabled(false);
        SetFunctionKeyCaptions();
        const std::int32_t sent = DataTusin->CloudShareSend(folder, "", 0);
        pnlClient->setEnabled(true);
        pnlBottom->setEnabled(true);
        if (sent >= 1 && sent <= 9) {
            info("クラウドシェア送信処理でエラーが発生しました。設定画面を開きます。");
            continue;
        }
        break;
    }
    if (settingsSaved) {
        if (TDataSentakuRec* parent = List.ParentRecordOf(gridRow)) {
            parent->CLOUD = DataTusin->SlotChosen > 0 ? 1 : 0;
            TDataInfomation writer;
            writer.Location = ConnectMode;
            writer.WriteIniValue(folder, "DATAINFO", "CLOUD_SHARE", std::to_string(parent->CLOUD), false);
            try {
                List.SaveRow(*parent);
            } catch (const std::exception& e) {
                ShowMessageDetail("", e.what());
            }
        }
    }
    DataListRefresh(gridRow);
    SelectRow(gridRow, 0);
    PerfectGrid1->setFocus(Qt::OtherFocusReason);
}

void TDataSentakuBox::btnDataInfoClick()
{
    if (!PerfectGrid1->isEnabled()) {
        info("データリストが応答状態ではないので処理は行えません。");
        return;
    }
    if (!List.Grid.HasCurrentRow())
        return;
    const int gridRow = List.Grid.CurrentRow;
    const TDataListRec* row = List.GetRowRecord(gridRow);
    if (row != nullptr && (row->KISHU != 0 || row->KIMATU != 0) && row->DATA_STATUS != 1 && DM != nullptr &&
        DM->CallDataStatusHook(SystemDef.HostName, List.GetDataPath(gridRow), 0, 0) == 0) {
        markBroken(gridRow);
        DataListRefresh(gridRow);
    }
    RowOps->ShowDataInfo(*this);
    SetFunctionKeyCaptions();
}

void TDataSentakuBox::cboxKyoyuDataAutoClick()
{
    SystemDef.KyoyuDataAuto = cboxKyoyuDataAuto->isChecked() ? 1 : 0;
    PerfectGrid1->setFocus(Qt::OtherFocusReason);
    gridActive_ = true;
    SetFunctionKeyCaptions();
}

} // namespace vq
