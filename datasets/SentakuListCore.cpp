#include "datasets/SentakuListCore.h"

#include <algorithm>

#include "datasets/DataListSql.h"
#include "platform/Cp932.h"

namespace vq {

TSentakuListCore::TSentakuListCore(TSentakuKeyColumns keys, const char* const* headers, int columnCount,
                                   int firstCol)
    : keys_(keys), headers_(headers), columnCount_(columnCount), firstCol_(firstCol)
{
}

void TSentakuListCore::writeHeaders()
{
    for (int c : {0, 1, 3, 4, 5, 6, 7})
        Grid.Header[static_cast<std::size_t>(c)] = headers_[c];
    if (SortCol >= 0 && SortCol < columnCount_)
        Grid.Header[static_cast<std::size_t>(SortCol)] += SortDesc ? "▼" : "▲";
}

void TSentakuListCore::FillGrid(std::int32_t index)
{
    if (index < 0) {
        Grid.Clear();
        writeHeaders();
        const int n = std::min<int>(static_cast<int>(DispIndex.size()), GridMaxRows);
        if (n > 0) {
            Grid.InsertRows(0, n);
            FillRow = 0;
            for (int i = 0; i < n; ++i) {
                FillGrid(i);
                ++FillRow;
            }
        }
        if (Grid.RowCount() > 0)
            Grid.SetCurrentCell(0, firstCol_);
        return;
    }
    if (index >= static_cast<std::int32_t>(DispIndex.size()) || FillRow < 0 || FillRow >= Grid.RowCount())
        return;
    const std::int32_t parentIndex = DispIndex[static_cast<std::size_t>(index)];
    TDataSentakuRec& parent = Rows[static_cast<std::size_t>(parentIndex)];
    if (!IsParentKind(parent.GASSAN))
        return;
    WriteGridRow(FillRow, parent);
    numberParentRow(FillRow, index);
    Grid.SetCellInt(FillRow, keys_.ParentIndex, parentIndex);
    showShareState(FillRow, parent);

    // Children written before are replaced by the parent's children now.
    int stale = 0;
    for (int r = FillRow + 1; r < Grid.RowCount(); ++r) {
        if (Grid.Cell(r, keys_.ParentIndex).empty() || Grid.CellInt(r, keys_.ParentIndex) != parentIndex ||
            Grid.CellInt(r, keys_.Gassan) != GassanDistributedChild || Grid.CellInt(r, keys_.ChildIndex) < 0)
            break;
        ++stale;
    }
    if (stale > 0)
        Grid.RemoveRows(FillRow + 1, stale);
    ListCtl.NumberChildNames(parent);
    const int children = static_cast<int>(parent.Children.size());
    if (children <= 0)
        return;
    Grid.InsertRows(FillRow + 1, children);
    for (int j = 0; j < children; ++j) {
        ++FillRow;
        const TDataListRec& child = parent.Children[static_cast<std::size_t>(j)];
        WriteGridRow(FillRow, child);
        Grid.SetCell(FillRow, 0, "");
        Grid.SetCellInt(FillRow, keys_.ParentIndex, parentIndex);
        Grid.SetCellInt(FillRow, keys_.ChildIndex, j);
        showShareState(FillRow, child);
    }
}

TGridRowKey TSentakuListCore::KeyOf(std::int32_t gridRow) const
{
    if (gridRow < 0 || gridRow >= Grid.RowCount())
        return {0, -1, -1};
    return {Grid.CellInt(gridRow, keys_.Gassan), Grid.CellInt(gridRow, keys_.ParentIndex),
            Grid.CellInt(gridRow, keys_.ChildIndex)};
}

const TDataListRec* TSentakuListCore::GetRowRecord(std::int32_t gridRow) const
{
    return vq::GetRowRecord(Rows, KeyOf(gridRow));
}

TDataListRec* TSentakuListCore::GetRowRecord(std::int32_t gridRow)
{
    return vq::GetRowRecord(Rows, KeyOf(gridRow));
}

TDataSentakuRec* TSentakuListCore::ParentRecordOf(std::int32_t gridRow)
{
    const TGridRowKey key = KeyOf(gridRow);
    if (key.Parent < 0 || key.Parent >= static_cast<std::int32_t>(Rows.size()))
        return nullptr;
    return &Rows[static_cast<std::size_t>(key.Parent)];
}

std::int32_t TSentakuListCore::FindParentRow(std::int32_t gridRow) const
{
    if (gridRow < 0 || gridRow >= Grid.RowCount() || IsParentKind(Grid.CellInt(gridRow, keys_.Gassan)))
        return gridRow;
    const std::int32_t parent = Grid.CellInt(gridRow, keys_.ParentIndex);
    for (int r = 0; r < Grid.RowCount(); ++r)
        if (IsParentKind(Grid.CellInt(r, keys_.Gassan)) && Grid.CellInt(r, keys_.ParentIndex) == parent &&
            Grid.CellInt(r, keys_.ChildIndex) == 0)
            return r;
    return gridRow;
}

std::int32_t TSentakuListCore::FindCode(const std::string& text) const
{
    constexpr int codeCol = 1; // the code column of both lists
    if (text.empty() || Grid.RowCount() == 0)
        return -1;
    const std::string wanted = datalist::upperAscii(text);
    const std::size_t bytes = platform::cp932::byteLength(text);
    auto matches = [&](int r) {
        return Grid.Row(r).Height != 0 && datalist::upperAscii(platform::cp932::cutBytes(Grid.Cell(r, codeCol), bytes)) == wanted;
    };
    const int current = Grid.HasCurrentRow() ? Grid.CurrentRow : -1;
    for (int r = current + 1; r < Grid.RowCount(); ++r)
        if (matches(r))
            return r;
    for (int r = 0; r <= current && r < Grid.RowCount(); ++r)
        if (matches(r))
            return r;
    return -1;
}

} // namespace vq
