#pragma once
// The list grid of the data selection screen as plain data: what the screen
// shows and what its handlers read back, addressed the way the list grids
// of the library are - rows from 0, the header row -1, the columns by number,
// hidden columns (width 0) that keep values, a picture per cell, colours per
// row, and the current row 32700 when there is none. The screen draws it
// through a view adapter; the list logic and the tests work on it alone.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vq {

enum DataSentakuColumn : int {
    ColNo = 0, ColCode = 1, ColCloud = 2, ColName = 3, ColNendo = 4, ColKikan = 5, ColFolder = 6,
    ColVersion = 7, ColLockPicture = 8, ColSharePicture = 9, ColLock = 10, ColShared = 11, ColVersionNumbers = 12,
    ColUpdatePending = 13, ColGassan = 14, ColParentIndex = 15, ColChildIndex = 16, ColDataStatus = 17,
    ColCloudValue = 18, ColReadOnly = 19,
};
inline constexpr int DataSentakuColumnCount = 20;
// The current row when no row is current.
inline constexpr int NoCurrentRow = 32700;
// Upper bound of the rows the grid holds.
inline constexpr int GridMaxRows = 32000;

// Pictures: in the cloud column the cloud pictures (0 off, 1 on); in the
// lock and shared columns the grid pictures (0 empty, 1 lock, 2 shared).
enum GridPicture : std::int8_t { PicNone = -1, PicEmpty = 0, PicLock = 1, PicShared = 2 };

struct TDataSentakuGridRow {
    std::array<std::string, DataSentakuColumnCount> Text;
    std::array<std::int8_t, DataSentakuColumnCount> Picture{};
    std::int32_t RowValue = 0;
    std::uint32_t BackColor = 0xFFFFFF;   // $BBGGRR
    std::uint32_t ForeColor = 0x000000;
    bool FocusFont = false;               // the display font without style
    std::int32_t Height = 1;              // 0: not shown

    TDataSentakuGridRow() { Picture.fill(PicNone); }
    std::int32_t Int(int col) const;
    void SetInt(int col, std::int32_t value) { Text[static_cast<std::size_t>(col)] = std::to_string(value); }
};

struct TDataSentakuGrid {
    std::vector<TDataSentakuGridRow> Rows;
    std::array<std::string, DataSentakuColumnCount> Header;
    std::array<int, DataSentakuColumnCount> ColWidth{};
    std::int32_t CurrentRow = NoCurrentRow;
    std::int32_t CurrentCol = 0;
    std::int32_t TopRow = 0;
    bool Enabled = true;

    std::uint32_t BackColor = 0xFFFFFF;
    std::uint32_t OddRowBackColor = 0xFFF0E1;
    std::uint32_t ForeColor = 0x000000;
    std::uint32_t FocusBorderColor = 0x246BFF;

    std::int32_t RowCount() const { return static_cast<std::int32_t>(Rows.size()); }
    bool HasCurrentRow() const { return CurrentRow >= 0 && CurrentRow < RowCount() && CurrentRow != NoCurrentRow; }
    TDataSentakuGridRow& Row(int row) { return Rows[static_cast<std::size_t>(row)]; }
    const TDataSentakuGridRow& Row(int row) const { return Rows[static_cast<std::size_t>(row)]; }
    const std::string& Cell(int row, int col) const { return Row(row).Text[static_cast<std::size_t>(col)]; }
    std::int32_t CellInt(int row, int col) const { return Row(row).Int(col); }
    void SetCell(int row, int col, const std::string& text) { Row(row).Text[static_cast<std::size_t>(col)] = text; }
    void SetCellInt(int row, int col, std::int32_t value) { Row(row).SetInt(col, value); }
    void SetPicture(int row, int col, std::int8_t picture) { Row(row).Picture[static_cast<std::size_t>(col)] = picture; }
    std::int8_t Picture(int row, int col) const { return Row(row).Picture[static_cast<std::size_t>(col)]; }

    void Clear();
    void InsertRows(int at, int count);
    void RemoveRows(int at, int count);
    // The current cell; a row outside the grid makes no row current.
    void SetCurrentCell(int row, int col);
};

} // namespace vq
