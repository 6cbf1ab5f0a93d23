#include "foundation/calendar/DateText.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <optional>

#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/app/SystemDef.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"

namespace vq {

namespace {

constexpr const char* ShortDateFormat = "yyyy/mm/dd";
constexpr const char* LongDateFormat = "yyyy年mm月dd日";
constexpr const char* ShortTimeFormat = "hh:nn";
constexpr const char* LongTimeFormat = "hh:nn:ss";
constexpr int TwoDigitYearCenturyWindow = 50;

const char* const DayNamesShort[] = {"日", "月", "火", "水", "木", "金", "土"};
const char* const DayNamesLong[] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};

std::string format(const char* pattern, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, pattern);
    const int n = std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    if (n < 0)
        return {};
    return std::string(buffer, static_cast<std::size_t>(n) < sizeof buffer ? static_cast<std::size_t>(n)
                                                                            : sizeof buffer - 1);
}

char upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool startsWithNoCase(std::string_view text, std::size_t pos, std::string_view word)
{
    if (text.size() - pos < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (upper(text[pos + i]) != upper(word[i]))
            return false;
    return true;
}

// The formatter proper; `depth` stops a format that names itself ("c" inside "c").
class DateFormatter {
public:
    explicit DateFormatter(double date) : dt_(decodeDateTime(date)), dayNumber_(date) {}

    std::string run(std::string_view fmt, int depth = 0)
    {
        std::string out;
        if (fmt.empty()) {
            appendFormat(out, "c", depth);
            return out;
        }
        const bool twelveHour = hasAmPm(fmt);
        char lastToken = ' ';
        std::size_t i = 0;
        while (i < fmt.size()) {
            const char c = fmt[i];
            const char u = upper(c);
            if (c == '"' || c == '\'') {
                const std::size_t end = fmt.find(c, i + 1);
                const std::size_t stop = end == std::string_view::npos ? fmt.size() : end;
                out.append(fmt.substr(i + 1, stop - i - 1));
                i = stop == fmt.size() ? stop : stop + 1;
                continue;
            }
            if (u == 'A') {
                if (appendAmPm(out, fmt, i)) {
                    lastToken = 'A';
                    continue;
                }
                out += c;
                ++i;
                continue;
            }
            if (std::string_view("YMDHNSZTC").find(u) == std::string_view::npos) {
                if (c == '/')
                    out += '/';
                else if (c == ':')
                    out += ':';
                else
                    out += c;
                ++i;
                continue;
            }
            std::size_t count = 1;
            while (i + count < fmt.size() && upper(fmt[i + count]) == u)
                ++count;
            i += count;
            switch (u) {
            case 'Y':
                out += count <= 2 ? format("%.2d", dt_.date.year % 100) : format("%.4d", dt_.date.year);
                break;
            case 'M':
                if (lastToken == 'H') {
                    out += number(dt_.time.minute, count);
                    break;
                }
                if (count <= 2)
                    out += number(dt_.date.month, count);
                else
                    out += std::to_string(dt_.date.month) + "月";
                break;
            case 'D':
                if (count <= 2)
                    out += number(dt_.date.day, count);
                else if (count == 3)
                    out += DayNamesShort[dayOfWeek(dayNumber_) - 1];
                else if (count == 4)
                    out += DayNamesLong[dayOfWeek(dayNumber_) - 1];
                else
                    appendFormat(out, count == 5 ? ShortDateFormat : LongDateFormat, depth);
                break;
            case 'H': {
                int hour = dt_.time.hour;
                if (twelveHour) {
                    hour %= 12;
                    if (hour == 0)
                        hour = 12;
                }
                out += number(hour, count);
                break;
            }
            case 'N':
                out += number(dt_.time.minute, count);
                break;
            case 'S':
                out += number(dt_.time.second, count);
                break;
            case 'Z':
                out += count >= 3 ? format("%.3d", dt_.time.millisecond) : std::to_string(dt_.time.millisecond);
                break;
            case 'T':
                appendFormat(out, count == 1 ? ShortTimeFormat : LongTimeFormat, depth);
                break;
            case 'C':
                appendFormat(out, ShortDateFormat, depth);
                if (dt_.time != TimeOfDay{}) {
                    out += ' ';
                    appendFormat(out, LongTimeFormat, depth);
                }
                break;
            }
            lastToken = u;
        }
        return out;
    }

private:
    static std::string number(int value, std::size_t count)
    {
        return count >= 2 ? format("%.2d", value) : std::to_string(value);
    }

    void appendFormat(std::string& out, std::string_view fmt, int depth)
    {
        if (depth < 2)
            out += run(fmt, depth + 1);
    }

    static bool hasAmPm(std::string_view fmt)
    {
        for (std::size_t i = 0; i < fmt.size(); ++i)
            if (startsWithNoCase(fmt, i, "am/pm") || startsWithNoCase(fmt, i, "a/p")
                || startsWithNoCase(fmt, i, "ampm"))
                return true;
        return false;
    }

    bool appendAmPm(std::string& out, std::string_view fmt, std::size_t& i) const
    {
        const bool pm = dt_.time.hour >= 12;
        if (startsWithNoCase(fmt, i, "am/pm")) {
            // The letter case of the format is kept, as the formatter of old did.
            out += std::string(pm ? fmt.substr(i + 3, 2) : fmt.substr(i, 2));
            i += 5;
            return true;
        }
        if (startsWithNoCase(fmt, i, "a/p")) {
            out += pm ? fmt[i + 2] : fmt[i];
            i += 3;
            return true;
        }
        if (startsWithNoCase(fmt, i, "ampm")) {
            out += pm ? "午後" : "午前";
            i += 4;
            return true;
        }
        return false;
    }

    CivilDateTime dt_;
    double dayNumber_;
};

bool eraDisplay()
{
    return SystemDef.EraDisplay == 1;
}

std::string trimmed(std::string_view s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return std::string(s.substr(b, e - b));
}

// The era text of an era date by eraKind; `letterUpTo` is the highest kind
// that still means the era letter (3 in the slash styles, 2 in the 年月日 styles).
std::string eraText(const TWarekiRec& w, int eraKind, int letterUpTo)
{
    if (eraKind == 0)
        return {};
    if (eraKind >= 2 && eraKind <= letterUpTo)
        return w.GSIGN;
    return w.GNAME;
}

// A small cursor over a date text.
struct Scanner {
    std::string_view s;
    std::size_t pos = 0;

    void blanks()
    {
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
            ++pos;
    }
    bool atEnd() const { return pos >= s.size(); }
    bool character(char c)
    {
        blanks();
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    bool word(std::string_view w)
    {
        blanks();
        if (startsWithNoCase(s, pos, w)) {
            pos += w.size();
            return true;
        }
        return false;
    }
    // Digits (at most 9) with their count.
    bool number(int& value, int& digits)
    {
        blanks();
        value = 0;
        digits = 0;
        while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])) && digits < 9) {
            value = value * 10 + (s[pos] - '0');
            ++digits;
            ++pos;
        }
        return digits > 0;
    }
};

