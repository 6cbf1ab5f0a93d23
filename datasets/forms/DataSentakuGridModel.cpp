#include "datasets/forms/DataSentakuGridModel.h"

#include <QHeaderView>

namespace vq {

namespace {

QColor colourOf(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

Qt::Alignment alignmentOf(int col)
{
    switch (col) {
    case ColNo: return Qt::AlignRight | Qt::AlignVCenter;
    case ColCode:
    case ColName:
    case ColFolder: return Qt::AlignLeft | Qt::AlignVCenter;
    default: return Qt::AlignCenter;
    }
}

bool isPictureColumn(int col)
{
    return col == ColCloud || col == ColLockPicture || col == ColSharePicture;
}

} // namespace

TDataSentakuGridModel::TDataSentakuGridModel(TDataSentakuGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid)
{
}

int TDataSentakuGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.RowCount();
}

int TDataSentakuGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : DataSentakuColumnCount;
}

QVariant TDataSentakuGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= grid_.RowCount())
        return {};
    const TDataSentakuGridRow& row = grid_.Row(index.row());
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (isPictureColumn(col))
            return {};
        return QString::fromStdString(row.Text[static_cast<std::size_t>(col)]);
    case Qt::DecorationRole: {
        if (!isPictureColumn(col))
            return {};
        const int picture = row.Picture[static_cast<std::size_t>(col)];
        const auto& list = col == ColCloud ? CloudPictures : GridPictures;
        if (picture < 0 || picture >= static_cast<int>(list.size()))
            return {};
        return list[static_cast<std::size_t>(picture)];
    }
    case Qt::BackgroundRole:
        return colourOf(row.BackColor);
    case Qt::ForegroundRole:
        return colourOf(row.ForeColor);
    case Qt::FontRole:
        if (row.FocusFont)
            return FocusFont;
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(col));
    default:
        return {};
    }
}

QVariant TDataSentakuGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= DataSentakuColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromStdString(grid_.Header[static_cast<std::size_t>(section)]);
    if (role == Qt::TextAlignmentRole && (section <= ColSharePicture || section == ColVersionNumbers ||
                                          section == ColUpdatePending))
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

void TDataSentakuGridModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void TDataSentakuGridModel::RowChanged(int row)
{
    if (row < 0 || row >= grid_.RowCount())
        return;
    emit dataChanged(index(row, 0), index(row, DataSentakuColumnCount - 1));
}

void TDataSentakuGridModel::HeaderChanged()
{
    emit headerDataChanged(Qt::Horizontal, 0, DataSentakuColumnCount - 1);
}

TDataSentakuGridView::TDataSentakuGridView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    setTabKeyNavigation(false);
    setWordWrap(false);
}

void TDataSentakuGridView::ApplyColumns(const TDataSentakuGrid& grid)
{
    for (int c = 0; c < DataSentakuColumnCount; ++c) {
        const int width = grid.ColWidth[static_cast<std::size_t>(c)];
        setColumnHidden(c, width == 0);
        if (width > 0)
            setColumnWidth(c, width);
    }
}

void TDataSentakuGridView::ShowCurrent(const TDataSentakuGrid& grid)
{
    if (!grid.HasCurrentRow() || model() == nullptr) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
        return;
    }
    int col = grid.CurrentCol;
    if (isColumnHidden(col))
        col = ColNo;
    const QModelIndex at = model()->index(grid.CurrentRow, col);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(at);
}

} // namespace vq
