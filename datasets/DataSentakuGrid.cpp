#include "datasets/DataSentakuGrid.h"

#include <algorithm>
#include <cstdlib>

namespace vq {

std::int32_t TDataSentakuGridRow::Int(int col) const
{
    const std::string& text = Text[static_cast<std::size_t>(col)];
    if (text.empty())
        return 0;
    return static_cast<std::int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

void TDataSentakuGrid::Clear()
{
    Rows.clear();
    CurrentRow = NoCurrentRow;
    TopRow = 0;
}

void TDataSentakuGrid::InsertRows(int at, int count)
{
    if (count <= 0)
        return;
    at = std::clamp(at, 0, RowCount());
    Rows.insert(Rows.begin() + at, static_cast<std::size_t>(count), TDataSentakuGridRow{});
    if (HasCurrentRow() && CurrentRow >= at)
        CurrentRow += count;
}

void TDataSentakuGrid::RemoveRows(int at, int count)
{
    if (at < 0 || at >= RowCount() || count <= 0)
        return;
    count = std::min(count, RowCount() - at);
    Rows.erase(Rows.begin() + at, Rows.begin() + at + count);
    if (CurrentRow != NoCurrentRow && CurrentRow >= RowCount())
        CurrentRow = RowCount() > 0 ? RowCount() - 1 : NoCurrentRow;
}

void TDataSentakuGrid::SetCurrentCell(int row, int col)
{
    if (row < 0 || row >= RowCount()) {
        CurrentRow = NoCurrentRow;
        return;
    }
    CurrentRow = row;
    CurrentCol = col;
}

} // namespace vq