int currentYear()
{
    return decodeDate(platform::interaction().now()).year;
}

// A year of one or two digits lies within fifty years of this one.
int expandYear(int year, int digits)
{
    if (digits > 2)
        return year;
    const int pivot = currentYear() - TwoDigitYearCenturyWindow;
    year += pivot / 100 * 100;
    if (year < pivot)
        year += 100;
    return year;
}

// year/month/day, or month/day of the current year.
std::optional<double> scanDate(Scanner& sc)
{
    int n1 = 0, n2 = 0, n3 = 0, d1 = 0, d2 = 0, d3 = 0;
    if (!sc.number(n1, d1) || !sc.character('/') || !sc.number(n2, d2))
        return std::nullopt;
    int year = 0, month = 0, day = 0;
    if (sc.character('/')) {
        if (!sc.number(n3, d3))
            return std::nullopt;
        year = expandYear(n1, d1);
        month = n2;
        day = n3;
    } else {
        year = currentYear();
        month = n1;
        day = n2;
    }
    return tryEncodeDate(year, month, day);
}

// h[:m[:s[.zzz]]] with an optional AM/PM marker before or after.
std::optional<double> scanTime(Scanner& sc)
{
    int base = -1;
    if (sc.word("AM") || sc.word("午前"))
        base = 0;
    else if (sc.word("PM") || sc.word("午後"))
        base = 12;
    int hour = 0, minute = 0, second = 0, ms = 0, digits = 0;
    if (!sc.number(hour, digits))
        return std::nullopt;
    if (sc.character(':')) {
        if (!sc.number(minute, digits))
            return std::nullopt;
        if (sc.character(':')) {
            if (!sc.number(second, digits))
                return std::nullopt;
            if (sc.character('.') && !sc.number(ms, digits))
                return std::nullopt;
        }
    }
    if (base < 0) {
        if (sc.word("AM") || sc.word("午前"))
            base = 0;
        else if (sc.word("PM") || sc.word("午後"))
            base = 12;
    }
    if (base >= 0) {
        if (hour == 0 || hour > 12)
            return std::nullopt;
        if (hour == 12)
            hour = 0;
        hour += base;
    }
    sc.blanks();
    return tryEncodeTime(hour, minute, second, ms);
}

} // namespace

