#pragma once
// What the shared-data screen does to the areas of its list: copy one area's
// data set onto another ([F2] twice), add an empty area ([F4]), delete an
// area ([F5]) and the checks before an area is chosen ([F12]). The copy and
// paste run through the data-set engines (the paste builds the copy beside
// the target and swaps it in only when it is complete and sound).
//
// Safety: the source is marked by its folder. A reload of the list while a
// paste is pending (drive change, sort, search, refresh) cancels it, so the
// source's children are never taken from a row that moved. Paste and delete
// read the area's SHARE_STATUS again just before they act and refuse an area
// that is taken out to a computer: its working copy would overwrite the
// change when it is kept back.
#include <cstdint>
#include <functional>
#include <string>

#include "datasets/CloudShareComm.h"
#include "datasets/ServerSentakuList.h"
#include "datasets/operations/CopySource.h"
#include "datasets/operations/DataSetBackupTool.h"

namespace vq {

inline constexpr const char* SharedPasteInUseText = "このデータは他のオペレータが使用中のため貼り付けは行えません。";
inline constexpr const char* SharedDeleteInUseText = "このデータは他のオペレータが使用中のため削除は行えません。";

class TServerAreaOperations {
public:
    explicit TServerAreaOperations(TServerSentakuList& list);

    TCopySource Source;             // the marked area (Folder is its native path)
    std::int32_t CopySourceIndex = -1;
    DataSetBackupTool Tool;
    TCloudShareComm* DataTusin = nullptr;
    bool CloudUsable = false;       // cloud share can be used in this program
    // Around the long work of a paste (the screen's progress window).
    std::function<void()> BeginWork;
    std::function<void()> EndWork;

    bool PastePending() const { return Source.pending(); }

    // The copy step on a grid row: true when the area is marked (status 6).
    bool MarkSource(std::int32_t gridRow);
    // The paste step onto a grid row: 1 pasted, 0 nothing done, -1 failed.
    // The source is set free in every case; the list is reloaded after a paste.
    std::int32_t Paste(std::int32_t gridRow);
    // The pending paste is given up: the source is free again.
    void CancelPaste();

    // A new empty area from the name the operator gives; true in every case.
    bool AddArea();
    // The area of a grid row deleted with everything in it, after the agreement.
    // True when deleted or when nothing was done.
    bool DeleteData(std::int32_t gridRow, bool reportFailure);
    // The checks of the choice of a grid row: true when the area may be
    // taken; pasName and name then hold its folder and list name.
    bool ChooseArea(std::int32_t gridRow, std::string& pasName, std::string& name);

    // Reloads the stored list and the grid (a pending paste is cancelled first).
    void Reload();

private:
    void copyChildren(std::int32_t targetParent, const TCopySource& source);
    TServerSentakuList& list_;
};

} // namespace vq
