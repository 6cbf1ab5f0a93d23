#include "ui/forms/TxSpreadGrid.h"

#include "ui/FormFont.h"

#include <QHeaderView>
#include <QStringList>

#include <cmath>
#include <vector>

namespace vq::ui {

TxSpreadGrid::TxSpreadGrid(QWidget* parent)
    : QTableWidget(parent)
{
    setFont(formFont());
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(64);
    horizontalHeader()->setHighlightSections(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

double TxSpreadGrid::RowHeightMin() const
{
    return verticalHeader()->defaultSectionSize();
}

void TxSpreadGrid::setRowHeightMin(double value)
{
    const int h = std::max(1, static_cast<int>(std::lround(value)));
    verticalHeader()->setDefaultSectionSize(h);
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, h);
}

double TxSpreadGrid::ColWidthMin() const
{
    return horizontalHeader()->defaultSectionSize();
}

void TxSpreadGrid::setColWidthMin(double value)
{
    // A new default would resize every column; the widths set stay.
    std::vector<int> widths;
    for (int c = 0; c < columnCount(); ++c)
        widths.push_back(columnWidth(c));
    horizontalHeader()->setDefaultSectionSize(std::max(1, static_cast<int>(std::lround(value))));
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
}

QString TxSpreadGrid::RowsHeight() const
{
    QString out = RowSep() + QString::number(horizontalHeader()->height());
    for (int r = 0; r < rowsFrozen_ && r < rowCount(); ++r)
        out += RowSep() + QString::number(rowHeight(r));
    return out;
}

QString TxSpreadGrid::ColsWidth() const
{
    QString out;
    for (int c = 0; c < columnCount(); ++c)
        out += QString::number(columnWidth(c)) + QLatin1Char('|');
    return out + QLatin1Char('|');
}

void TxSpreadGrid::setColsWidth(const QString& value)
{
    const QStringList entries = value.split(QLatin1Char('|'));
    for (int c = 0; c < columnCount() && c < entries.size(); ++c) {
        bool ok = false;
        const double w = entries[c].trimmed().toDouble(&ok);
        if (ok && w >= 0)
            setColumnWidth(c, static_cast<int>(std::lround(w)));
    }
}

void TxSpreadGrid::setCelHeight(int index1, int /*index2*/, double value)
{
    const int h = std::max(1, static_cast<int>(std::lround(value)));
    if (index1 == 0)
        horizontalHeader()->setFixedHeight(h);
    else if (index1 - 1 < rowCount())
        setRowHeight(index1 - 1, h);
}

} // namespace vq::ui
