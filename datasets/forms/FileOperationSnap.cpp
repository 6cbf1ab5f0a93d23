#include "datasets/forms/FileOperationSnap.h"

#include "datasets/forms/DataSetSaveRestore.h"
#include "datasets/forms/TFileOperationBox.h"
#include "datasets/forms/TFileOperationBoxEx1.h"
#include "foundation/app/SystemDef.h"

#include <string>

namespace vq {

namespace {

// The settings of the screen, without the history file: the list shows
// sample places of removable media above the default place.
template <class Dialog>
QWidget* shown(Dialog* dialog)
{
    dialog->HistoryFileName.clear();
    if (dialog->DefaultPlace.empty())
        dialog->DefaultPlace = "/home/jimusho/Documents/draxon/zeverivurev";
    dialog->PrepareShow(true);
    dialog->SetPlaceItem("/media/jimusho/USBMEMORY/backup");
    dialog->SetPlaceItem("/media/jimusho/USBMEMORY/顧問先バックアップ/2025年度");
    return dialog;
}

} // namespace

QWidget* SnapSavePlaceDialog()
{
    auto* dialog = new TFileOperationBox;
    SetupSavePlaceDialog(*dialog);
    return shown(dialog);
}

QWidget* SnapRestorePlaceDialog()
{
    auto* dialog = new TFileOperationBoxEx1;
    SetupRestorePlaceDialog(*dialog);
    return shown(dialog);
}

} // namespace vq