std::string FormatDateTime(std::string_view format, double date)
{
    // Only days of the years 1..9999 have a text.
    constexpr double DayBeforeFirst = -693594.0; // 0000-12-31
    constexpr double DayAfterLast = 2958466.0;   // 10000-01-01
    if (!(date > DayBeforeFirst && date < DayAfterLast))
        return {};
    return DateFormatter(date).run(format);
}

std::string DateToStrByStyle(int style, double date)
{
    if (date == 0)
        return {};
    switch (style) {
    case 2:
        return FormatDateTime("yy/mm/dd", date);
    case 4:
        return FormatDateTime("yyyy/mm/dd", date);
    default:
        return FormatDateTime("yyyy/mm/dd hh:nn", date);
    }
}

double SafeStrToDate(std::string_view text)
{
    Scanner sc{text};
    const std::optional<double> date = scanDate(sc);
    sc.blanks();
    return date && sc.atEnd() ? *date : 0;
}

double StrToDateTimeFixed(std::string_view text)
{
    {
        Scanner sc{text};
        if (const std::optional<double> date = scanDate(sc)) {
            sc.blanks();
            if (sc.atEnd())
                return *date;
            if (const std::optional<double> time = scanTime(sc); time && sc.atEnd())
                return combineDateTime(*date, *time);
        }
    }
    Scanner sc{text};
    if (const std::optional<double> time = scanTime(sc); time && sc.atEnd())
        return *time;
    return 0;
}

std::string PeriodToText(double fromDate, double toDate)
{
    auto text = [](double date) {
        if (eraDisplay()) {
            const TWarekiRec w = DateToWareki(date);
            return format("%s %.2d/%.2d/%.2d", w.GSIGN.c_str(), w.Year, w.Month, w.Day);
        }
        return FormatDateTime("yyyy/mm/dd", date);
    };
    return format("%s ～ %s", text(fromDate).c_str(), text(toDate).c_str());
}

std::string FormatDateSlash(std::string_view style, int eraKind, double date)
{
    try {
        std::string result;
        if (eraDisplay()) {
            const TWarekiRec w = DateToWareki(date);
            const std::string era = eraText(w, eraKind, 3);
            const char* e = era.c_str();
            if (style == "yyyy/mm/dd" || style == "yy/mm/dd")
                result = format("%s %.2d/%.2d/%.2d", e, w.Year, w.Month, w.Day);
            else if (style == "yyyy/mm" || style == "yy/mm")
                result = format("%s %.2d/%.2d", e, w.Year, w.Month);
            else if (style == "yyyy" || style == "yy")
                result = format("%s %.2d", e, w.Year);
            else if (style == "yyyy/m/d" || style == "yy/m/d" || style == "y/m/d")
                result = format("%s %2d/%2d/%2d", e, w.Year, w.Month, w.Day);
            else if (style == "yyyy/m" || style == "yy/m" || style == "y/m")
                result = format("%s %2d/%2d", e, w.Year, w.Month);
            else if (style == "y")
                result = format("%s %2d", e, w.Year);
            else if (style == "yy2/mm/dd")
                result = format("%s%.2d/%.2d/%.2d", e, w.Year, w.Month, w.Day);
            if (eraKind == 0)
                result = trimmed(result);
            else if (eraKind == 3)
                result = RemoveAllSpaces(result);
            return result;
        }
        const CivilDate d = decodeDate(date);
        const int yy = d.year % 100;
        if (style == "yyyy/m/d")
            return format("%4d/%2d/%2d", d.year, d.month, d.day);
        if (style == "yy/m/d" || style == "y/m/d")
            return format("%2d/%2d/%2d", yy, d.month, d.day);
        if (style == "yyyy/m")
            return format("%4d/%2d", d.year, d.month);
        if (style == "yy/m" || style == "y/m")
            return format("%2d/%2d", yy, d.month);
        if (style == "yy2/mm/dd")
            return FormatDateTime("yy/mm/dd", date);
        return FormatDateTime(style, date);
    } catch (...) {
        return FormatDateTime("yyyy/mm/dd", date);
    }
}

