#include "linkage/forms/DataChoice.h"

#include "datasets/CloudShareComm.h"
#include "datasets/DataSentakuListCtl.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/MessageWait.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "linkage/CompareVersion.h"
#include "linkage/forms/TForm1.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "ui/forms/TxAnimeProgressDialog.h"

#include <QTableWidget>

#include <exception>
#include <filesystem>
#include <functional>

namespace vq::linkage {

namespace {

// This program logs on as an ordinary operator: shared data and the cloud
// share are its business.
constexpr std::int32_t LogonKind = 0;

constexpr const char* ChooseAgain = "データ選択画面を開き、別のデータを選択しますか？";

// A two-line question; true when the operator wants another data set.
bool askChooseAgain(const std::string& first, const std::string& middle = {})
{
    std::string text = first + "\r";
    if (!middle.empty())
        text += middle + "\r";
    text += ChooseAgain;
    return platform::showMessage(text, platform::MessageKind::Confirmation, platform::Buttons::OkCancel) ==
           platform::ResultOk;
}

void notice(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Information, platform::Buttons::Ok);
}

void warnException(const std::exception& e)
{
    platform::showMessage(e.what(), platform::MessageKind::Warning, platform::Buttons::Ok);
}

// Runs work inside the progress window; the window closes on every path.
void withProgress(TForm1& form, const char* caption, const char* info, const std::function<void()>& work)
{
    ui::TxAnimeProgressDialog* dialog = form.xAnimeProgressDialog1;
    dialog->setCaption(QString::fromUtf8(caption));
    dialog->setInfoLabel(QString::fromUtf8(info));
    dialog->setAviFile(QString::fromStdString((platform::folders::program() / "progress.avi").string()));
    dialog->setCancelBtnShow(false);
    dialog->OnShow = [&work](QWidget*) { work(); };
    try {
        dialog->Execute(&form);
    } catch (...) {
        dialog->OnShow = nullptr;
        throw;
    }
    dialog->OnShow = nullptr;
}

void disconnectDataSet()
{
    if (DM != nullptr)
        DM->IBDatabaseDAT.disconnect();
}

// The close of the preparation steps: the data set is never left attached
// behind them, and the screen catches up.
void settle(TForm1& form)
{
    disconnectDataSet();
    form.DataConnected = false;
    WaitWithMessages(100);
}

TDataSentakuListCtl& listStore(TForm1& form)
{
    if (!form.ListStore)
        form.ListStore = std::make_unique<TDataSentakuListCtl>();
    form.ListStore->ConnectMode = ConnectMode;
    return *form.ListStore;
}

bool sharedDataApplies()
{
    return LogonKind == 0 && ConnectMode == ConnectStandAlone && !SystemDef.DataDir.empty();
}

// The data set's connection and its information; false when either failed.
bool connectAndRead(TForm1& form)
{
    form.DataConnected = DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 1);
    return form.DataConnected && DM->fnGetAccInfo();
}

void closeChecked(TForm1& form)
{
    if (DM->IBDatabaseDAT.connected())
        DM->CloseAccDat(SystemDef.DataDir, 1, 0);
    form.DataConnected = false;
}

enum class CheckResult { Usable, ChooseAgain, Stop };

// The checks inside the progress window.
CheckResult checkDataSet(TForm1& form)
{
    CheckResult result = CheckResult::Usable;
    auto failed = [&](bool again) {
        closeChecked(form);
        result = again ? CheckResult::ChooseAgain : CheckResult::Stop;
    };
    if (!connectAndRead(form)) {
        if (!askChooseAgain("データの接続に失敗しました。"))
            return CheckResult::Stop;
        return CheckResult::ChooseAgain;
    }
    DM->fnGetDataBaseVer(SystemDef.OpenDataVersion);
    if (!CompareVersion(SystemDef.OpenDataVersion, RequiredDataVersion)) {
        failed(askChooseAgain("このプログラムで処理できるデータバージョンに達していません。",
                              std::string("データバージョン:") + RequiredDataVersion + "以降のデータを選択して下さい。"));
    } else if (!DM->AskDataPassword()) {
        failed(askChooseAgain("このデータに設定されている「パスワード」と一致しませんでした。"));
    } else if (!DM->fnGetExistsOpeDefSisetu()) {
        failed(askChooseAgain("このデータを扱う権限がありません。"));
    } else if (!DM->IsAllSisetuPermitted(SystemDef.OPCODE)) {
        failed(askChooseAgain("このデータを扱う権限が不足しています。（支店毎の処理権限をすべて有していない）"));
    }
    // A connection that worked is the one a later cancel of the selection
    // returns to, unless the operator refused it here and wants none.
    if (result != CheckResult::Stop)
        form.PrevDataFolder = SystemDef.DataDir;
    return result;
}

