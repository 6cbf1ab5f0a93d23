#include "ui/NumericText.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace vq::ui {

QChar FilterChar(QChar ch, TEditStyle style)
{
    if (style == esNone || style > esFloatMinus)
        return ch;
    const char16_t c = ch.unicode();
    if (c == 8 || c == 9 || c == 27 || (c >= u'0' && c <= u'9'))
        return ch;
    const bool minus = style == esNumericMinus || style == esFloatMinus;
    const bool point = style == esFloat || style == esFloatMinus;
    if ((c == u'-' && minus) || (c == u'.' && point))
        return ch;
    return QChar(0);
}

double TextToCurr(const QString& text)
{
    QString plain = text;
    plain.remove(QLatin1Char(','));
    bool ok = false;
    const double v = plain.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0.0;
    return std::round(v * 10000.0) / 10000.0;
}

bool HasNonZeroValue(const QString& text)
{
    return TextToCurr(text) != 0.0;
}

bool EmptyOrHasPoint(const QString& text)
{
    return text.isEmpty() || text.contains(QLatin1Char('.'));
}

int CountOf(const QString& text, const QString& sub)
{
    if (sub.isEmpty())
        return 0;
    return static_cast<int>(text.count(sub));
}

QString CurrToStr(double value)
{
    QString s = QString::number(std::round(value * 10000.0) / 10000.0, 'f', 4);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

namespace {

QString formatSection(const QString& picture, double value)
{
    // Split the picture into a literal prefix, the number part and a suffix.
    auto isNumberChar = [](QChar c) { return c == u'0' || c == u'#' || c == u',' || c == u'.'; };
    qsizetype first = 0;
    while (first < picture.size() && !isNumberChar(picture[first]))
        ++first;
    qsizetype last = picture.size();
    while (last > first && !isNumberChar(picture[last - 1]))
        --last;
    const QString prefix = picture.left(first);
    const QString suffix = picture.mid(last);
    const QString number = picture.mid(first, last - first);
    if (number.isEmpty())
        return picture;

    const qsizetype point = number.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? number : number.left(point);
    const QString decPart = point < 0 ? QString() : number.mid(point + 1);
    const bool grouping = intPart.contains(QLatin1Char(','));
    const int minInt = static_cast<int>(intPart.count(QLatin1Char('0')));
    const int minDec = static_cast<int>(decPart.count(QLatin1Char('0')));
    const int maxDec = minDec + static_cast<int>(decPart.count(QLatin1Char('#')));

    QString digits = QString::number(std::fabs(value), 'f', maxDec);
    QString whole = digits, frac;
    if (const qsizetype p = digits.indexOf(QLatin1Char('.')); p >= 0) {
        whole = digits.left(p);
        frac = digits.mid(p + 1);
    }
    while (frac.size() > minDec && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (whole == QLatin1String("0") && minInt == 0)
        whole.clear();
    while (whole.size() < minInt)
        whole.prepend(QLatin1Char('0'));
    if (grouping) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char(','));
    }
    QString out = whole;
    if (!frac.isEmpty())
        out += QLatin1Char('.') + frac;
    return prefix + out + suffix;
}

} // namespace

QString FormatFloat(const QString& picture, double value)
{
    const QStringList sections = picture.split(QLatin1Char(';'));
    if (value == 0.0 && sections.size() >= 3 && !sections[2].isEmpty())
        return formatSection(sections[2], 0.0);
    if (value < 0.0 && sections.size() >= 2 && !sections[1].isEmpty())
        return formatSection(sections[1], value);
    QString text = formatSection(sections[0], value);
    // A value that rounds to zero in the picture prints no sign.
    if (value < 0.0 && text.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        text.prepend(QLatin1Char('-'));
    return text;
}

} // namespace vq::ui
