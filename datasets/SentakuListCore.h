#pragma once
// What the list of the data selection screen and the list of the shared-data
// screen have alike: the store, the rows loaded and the display order that
// passes the search, the sort in force, and the grid data written from them
// (each parent with its distributed-input children below it), the way from a
// grid row back to its record, and the incremental search by code. Each list
// writes its own columns, headers and share state.
#include <cstdint>
#include <string>
#include <vector>

#include "datasets/DataKensakuRec.h"
#include "datasets/DataListRec.h"
#include "datasets/DataRowChecks.h"
#include "datasets/DataSentakuGrid.h"
#include "datasets/DataSentakuListCtl.h"
#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

// Where a list keeps a row's kind and its place among the records.
struct TSentakuKeyColumns {
    int Gassan = 0;
    int ParentIndex = 0;
    int ChildIndex = 0;
};

class TSentakuListCore {
public:
    virtual ~TSentakuListCore() = default;

    TDataSentakuListCtl ListCtl;
    TDataSentakuRecArray Rows;
    TDataListArray ChildRows;
    std::vector<std::int32_t> DispIndex;
    TDataKensakuRec Search;
    std::int32_t SortCol = -1;
    bool SortDesc = false;
    TDataSentakuGrid Grid;
    std::int32_t FillRow = 0;
    TDataInfomationRec InfoRec;

    // Column widths, header texts and colours.
    virtual void SetupColumns() = 0;

    // -1 the whole grid; i >= 0 the parent at display position i (and its
    // children) written at grid row FillRow.
    void FillGrid(std::int32_t index);
    virtual void WriteGridRow(std::int32_t gridRow, const TDataListRec& row) = 0;

    // Grid row -> data-list row.
    TGridRowKey KeyOf(std::int32_t gridRow) const;
    const TDataListRec* GetRowRecord(std::int32_t gridRow) const;
    TDataListRec* GetRowRecord(std::int32_t gridRow);
    // The parent record of a grid row (the row itself for a parent); nullptr past the rows.
    TDataSentakuRec* ParentRecordOf(std::int32_t gridRow);
    // The parent's grid row of a child row (the row itself for a parent).
    std::int32_t FindParentRow(std::int32_t gridRow) const;
    // The next shown row after the current one (wrapping round) whose code
    // starts with text, letter case ignored; -1 when none.
    std::int32_t FindCode(const std::string& text) const;

    // Focus colouring of the current row.
    virtual void CellGotFocus(std::int32_t gridRow) = 0;
    virtual void CellLostFocus(std::int32_t gridRow) = 0;

protected:
    // headers: the header texts of the list's columns (columnCount of them);
    // firstCol: the column made current after a whole fill.
    TSentakuListCore(TSentakuKeyColumns keys, const char* const* headers, int columnCount, int firstCol);

    // The header texts of the whole fill with the sort mark; the list adds its picture column's.
    virtual void writeHeaders();
    // The parent written at gridRow from display position index, before its children.
    virtual void numberParentRow(std::int32_t gridRow, std::int32_t index) = 0;
    // The row's shared state into its hidden column and picture.
    virtual void showShareState(std::int32_t gridRow, const TDataListRec& row) = 0;

    const TSentakuKeyColumns keys_;

private:
    const char* const* headers_;
    int columnCount_;
    int firstCol_;
};

} // namespace vq
