#include "datasets/forms/DataListPrint.h"

#include "datasets/PrDataList.h"
#include "datasets/forms/DataSetScreenOperations.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TDataSentakuPrintDlg.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/Interaction.h"

#include <exception>

namespace vq {

std::int32_t PrintDataList(QWidget* owner, const DataListPrintRequest& request)
{
    print::TDefaultPrintRec rec;
    int kind = 0;
    std::int32_t orientation = 0;
    {
        TDataSentakuPrintDlg dlg(owner);
        print::InitDefaultPrintRec(rec);
        rec.ReportName = "DataSentakuList";
        dlg.PrintRec = &rec;
        dlg.DlgCaption = request.Caption;
        dlg.MainText = request.MainText;
        if (!request.Hint.empty())
            ui::TBSDI::setHint(&dlg, QString::fromStdString(request.Hint));
        dlg.ShowPreview = true;
        dlg.ShowCopy = false;
        dlg.Setup(1);
        if (dlg.exec() != QDialog::Accepted)
            return 0;
        kind = dlg.PrintResult;
        orientation = dlg.Orientation;
    }
    if (kind != 1 && kind != 2)
        return 0;
    try {
        TPrDataList list;
        list.PrintRec = rec;
        list.ListKind = request.ListKind;
        if (request.Rows)
            list.ListRows = *request.Rows;
        if (request.DispIndex)
            list.ListDispIndex = *request.DispIndex;
        list.Orientation = orientation;
        list.Print(kind == 1, 1, 1);
    } catch (const std::exception& e) {
        ShowMessageDetail("データリストの印刷に失敗しました。", e.what());
        return 0;
    }
    return 1;
}

std::int32_t TDataSetScreenOperations::PrintList(TDataSentakuBox& box)
{
    if (box.List.DispIndex.empty()) {
        platform::showMessage("データリストが絞り込みにより表示されていません。\r", platform::MessageKind::Information);
        return 0;
    }
    DataListPrintRequest request;
    request.ListKind = 0;
    request.Rows = &box.List.Rows;
    request.DispIndex = &box.List.DispIndex;
    request.Caption = "データリストの印刷";
    request.MainText = "データリストを印刷します。";
    request.Hint = "［OK］を押すとﾃﾞｰﾀ選択ﾘｽﾄの印刷を実行します。印刷ｲﾒｰｼﾞを確認する場合は［ﾌﾟﾚﾋﾞｭｰ］を押します。";
    return PrintDataList(&box, request);
}

} // namespace vq
