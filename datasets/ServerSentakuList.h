#pragma once
// The list of the shared-data screen without the screen: the shared areas of
// one drive ("sv" and four digits below the share folder of a network drive),
// read from the cache of shared areas in the system database or rebuilt from
// the drive's folders, filtered and sorted, and written into grid data with
// the children of consolidated data below their parent. The screen shows
// Grid; the operations on areas and the tests work on this alone.
//
// Area paths keep their drive letter ("X:/zeverivurev/sv0001"), the way the
// cache stores them; files are reached through the drive map.
#include <cstdint>
#include <string>
#include <vector>

#include "datasets/DataKensakuRec.h"
#include "datasets/DataListRec.h"
#include "datasets/DataSentakuGrid.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/SentakuListCore.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

// Columns of the shared list's grid; 9 onwards are hidden and keep values.
enum ServerSentakuColumn : int {
    SvColNo = 0, SvColCode = 1, SvColCloud = 2, SvColName = 3, SvColNendo = 4, SvColKikan = 5, SvColFolder = 6,
    SvColVersion = 7, SvColSharePicture = 8, SvColShared = 9, SvColVersionNumbers = 10, SvColUpdateLock = 11,
    SvColGassan = 12, SvColParentIndex = 13, SvColChildIndex = 14, SvColDataStatus = 15, SvColCloudValue = 16,
    SvColReadOnly = 17,
};

// The most areas one drive may hold (the grid shows at least as many rows).
inline constexpr std::int32_t MaxServerAreas = 2000;

class TServerSentakuList : public TSentakuListCore {
public:
    TServerSentakuList();

    std::string ShareFolder;        // the share folder name ([Rided] ShareDir)
    bool CloudUsable = true;        // the cloud column is shown (the standard edition)
    std::string DriveLetter;        // the drive shown, empty for none
    std::string DrivePath;          // "X:/<share folder>", empty for none

    TDataInfomation DataInfo;

    void SetupColumns() override;
    // DriveLetter and DrivePath for letter (empty: no drive).
    void SetDrive(const std::string& letter);

    // Reads the stored list of the drive (or rebuilds it from the folders,
    // saving every area's description), then filters it.
    void LoadList(bool rebuild);
    // Rebuild, show, read back, show.
    void RebuildList();
    void FilterList();
    void WriteGridRow(std::int32_t gridRow, const TDataListRec& row) override;

    // A record blanked as a free area, or filled from InfoRec.
    void FillRecordFromInfo(TDataListRec& row, bool blank) const;
    // Saves the row to the cache: fully when its folder holds a database,
    // as a named empty area when it has a name, not at all otherwise.
    void SaveRow(TDataListRec& row);

    // The status of the data set in folder (InfoRec takes the description it reads):
    // a folder without database gives 0 after the warning with warnNoData,
    // else 1; a status other than 1 and 10 is reported with report.
    std::uint8_t CheckDataStatus(const std::string& folder, bool warnNoData, bool report);
    void WriteDataStatus(const std::string& folder, std::uint8_t status);
    // SHARE_STATUS of the folder's info file, read now (never the list's copy).
    std::uint8_t GetShareStatus(const std::string& folder);
    // True when SHARE_STATUS differed and was written.
    bool SetShareStatus(const std::string& folder, std::uint8_t status);
    // The data selection screen's write-back of a shared row: the cache row,
    // then the list name and the two switches into the area's info file.
    void UpdateRowInfo(const TDataListRec& row);

    // The first grid row whose folder column is folder, case ignored; -1 none.
    std::int32_t RowOfFolder(const std::string& folder) const;
    // Whether the grid row shows an area that is taken out.
    bool RowTakenOut(std::int32_t gridRow) const;

    // A click on the header of col: true when the column sorts (the list is
    // then reloaded in the new order and refilled).
    bool HeaderClick(std::int32_t col);
    void CellGotFocus(std::int32_t gridRow) override;
    void CellLostFocus(std::int32_t gridRow) override;

protected:
    void writeHeaders() override;
    // The parents are numbered in the order shown.
    void numberParentRow(std::int32_t gridRow, std::int32_t index) override { Grid.SetCellInt(gridRow, SvColNo, index + 1); }
    void showShareState(std::int32_t gridRow, const TDataListRec& row) override;

private:
    void colourRow(std::int32_t gridRow);
};

// True for the two names of an area without a named data set, and for none.
bool IsFreeAreaName(const std::string& name);

} // namespace vq
