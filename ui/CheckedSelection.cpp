#include "ui/CheckedSelection.h"

namespace vq::ui {

void CheckedSelection::tick(const QString& name)
{
    if (text_.split(QLatin1Char(','), Qt::SkipEmptyParts).contains(name))
        return;
    text_ = text_.isEmpty() ? name : text_ + QLatin1Char(',') + name;
    ++count_;
}

void CheckedSelection::untick(const QString& name)
{
    QStringList names = text_.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (!names.removeOne(name))
        return;
    text_ = names.join(QLatin1Char(','));
    --count_;
}

void CheckedSelection::selectAll(const QStringList& items)
{
    text_ = items.join(QLatin1Char(','));
    count_ = static_cast<int>(items.size());
}

void CheckedSelection::clear()
{
    text_.clear();
    count_ = 0;
}

QString CheckedSelection::displayText(TDispStyle style, const QStringList& items, bool sortDisplay,
                                      const QString& emptyValue, const QString& kensuFormat) const
{
    if (count_ <= 0)
        return emptyValue;
    if (style == dsKensu) {
        if (count_ == 1)
            return text_;
        QString out = kensuFormat;
        return out.replace(QStringLiteral("%d"), QString::number(count_));
    }
    if (!sortDisplay)
        return text_;
    const QStringList chosen = text_.split(QLatin1Char(','), Qt::SkipEmptyParts);
    QStringList ordered;
    for (const auto& item : items)
        if (chosen.contains(item) && !ordered.contains(item))
            ordered << item;
    return ordered.join(QLatin1Char(','));
}

} // namespace vq::ui
