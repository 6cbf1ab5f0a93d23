#pragma once
// What the fiscal-period panels show for a fiscal year: the text, state and
// period number of each cell and which cells can be chosen. The 16-cell
// panel follows the 16-period calendar (three months, a quarter adjustment
// cell "・", ... and the settlement cell "決"); the 12-cell panel shows the
// months; the 4-cell panel quarters or half years. Dates are day numbers.
#include <string>
#include <vector>

namespace vq::ui {

struct KikanCellState {
    std::string text;
    bool enabled = true;
    int period = -1; // 0-based position in the 16-period calendar, -1 outside the year
};

struct KikanLayout {
    std::vector<KikanCellState> cells;
    int firstSelectable = 0;
    int lastSelectable = 0;
    int lastNo = 0; // 16 cells: the settlement position; 12 cells: the year-end cell
    int stno = 0;
    int edno = 0;
};

// Closing months from the fiscal-year start to date (negative before it).
int monthDistance(int simeDay, double yearStart, double date);
// The 16-cell position of a month distance: 0-2, 4-6, 8-10, 12-14; 15 outside 0..11.
int cellOfDistance16(int distance);

KikanLayout kikanLayout16(int simeDay, double yearStart, double yearEnd, double firstOpen, bool kessan,
                          bool kikanMove);
KikanLayout kikanLayout12(int simeDay, double yearStart, double yearEnd, double firstOpen, bool kikanMove);
// btnCnt 2 (half years "上", "下") or 4 (quarters "1".."4").
KikanLayout kikanLayout4(int btnCnt, int simeDay, double yearStart, double yearEnd, double firstOpen,
                         bool kikanMove);

// The 12-cell panel's fixed period numbers.
int periodOfCell12(int cell);

} // namespace vq::ui
