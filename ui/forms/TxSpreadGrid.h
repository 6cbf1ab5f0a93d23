#pragma once
// The list grid of the library's screens. Besides being an ordinary table
// it offers the spread-sheet grid's settings as named properties (row
// height, column widths as "w|w|...", frozen rows, redraw, beep), which the
// base form reads and rewrites by name when it rescales a screen.
#include <QTableWidget>

namespace vq::ui {

class TxSpreadGrid : public QTableWidget {
    Q_OBJECT
    Q_PROPERTY(short Cols READ Cols)
    Q_PROPERTY(short WindowDividerVert READ WindowDividerVert)
    Q_PROPERTY(short WindowDividerHorz READ WindowDividerHorz)
    Q_PROPERTY(QString RowSep READ RowSep)
    Q_PROPERTY(double RowHeightMin READ RowHeightMin WRITE setRowHeightMin)
    Q_PROPERTY(double ColWidthMin READ ColWidthMin WRITE setColWidthMin)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw)
    Q_PROPERTY(short RowsFrozen READ RowsFrozen WRITE setRowsFrozen)
    Q_PROPERTY(QString RowsHeight READ RowsHeight)
    Q_PROPERTY(QString ColsWidth READ ColsWidth WRITE setColsWidth)
    Q_PROPERTY(bool NoBeep READ NoBeep WRITE setNoBeep)
public:
    explicit TxSpreadGrid(QWidget* parent = nullptr);

    short Cols() const { return static_cast<short>(columnCount()); }
    short WindowDividerVert() const { return 0; }
    short WindowDividerHorz() const { return 0; }
    QString RowSep() const { return QStringLiteral("|"); }
    double RowHeightMin() const;
    void setRowHeightMin(double value);
    double ColWidthMin() const;
    void setColWidthMin(double value);
    bool Redraw() const { return updatesEnabled(); }
    void setRedraw(bool value) { setUpdatesEnabled(value); }
    short RowsFrozen() const { return rowsFrozen_; }
    void setRowsFrozen(short value) { rowsFrozen_ = value < 0 ? short(0) : value; }
    // The heights of row 0 (the heading) and the frozen rows, each after RowSep.
    QString RowsHeight() const;
    // One entry per column and a last one, each followed by "|"; an empty
    // entry leaves that column as it is.
    QString ColsWidth() const;
    void setColsWidth(const QString& value);
    bool NoBeep() const { return noBeep_; }
    void setNoBeep(bool value) { noBeep_ = value; }
    // Height of cell row index1 (0 is the heading row); index2 is the column.
    Q_INVOKABLE void setCelHeight(int index1, int index2, double value);

private:
    short rowsFrozen_ = 0;
    bool noBeep_ = false;
};

} // namespace vq::ui
