#include "ui/KikanCells.h"

#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/FiscalCalendar.h"

#include <algorithm>

namespace vq::ui {

namespace {

int monthOfClosing(int simeDay, double yearStart, int monthsAfter)
{
    return decodeDate(GetSimeDate(monthsAfter, simeDay, yearStart)).month;
}

// A year longer than twelve months, or a date outside it, has no cell of its
// own; such distances are held to the months the panel has.
int clampDistance(int distance, int last)
{
    return std::clamp(distance, 0, last);
}

} // namespace

int monthDistance(int simeDay, double yearStart, double date)
{
    return GetSimeMonthCount(simeDay, yearStart, date);
}

int cellOfDistance16(int d)
{
    if (d < 0 || d > 11)
        return 15;
    return d + d / 3;
}

KikanLayout kikanLayout16(int simeDay, double yearStart, double yearEnd, double firstOpen, bool kessan,
                          bool kikanMove)
{
    KikanLayout k;
    k.cells.resize(16);
    const int endDistance = clampDistance(monthDistance(simeDay, yearStart, yearEnd), 11);
    const int openDistance = clampDistance(monthDistance(simeDay, yearStart, firstOpen), endDistance);
    const int lastMonthCell = cellOfDistance16(endDistance);
    k.lastNo = lastMonthCell + 1;
    k.lastSelectable = kessan ? k.lastNo : lastMonthCell;
    k.firstSelectable = cellOfDistance16(openDistance);
    k.stno = k.firstSelectable;
    k.edno = kikanMove ? k.lastSelectable : k.stno;

    for (int i = 0; i < 16; ++i) {
        auto& c = k.cells[static_cast<std::size_t>(i)];
        c.enabled = i >= k.firstSelectable;
        if (i > k.lastNo)
            continue;
        c.period = i;
        if (i == k.lastNo) {
            c.text = "決";
            c.period = 15;
        } else if (i == 3 || i == 7 || i == 11) {
            c.text = "・";
        } else {
            c.text = std::to_string(monthOfClosing(simeDay, yearStart, i - i / 4));
        }
    }
    // Without the settlement its cell is blank and cannot be chosen, but it
    // stays the settlement period, as when KESSAN is switched off later.
    const int firstBlank = kessan ? k.lastNo + 1 : k.lastNo;
    for (int i = firstBlank; i < 16; ++i) {
        auto& c = k.cells[static_cast<std::size_t>(i)];
        c.enabled = false;
        c.text.clear();
    }
    return k;
}

KikanLayout kikanLayout12(int simeDay, double yearStart, double yearEnd, double firstOpen, bool kikanMove)
{
    KikanLayout k;
    k.cells.resize(12);
    auto position = [&](double date) {
        const int d = monthDistance(simeDay, yearStart, date);
        return (d < 0 || d > 11) ? 11 : d;
    };
    k.lastSelectable = k.lastNo = position(yearEnd);
    k.firstSelectable = std::min(position(firstOpen), k.lastSelectable);
    k.stno = k.firstSelectable;
    k.edno = kikanMove ? k.lastSelectable : k.stno;
    for (int i = 0; i < 12; ++i) {
        auto& c = k.cells[static_cast<std::size_t>(i)];
        c.period = periodOfCell12(i);
        c.enabled = i >= k.firstSelectable && i <= k.lastSelectable;
        if (i <= k.lastSelectable)
            c.text = std::to_string(monthOfClosing(simeDay, yearStart, i));
    }
    return k;
}

KikanLayout kikanLayout4(int btnCnt, int simeDay, double yearStart, double yearEnd, double firstOpen,
                         bool kikanMove)
{
    KikanLayout k;
    const int n = btnCnt == 2 ? 2 : 4;
    k.cells.resize(static_cast<std::size_t>(n));
    auto cellOf = [&](double date) {
        int d = monthDistance(simeDay, yearStart, date);
        if (d < 0 || d > 11)
            d = 11;
        return n == 2 ? d / 6 : d / 3;
    };
    k.stno = cellOf(firstOpen);
    k.edno = std::max(cellOf(yearEnd), k.stno);
    for (int i = 0; i < n; ++i) {
        auto& c = k.cells[static_cast<std::size_t>(i)];
        c.text = n == 2 ? (i == 0 ? "上" : "下") : std::to_string(i + 1);
        c.enabled = i >= k.stno && i <= k.edno;
        c.period = i;
    }
    k.firstSelectable = k.stno;
    k.lastSelectable = n - 1;
    k.lastNo = k.edno;
    if (!kikanMove)
        k.edno = k.stno;
    return k;
}

int periodOfCell12(int cell)
{
    static const int map[] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    return (cell >= 0 && cell < 12) ? map[cell] : cell;
}

} // namespace vq::ui
