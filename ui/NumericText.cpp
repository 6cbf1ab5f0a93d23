#include "ui/NumericText.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace vq::ui {

namespace {

bool floatStyle(TEditStyle s) { return s == esFloat || s == esFloatMinus; }
bool minusStyle(TEditStyle s) { return s == esNumericMinus || s == esFloatMinus; }

// A number written as text: its sign, the digits before the point (at least
// "0", no leading zeros) and those after it.
struct Decimal {
    bool negative = false;
    QString whole = QStringLiteral("0");
    QString frac;
};

// text without "," and surrounding blanks; nullopt when it is not a number.
std::optional<Decimal> parseDecimal(const QString& text)
{
    QString t = text;
    t.remove(QLatin1Char(','));
    t = t.trimmed();
    Decimal d;
    d.whole.clear();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        d.negative = t[i++] == u'-';
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        (point ? d.frac : d.whole) += c;
    }
    if (d.whole.isEmpty() && d.frac.isEmpty())
        return std::nullopt;
    while (d.whole.size() > 1 && d.whole.front() == u'0')
        d.whole.remove(0, 1);
    if (d.whole.isEmpty())
        d.whole = QStringLiteral("0");
    return d;
}

bool allZero(const QString& digits)
{
    return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0' || c == u'.'; });
}

bool isZero(const Decimal& d)
{
    return allZero(d.whole) && allZero(d.frac);
}

// The digits of |d| rounded half away from zero to `decimals` places, as
// QString::number(v, 'f', decimals) writes a double: "1234.50".
QString roundedDigits(const Decimal& d, int decimals)
{
    QString frac = d.frac.left(decimals);
    const bool up = d.frac.size() > decimals && d.frac[decimals] >= u'5';
    while (frac.size() < decimals)
        frac += QLatin1Char('0');
    QString all = d.whole + frac;
    if (up) {
        qsizetype i = all.size() - 1;
        for (; i >= 0 && all[i] == u'9'; --i)
            all[i] = QLatin1Char('0');
        if (i < 0)
            all.prepend(QLatin1Char('1'));
        else
            all[i] = QChar(all[i].unicode() + 1);
    }
    const QString whole = all.left(all.size() - decimals);
    return decimals > 0 ? whole + QLatin1Char('.') + all.right(decimals) : whole;
}

// digitsOf(decimals) gives the absolute value rounded to that many places.
using DigitsOf = std::function<QString(int)>;

QString formatSection(const QString& picture, const DigitsOf& digitsOf)
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

    QString digits = digitsOf(maxDec);
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

QString formatBySections(const QString& picture, bool zero, bool negative, const DigitsOf& digitsOf)
{
    const QStringList sections = picture.split(QLatin1Char(';'));
    if (zero && sections.size() >= 3 && !sections[2].isEmpty())
        return formatSection(sections[2], [](int decimals) { return roundedDigits(Decimal{}, decimals); });
    if (negative && sections.size() >= 2 && !sections[1].isEmpty())
        return formatSection(sections[1], digitsOf);
    QString text = formatSection(sections[0], digitsOf);
    // A value that rounds to zero in the picture prints no sign.
    if (negative && text.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        text.prepend(QLatin1Char('-'));
    return text;
}

} // namespace

QChar FilterChar(QChar ch, TEditStyle style)
{
    if (style == esNone || style > esFloatMinus)
        return ch;
    const char16_t c = ch.unicode();
    if (c == 8 || c == 9 || c == 27 || (c >= u'0' && c <= u'9'))
        return ch;
    if ((c == u'-' && minusStyle(style)) || (c == u'.' && floatStyle(style)))
        return ch;
    return QChar(0);
}

bool AmountTextAllowed(const QString& text, TEditStyle style, int maxDigits)
{
    const bool numeric = style > esNone && style <= esFloatMinus;
    QString plain = text;
    if (numeric)
        plain.remove(QLatin1Char(','));
    if (maxDigits > 0 && plain.size() > maxDigits)
        return false;
    if (!numeric)
        return true;
    bool point = false;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const QChar c = plain[i];
        if (c >= u'0' && c <= u'9')
            continue;
        if (c == u'-' && i == 0 && minusStyle(style))
            continue;
        if (c == u'.' && !point && floatStyle(style)) {
            point = true;
            continue;
        }
        return false;
    }
    return true;
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
    // Read as TextToCurr reads it (four decimals), without a double in between.
    const auto d = parseDecimal(text);
    return d && !allZero(roundedDigits(*d, 4));
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

QString NegatedAmountText(const QString& amount)
{
    const auto d = parseDecimal(amount);
    if (!d)
        return amount;
    QString frac = d->frac;
    while (frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    const QString plain = frac.isEmpty() ? d->whole : d->whole + QLatin1Char('.') + frac;
    if (isZero(*d) || d->negative)
        return plain;
    return QLatin1Char('-') + plain;
}

QString FormatFloat(const QString& picture, double value)
{
    return formatBySections(picture, value == 0.0, value < 0.0,
                            [value](int decimals) { return QString::number(std::fabs(value), 'f', decimals); });
}

QString FormatAmountText(const QString& picture, const QString& amount)
{
    const Decimal d = parseDecimal(amount).value_or(Decimal{});
    const bool zero = isZero(d);
    return formatBySections(picture, zero, d.negative && !zero,
                            [&d](int decimals) { return roundedDigits(d, decimals); });
}

} // namespace vq::ui