std::string dataTypeLine()
{
    std::string typeName, codeName;
    try {
        TDM::GetDataTypeName(AccInf.DATATYPE, typeName);
        TDM::GetCodeTypeName(AccInf.DATATYPE, AccInf.CODETYPE, codeName, false);
    } catch (const std::exception&) {
        // A kind outside the tables shows without a name.
    }
    if (codeName.empty())
        return "データ区分=" + typeName;
    return "データ区分=" + typeName + "／" + codeName;
}

void showDataInfo(TForm1& form)
{
    const std::string lines[] = {
        dataTypeLine(),
        (AccInf.DATATYPE == 1 || AccInf.DATATYPE == 3 ? "会社名=" : "データ名=") + AccInf.SHOUGOU,
        "会計年度=" + std::to_string(AccInf.NENDO) + "期",
        "会計期間=" + PeriodToText(AccInf.KISHU, AccInf.KIMATU),
    };
    QTableWidget* list = form.listDataInfo;
    list->clearContents();
    list->setRowCount(0);
    for (const std::string& line : lines) {
        const auto eq = line.find('=');
        const int row = list->rowCount();
        list->insertRow(row);
        list->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(line.substr(0, eq))));
        list->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(line.substr(eq + 1))));
    }
}

void clearDataInfo(TForm1& form)
{
    // An empty list still shows one blank row.
    form.listDataInfo->clearContents();
    form.listDataInfo->setRowCount(1);
}

// One line each, in the line ends the screens' parameter reader splits at.
std::string selectionParams(const TForm1& form)
{
    return "SyoriType=3\r\nJyokenSet=1\r\nDataType=2\r\nCodeType=0\r\nDataVerMajor=" + form.ExportObj->VersionMajor;
}

} // namespace

void btnDataSentakuClick(TForm1& form)
{
    if (SelectAndConnectData(form, 3, true))
        showDataInfo(form);
    if (!form.DataConnected || SystemDef.DataDir.empty()) {
        clearDataInfo(form);
        if (DM != nullptr && DM->IBDatabaseDAT.connected())
            DM->CloseAccDat(SystemDef.DataDir, 1, 0);
        form.DataConnected = false;
    }
}

bool SelectAndConnectData(TForm1& form, std::int32_t syoriType, bool launch)
{
    (void)syoriType;
    if (DM == nullptr)
        return false;
    if (SystemDef.DataDir.empty())
        launch = true;
    SystemDef.OpenDataVersion.clear();
    bool ok = false;
    for (;;) {
        if (form.DataInUse) {
            if (DM->IBDatabaseDAT.connected())
                DM->CloseAccDat(SystemDef.DataDir, 1, 0);
            form.DataConnected = false;
            FinishDataUse(form);
        }
        bool usable = false;
        bool stop = false;
        for (;;) { // the choice, until a data set was prepared
            bool chosen = true;
            if (launch)
                chosen = StartProcessProc && StartProcessProc("QzDataSenkaku", 1, selectionParams(form)) == 1;
            launch = true;
            if (chosen || form.DataInUse) {
                if (!chosen)
                    SystemDef.DataDir = form.PrevDataFolder;
                ok = true;
            } else {
                form.PrevDataFolder.clear();
                SystemDef.DataDir.clear();
                ok = false;
            }
            if (SystemDef.DataDir.empty()) {
                stop = true;
                break;
            }
            if (!connectAndRead(form)) {
                if (askChooseAgain("データの接続に失敗しました。"))
                    continue;
                ok = false;
                stop = true;
                break;
            }
            if (PrepareDataUse(form) < 1) {
                SystemDef.DataDir = form.PrevDataFolder;
                continue;
            }
            break;
        }
        if (stop)
            break;
        form.DataInUse = true;
        CheckResult checked = CheckResult::Stop;
        withProgress(form, "接続中", "会計データに接続中です…", [&] { checked = checkDataSet(form); });
        if (checked == CheckResult::Usable) {
            usable = true;
        } else if (checked == CheckResult::Stop) {
            ok = false;
            break;
        }
        if (usable)
            break;
    }
    if (!ok && form.DataInUse)
        FinishDataUse(form);
    return ok;
}

std::int32_t PrepareDataUse(TForm1& form)
{
    std::int32_t result = 1;
    disconnectDataSet();
    form.DataConnected = false;
    if (GetSharedData(form, SystemDef.KyoyuDataAuto) < 1)
        result = 0;
    else if (CheckDataCommunication(form, false) < 1)
        result = 0;
    settle(form);
    return result;
}

void FinishDataUse(TForm1& form)
{
    disconnectDataSet();
    form.DataConnected = false;
    if (CheckDataCommunication(form, true) >= 1)
        KeepSharedData(form, SystemDef.KyoyuDataAuto);
    settle(form);
}

