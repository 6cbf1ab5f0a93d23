#pragma once
// Reading and writing a grid's settings by property name, so the base form
// can rescale any grid that offers them without knowing its class. Each name
// is looked up once per grid class and remembered; a grid that lacks the
// property throws GridPropertyError at the access.
#include <QString>

#include <stdexcept>

class QObject;

namespace vq::ui {

class GridPropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True when grid offers the spread-sheet grid's properties (it has "ColsWidth").
bool isSpreadGrid(const QObject* grid);

short getCols(const QObject* grid);
short getWindowDividerVert(const QObject* grid);
short getWindowDividerHorz(const QObject* grid);
QString getRowSep(const QObject* grid);
double getRowHeightMin(const QObject* grid);
void setRowHeightMin(QObject* grid, double value);
double getColWidthMin(const QObject* grid);
void setColWidthMin(QObject* grid, double value);
void setRedraw(QObject* grid, bool value);
short getRowsFrozen(const QObject* grid);
void setRowsFrozen(QObject* grid, short value);
QString getRowsHeight(const QObject* grid);
QString getColsWidth(const QObject* grid);
// An empty text is written as a null string.
void setColsWidth(QObject* grid, const QString& value);
void setCelHeight(QObject* grid, short index1, short index2, double value);
void setNoBeep(QObject* grid, bool value);

// How many names have been looked up so far (each name once per grid class).
int gridPropertyLookups();

} // namespace vq::ui
