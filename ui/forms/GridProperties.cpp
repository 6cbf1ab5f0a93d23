#include "ui/forms/GridProperties.h"

#include <QMetaObject>
#include <QMetaProperty>
#include <QObject>
#include <QVariant>

#include <map>
#include <string>
#include <utility>

namespace vq::ui {

namespace {

int lookups = 0;

// The property index of name in the grid's class, looked up once.
int propertyIndex(const QObject* grid, const char* name)
{
    static std::map<std::pair<const QMetaObject*, std::string>, int> cache;
    if (grid == nullptr)
        throw GridPropertyError(std::string("no grid for property ") + name);
    const QMetaObject* meta = grid->metaObject();
    const auto key = std::make_pair(meta, std::string(name));
    auto it = cache.find(key);
    if (it == cache.end()) {
        ++lookups;
        it = cache.emplace(key, meta->indexOfProperty(name)).first;
    }
    if (it->second < 0)
        throw GridPropertyError(std::string("the grid has no property ") + name);
    return it->second;
}

QVariant get(const QObject* grid, const char* name)
{
    const QMetaProperty prop = grid->metaObject()->property(propertyIndex(grid, name));
    return prop.read(grid);
}

void set(QObject* grid, const char* name, const QVariant& value)
{
    const QMetaProperty prop = grid->metaObject()->property(propertyIndex(grid, name));
    if (!prop.write(grid, value))
        throw GridPropertyError(std::string("the grid refused property ") + name);
}

} // namespace

bool isSpreadGrid(const QObject* grid)
{
    return grid != nullptr && grid->metaObject()->indexOfProperty("ColsWidth") >= 0;
}

short getCols(const QObject* grid) { return static_cast<short>(get(grid, "Cols").toInt()); }
short getWindowDividerVert(const QObject* grid) { return static_cast<short>(get(grid, "WindowDividerVert").toInt()); }
short getWindowDividerHorz(const QObject* grid) { return static_cast<short>(get(grid, "WindowDividerHorz").toInt()); }
QString getRowSep(const QObject* grid) { return get(grid, "RowSep").toString(); }
double getRowHeightMin(const QObject* grid) { return get(grid, "RowHeightMin").toDouble(); }
void setRowHeightMin(QObject* grid, double value) { set(grid, "RowHeightMin", value); }
double getColWidthMin(const QObject* grid) { return get(grid, "ColWidthMin").toDouble(); }
void setColWidthMin(QObject* grid, double value) { set(grid, "ColWidthMin", value); }
void setRedraw(QObject* grid, bool value) { set(grid, "Redraw", value); }
short getRowsFrozen(const QObject* grid) { return static_cast<short>(get(grid, "RowsFrozen").toInt()); }
void setRowsFrozen(QObject* grid, short value) { set(grid, "RowsFrozen", QVariant::fromValue(value)); }
QString getRowsHeight(const QObject* grid) { return get(grid, "RowsHeight").toString(); }
QString getColsWidth(const QObject* grid) { return get(grid, "ColsWidth").toString(); }

void setColsWidth(QObject* grid, const QString& value)
{
    set(grid, "ColsWidth", value.isEmpty() ? QString() : value);
}

void setCelHeight(QObject* grid, short index1, short index2, double value)
{
    if (grid == nullptr)
        throw GridPropertyError("no grid for CelHeight");
    if (!QMetaObject::invokeMethod(grid, "setCelHeight", Qt::DirectConnection, Q_ARG(int, index1),
                                   Q_ARG(int, index2), Q_ARG(double, value)))
        throw GridPropertyError("the grid has no CelHeight");
}

void setNoBeep(QObject* grid, bool value) { set(grid, "NoBeep", value); }

int gridPropertyLookups() { return lookups; }

} // namespace vq::ui
