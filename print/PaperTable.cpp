#include "print/PaperTable.h"

#include <QSizeF>

#include <cmath>

namespace vq::print {
namespace {

struct Paper {
    int code;
    int width;
    int height;
};

constexpr Paper kPapers[] = {
    {8, 297, 420}, {9, 210, 297},  {11, 148, 210}, {12, 257, 364}, {13, 182, 257}, {16, 254, 356},
    {17, 280, 432}, {44, 229, 280}, {45, 254, 280}, {46, 381, 280}, {90, 305, 280},
};

// Job paper, printer paper: the pairs the engine stretches between.
constexpr int kPairs[][2] = {{8, 9}, {8, 12}, {9, 11}, {9, 13}, {12, 13}, {12, 9}, {13, 9}, {9, 12}, {9, 8}, {12, 8}};

const Paper* find(int code)
{
    for (const auto& p : kPapers)
        if (p.code == code)
            return &p;
    return nullptr;
}

double perMille(int to, int from)
{
    return std::nearbyint(1000.0 * to / from);
}

} // namespace

PaperSizeMM PaperMM(std::int32_t code, PrintableArea printable)
{
    if (const Paper* p = find(code))
        return {p->width, p->height, false};
    return {printable.width, printable.height + 20, true};
}

QPageSize pageSizeOfCode(std::int32_t code, PrintableArea userSize)
{
    if (const Paper* p = find(code))
        return QPageSize(QSizeF(p->width, p->height), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    if (const QPageSize::PageSizeId id = QPageSize::id(code); id != QPageSize::Custom)
        return QPageSize(id);
    if (userSize.width > 0 && userSize.height > 0)
        return QPageSize(QSizeF(userSize.width, userSize.height), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    return QPageSize(QPageSize::A4);
}

PrintableArea sheetOfCode(std::int32_t code, PrintableArea userSize)
{
    const QSizeF mm = pageSizeOfCode(code, userSize).size(QPageSize::Millimeter);
    return {static_cast<int>(std::lround(mm.width())), static_cast<int>(std::lround(mm.height()))};
}

PaperRatios PaperRatio(std::int32_t jobPaper, std::int32_t printerPaper, std::int32_t vratio, std::int32_t hratio)
{
    if (jobPaper == printerPaper)
        return {static_cast<double>(vratio), static_cast<double>(hratio)};
    for (const auto& pair : kPairs)
        if (pair[0] == jobPaper && pair[1] == printerPaper) {
            const Paper* job = find(jobPaper);
            const Paper* printer = find(printerPaper);
            return {perMille(printer->height, job->height), perMille(printer->width, job->width)};
        }
    return {};
}

} // namespace vq::print
