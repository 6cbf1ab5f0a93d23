#pragma once
// The view adapter of the data selection screen's list: a table model over
// the screen's grid data (TDataSentakuGrid), so thousands of rows scroll and
// refill without a widget or an item per cell. Hidden columns keep their
// values in the grid data and are hidden in the view; pictures come from
// the two picture lists the screen holds.
#include <QAbstractTableModel>
#include <QPixmap>
#include <QTableView>

#include <array>
#include <vector>

#include "datasets/DataSentakuGrid.h"

namespace vq {

class TDataSentakuGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TDataSentakuGridModel(TDataSentakuGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The whole grid was rebuilt, or one row rewritten.
    void Reset();
    void RowChanged(int row);
    void HeaderChanged();

    // Grid pictures (0 empty, 1 lock, 2 shared) and cloud pictures (0 off, 1 on).
    std::vector<QPixmap> GridPictures;
    std::vector<QPixmap> CloudPictures;
    QFont FocusFont;

private:
    TDataSentakuGrid& grid_;
};

// The list grid: a table view over the model, one row at a time selected.
class TDataSentakuGridView : public QTableView {
    Q_OBJECT
public:
    explicit TDataSentakuGridView(QWidget* parent = nullptr);
    // Column widths from the grid data (0 hides a column).
    void ApplyColumns(const TDataSentakuGrid& grid);
    // Makes the grid data's current row current in the view.
    void ShowCurrent(const TDataSentakuGrid& grid);
};

} // namespace vq