std::string FormatDateKanji(std::string_view style, int eraKind, double date)
{
    try {
        if (eraDisplay()) {
            const TWarekiRec w = DateToWareki(date);
            const std::string era = eraText(w, eraKind, 2);
            const char* e = era.c_str();
            std::string result;
            if (style == "yyyy年mm月dd日" || style == "yy年mm月dd日")
                result = format("%s %.2d年%.2d月%.2d日", e, w.Year, w.Month, w.Day);
            else if (style == "yyyy年mm月" || style == "yy年mm月")
                result = format("%s %.2d年%.2d月", e, w.Year, w.Month);
            else if (style == "yyyy年" || style == "yy年")
                result = format("%s %.2d年", e, w.Year);
            else if (style == "yyyy年m月d日" || style == "yy年m月d日" || style == "y年m月d日")
                result = format("%s %2d年%2d月%2d日", e, w.Year, w.Month, w.Day);
            else if (style == "yyyy年m月" || style == "yy年m月" || style == "y年m月")
                result = format("%s %2d年%2d月", e, w.Year, w.Month);
            else if (style == "y年" || style == "y")
                result = format("%s %d年", e, w.Year);
            else if (style == "yyyy年 m月 d日" || style == "yy年 m月 d日" || style == "y年 m月 d日")
                result = format("%s %2d年 %d月 %d日", e, w.Year, w.Month, w.Day);
            else if (style == "yyyy年 m月" || style == "yy年 m月" || style == "y年 m月")
                result = format("%s %2d年 %d月", e, w.Year, w.Month);
            else if (style == "yyyy年 mm月 dd日" || style == "yy年 mm月 dd日")
                result = format("%s %.2d年 %.2d月 %.2d日", e, w.Year, w.Month, w.Day);
            else if (style == "yyyy年 mm月" || style == "yy年 mm月")
                result = format("%s %.2d年 %.2d月", e, w.Year, w.Month);
            if (eraKind == 0)
                result = trimmed(result);
            return result;
        }
        const CivilDate d = decodeDate(date);
        const int yy = d.year % 100;
        if (style == "yyyy年m月d日")
            return format("%4d年%2d月%2d日", d.year, d.month, d.day);
        if (style == "yy年m月d日" || style == "y年m月d日")
            return format("%2d年%2d月%2d日", yy, d.month, d.day);
        if (style == "yyyy年m月")
            return format("%4d年%2d月", d.year, d.month);
        if (style == "yy年m月" || style == "y年m月")
            return format("%.2d年%2d月", yy, d.month);
        if (style == "y年" || style == "y")
            return format("%4d年", d.year);
        if (style == "yyyy年 m月 d日")
            return format("%4d年 %d月 %d日", d.year, d.month, d.day);
        if (style == "yyyy年 m月")
            return format("%4d年 %d月", d.year, d.month);
        if (style == "yy年 m月 d日" || style == "y年 m月 d日")
            return format("%.2d年 %d月 %d日", yy, d.month, d.day);
        if (style == "yy年 m月" || style == "y年 m月")
            return format("%.2d年 %d月", yy, d.month);
        return FormatDateTime(style, date);
    } catch (...) {
        return FormatDateTime("yyyy年mm月dd日", date);
    }
}

} // namespace vq
