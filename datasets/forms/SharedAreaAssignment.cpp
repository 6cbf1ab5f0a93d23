// The shared-data fetch on a blank row of the data selection screen: the
// shared-data screen chooses an area, the row is bound to it and the area's
// data set is taken into the row's local working folder.
#include "datasets/forms/DataSetScreenOperations.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TServerSentakuBox.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/forms/FlushInputMessages.h"
#include "foundation/text/TextUtils.h"
#include "ui/ModalResult.h"
#include "ui/forms/TxAnimeProgressDialog.h"

#include <QApplication>

namespace vq {

namespace {

// The selection screen keeps one shared-data screen for its whole life, so
// that the sort chosen there survives between showings.
TServerSentakuBox& sharedScreenOf(TDataSentakuBox& box)
{
    if (auto* screen = box.findChild<TServerSentakuBox*>(QString(), Qt::FindDirectChildrenOnly))
        return *screen;
    auto* screen = new TServerSentakuBox(&box);
    screen->setWindowFlag(Qt::Window);
    return *screen;
}

} // namespace

std::int32_t TDataSetScreenOperations::AssignSharedArea(TDataSentakuBox& box)
{
    if (!box.List.Grid.HasCurrentRow())
        return 0;
    const int gridRow = box.List.Grid.CurrentRow;
    const TGridRowKey key = box.List.KeyOf(gridRow);
    if (key.Parent < 0 || key.Parent >= static_cast<std::int32_t>(box.List.Rows.size()))
        return 0;

    TServerSentakuBox& screen = sharedScreenOf(box);
    screen.DriveLetter = TrimZenSpace(SystemDef.ZenkaiDrive);
    screen.PrepareShow(true);
    box.hide();
    const int answer = screen.exec();
    if (answer != ui::mrOk) {
        box.show();
        return 0;
    }

    ui::TxAnimeProgressDialog* progress = box.xAnimeProgressDialog1;
    progress->setCaption(QStringLiteral("共有データ受信中"));
    progress->setInfoLabel(QStringLiteral("共有データから受信中…"));
    progress->setCancelBtnShow(false);
    progress->Execute(&box);
    std::int32_t result = 0;
    std::string local;
    try {
        SystemDef.ZenkaiDrive = screen.DriveLetter;
        if (DM != nullptr && DM->IBDatabaseDEF.connected())
            DM->fnPutSysDef();
        TDataSentakuRec& row = box.List.Rows[static_cast<std::size_t>(key.Parent)];
        row.NETDRIVE = 1;
        row.PASNAME = screen.SelPasName;
        row.ENTTEXT = screen.SelName;
        row.DISP_NAME = screen.SelName;
        local = box.List.ListCtl.MakeLocalPath(row);
        row.LOCAL_PATH = local;
        result = box.List.ListCtl.KyoyuDataGet(row, 0);
        if (result == 0) {
            TDataInfomation info;
            info.Location = ConnectMode;
            info.WriteShareStatus(screen.SelPasName, ShareStatusFree);
        }
    } catch (const std::exception& e) {
        ShowMessageDetail("共有データの取得に失敗しました。", e.what());
        result = 0;
    }
    box.LoadList();
    box.FillGrid(-1);
    if (!local.empty() && box.List.ScrollToFolder(local) >= 0)
        box.SelectRow(box.List.Grid.CurrentRow);
    if (progress->Handle() != nullptr)
        progress->Close();
    FlushInputMessages(&box);
    box.show();
    return result;
}

} // namespace vq
