#pragma once
// The row operations of the data selection screen that are wired to the
// data-set engines: copy and paste ([F2] twice) and delete ([F5]). The screen
// gives the focused row; these find its folder, parent and the list store,
// run the engine and bring the list and the grid up to date afterwards. The
// copy source is held here by its folder, so a sort or a list refresh between
// the two [F2] presses still pastes the data set that was marked.
#include "datasets/forms/DataSetRowOperations.h"
#include "datasets/operations/CopySource.h"
#include "datasets/operations/DataSetBackupTool.h"

namespace vq {

class TDataSetScreenOperations : public TDataSetRowOperations {
public:
    std::int32_t CopyData(TDataSentakuBox& box) override;
    std::int32_t NewData(TDataSentakuBox& box) override;
    std::int32_t AddBunsanData(TDataSentakuBox& box) override;
    std::int32_t Mochidashi(TDataSentakuBox& box) override;
    std::int32_t ReleaseKyoyu(TDataSentakuBox& box) override;
    std::int32_t AddArea(TDataSentakuBox& box) override;
    std::int32_t DeleteData(TDataSentakuBox& box) override;
    std::int32_t SaveData(TDataSentakuBox& box) override;
    std::int32_t RestoreData(TDataSentakuBox& box) override;
    std::int32_t PrintList(TDataSentakuBox& box) override;
    std::int32_t ShowDataInfo(TDataSentakuBox& box) override;
    std::int32_t AssignSharedArea(TDataSentakuBox& box) override;
    void CancelCopy(TDataSentakuBox& box) override;

    const TCopySource& Source() const { return source_; }
    DataSetBackupTool Tool;

private:
    std::int32_t markSource(TDataSentakuBox& box, int gridRow);
    std::int32_t paste(TDataSentakuBox& box, int gridRow);
    // Reloads the list and the grid and focuses the row of folder.
    static void reloadAt(TDataSentakuBox& box, const std::string& folder);

    TCopySource source_;
};

} // namespace vq
