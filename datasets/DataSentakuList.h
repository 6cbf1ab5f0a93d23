#pragma once
// The list of the data selection screen without the screen: the data list of
// one data place loaded from the store, the search conditions and sort in
// force, the rows that pass them, and the grid rows written from them (a
// parent row with its distributed children below it), with the row colours,
// the update test of each row, the header sort, the incremental search by
// code and the refresh of rows from the data sets on disk.
//
// The screen owns one, shows its Grid and calls it from its handlers; the
// tests and the benchmark drive it alone.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "datasets/DataKensakuRec.h"
#include "datasets/DataListRec.h"
#include "datasets/DataRowChecks.h"
#include "datasets/DataSentakuGrid.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/SentakuListCore.h"
#include "dbupdate/DbVersionTest.h"
#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

// Display colours ($BBGGRR).
inline constexpr std::uint32_t kBrokenRowColor = 0x0000FF;    // red
inline constexpr std::uint32_t kUpdatePendingColor = 0x808080; // grey
inline constexpr std::uint32_t kServerOddRowColor = 0xFFF0E1;  // light blue
inline constexpr std::uint32_t kServerFocusColor = 0x804000;   // dark blue
inline constexpr std::uint32_t kListBackColor = 0xFFFFFF;      // stand-alone list colours
inline constexpr std::uint32_t kListOddRowColor = 0xE1F0FF;
inline constexpr std::uint32_t kListFocusColor = 0x246BFF;

class TDataSentakuList : public TSentakuListCore {
public:
    TDataSentakuList();

    std::uint8_t ConnectMode = 0;   // copied from the run state at creation
    std::int32_t SyoriType = 0;
    bool CloudUsable = false;       // the cloud-share column is shown

    bool SearchActive = false;      // a search is in force (the cancel button is enabled)
    std::int32_t PlaceRec = 0;
    std::int32_t RefillIndex = 0;
    TDbVersionTest DbUpdateBox;     // only its version test runs

    // Column widths, header texts and colours by connection mode.
    void SetupColumns() override;

    // Loads the place's list in the store's order for SortCol, then filters
    // it; the number of parent rows loaded (before filtering).
    std::int32_t LoadList();
    void FilterList();
    void WriteGridRow(std::int32_t gridRow, const TDataListRec& row) override;
    // The row's shared state into its hidden column and picture.
    void ShowKyoyuState(std::int32_t gridRow, const TDataListRec& row);

    // Grid row -> folder.
    std::string GetDataPath(std::int32_t gridRow) const;
    // By 0 a grid row, 1 a parent index.
    std::int32_t GetKyoyuState(std::int32_t by, std::int32_t index) const;
    std::int32_t DisplayIndexOf(std::int32_t gridRow) const;
    // True when the row must not be chosen: update steps pending under an
    // update lock. Ask runs the version test and keeps its answer in the row.
    bool CheckDbUpdateNeeded(std::int32_t gridRow, bool ask);

    // The data folder with the data root shown as "~".
    static std::string FolderColumnText(const std::string& pasName);

    // A click on the header of col: sorts and refills, keeping the row that
    // was current. False when the column does not sort (or no row is current).
    bool HeaderClick(std::int32_t col);
    void CellGotFocus(std::int32_t gridRow) override;
    void CellLostFocus(std::int32_t gridRow) override;
    // The first grid row whose data path is folder (case ignored), current,
    // with six shown rows above it where there are; -1 when none.
    std::int32_t ScrollToFolder(const std::string& folder);
    // Reloads and refills, then focuses the row of rec (REC and folder).
    void LocateRow(std::int32_t topRow, const TDataListRec& rec);

    // --- re-reading rows from the data sets ---------------------------------
    // Fills a record from InfoRec, or blanks it (clear).
    void FillRecordFromInfo(TDataListRec& row, bool clear) const;
    // Writes a row back through the store; a folder of blanks raises.
    void SaveRow(const TDataListRec& row);
    // One grid row re-read from its data set, or every row (-1) with
    // progress(row) called before each; progress answering false stops.
    bool DataListRefresh(std::int32_t gridRow, const std::function<bool(std::int32_t)>& progress = {});

protected:
    void writeHeaders() override;
    void numberParentRow(std::int32_t, std::int32_t) override {} // the row shows its slot number
    void showShareState(std::int32_t gridRow, const TDataListRec& row) override { ShowKyoyuState(gridRow, row); }

private:
    void refreshOne(std::int32_t gridRow);
    void colourRow(std::int32_t gridRow, bool pending);
    std::int32_t gridRowOfParent(std::int32_t parentIndex) const;
};

// Maps a search-condition sort column to the store's sort type.
std::uint8_t StoreSortTypeOf(std::int32_t sortCol);

} // namespace vq