std::int32_t GetSharedData(TForm1& form, std::int32_t automatic)
{
    if (!sharedDataApplies())
        return 1;
    TDataSentakuListCtl& store = listStore(form);
    std::string pasName;
    std::int32_t netDrive = 0, kyoyuLock = 0;
    if (!store.ConvLocalPathToSharePath(SystemDef.DataDir, pasName, netDrive, kyoyuLock)) {
        notice("共有データパスの変換に失敗しました。データ選択画面を開きます。");
        return 0;
    }
    if (netDrive != 1 || kyoyuLock != 0)
        return 1;
    if (automatic == 0) {
        notice("このデータは共有取得が行われていません。データ選択画面を開きます。");
        return 0;
    }
    std::int32_t result = 0;
    bool failed = false;
    try {
        withProgress(form, "共有データ受信中", "共有データから受信中…", [&] {
            TDataSentakuRec row;
            store.GetRecordOfPath(SystemDef.DataDir, row);
            result = store.KyoyuDataGet(row, 1);
        });
    } catch (const std::exception& e) {
        warnException(e);
        failed = true;
    }
    if (failed)
        return 0;
    const bool dataFileThere =
        std::filesystem::exists(std::filesystem::path(SystemDef.DataDir) / AppInfo.DataFile);
    if (result == 0 || (result == 1 && !dataFileThere)) {
        notice("共有サーバーが起動していない、接続が切断されている または 共有サーバー上のデータ領域が削除された可能性があります。\r"
               "共有データパス: " + pasName);
        return 0;
    }
    if (result == 1) {
        const bool opened = DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 0) && DM->fnGetAccInfo();
        disconnectDataSet();
        if (!opened) {
            notice("このデータは破損している可能性があり、基本情報が取得できませんでした。");
            return 0;
        }
    }
    return result;
}

std::int32_t KeepSharedData(TForm1& form, std::int32_t automatic)
{
    if (!sharedDataApplies())
        return 1;
    if (SystemDef.DataBrokenFlag != 0)
        return 0;
    if (automatic == 0)
        return 1;
    TDataSentakuListCtl& store = listStore(form);
    std::string pasName;
    std::int32_t netDrive = 0, kyoyuLock = 0;
    if (!store.ConvLocalPathToSharePath(SystemDef.DataDir, pasName, netDrive, kyoyuLock)) {
        notice("共有データパスの変換に失敗しました。共有データの自動保管は行えませんでした。");
        return 0;
    }
    if (netDrive != 1 || kyoyuLock != 1)
        return 1;
    std::int32_t result = 0;
    bool damaged = false;
    try {
        withProgress(form, "共有データ送信中", "共有データへ送信中…", [&] {
            TDataSentakuRec row;
            store.GetRecordOfPath(SystemDef.DataDir, row);
            // Every part is checked, so each damaged one is told.
            if (DM->CallDataStatusHook(SystemDef.HostName, row.LOCAL_PATH, 0, 1) == 0)
                damaged = true;
            for (const TDataListRec& child : row.Children) {
                if (DM->CallDataStatusHook(SystemDef.HostName, child.LOCAL_PATH, 0, 1) == 0)
                    damaged = true;
            }
            if (!damaged)
                result = store.KyoyuDataPut(row, 1);
        });
    } catch (const std::exception& e) {
        warnException(e);
        return 0;
    }
    if (damaged) {
        notice("合算・分散データに破損したデータが存在するため、共有データの自動保管を中止します。\r"
               "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。");
        return 0;
    }
    return result;
}

std::int32_t CheckDataCommunication(TForm1& form, bool atClose)
{
    if (OemKind != 0 || ConnectMode == ConnectTerminal)
        return 1;
    if (!form.CommForm)
        form.CommForm = NewCloudShareComm();
    if (LogonKind != 0 || AccInf.CLOUD_LINE <= 0)
        return 1;
    const std::int32_t r = atClose ? form.CommForm->CloudShareSend(SystemDef.DataDir, "", 1)
                                   : form.CommForm->CloudShareReceive(SystemDef.DataDir, 1, 0);
    return (r >= 1 && r <= 9) ? -1 : 1;
}

void CloseDataSet(TForm1& form)
{
    if (!form.DataConnected || DM == nullptr)
        return;
    std::string folder = SystemDef.DataDir;
    folder.erase(0, folder.find_first_not_of(' '));
    if (folder.empty())
        return;
    std::int32_t goOn = 1;
    if (LogonKind == 0)
        goOn = CheckDataCommunication(form, true);
    if (!DM->IBDatabaseDAT.connected())
        DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 0);
    if (DM->IBDatabaseDAT.connected())
        DM->CloseAccDat(SystemDef.DataDir, 1, 1);
    form.DataConnected = false;
    if (LogonKind == 0 && goOn == 1)
        KeepSharedData(form, SystemDef.KyoyuDataAuto);
}

} // namespace vq::linkage
