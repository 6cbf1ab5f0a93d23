#include "ui/DateEntry.h"

#include "foundation/calendar/DayNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace vq::ui {

namespace {

constexpr const char* allEmptyMessage = "入力欄が全て空白です．　　";
constexpr const char* someEmptyMessage = "空白の入力欄があります．　　";
constexpr const char* time11Message = "時刻の入力可能な値は11時59分59秒までです．　　";
constexpr const char* time23Message = "時刻の入力可能な値は23時59分59秒までです．　　";
constexpr const char* badTimeMessage = "時刻が正しくありません．　　";
constexpr const char* badDateMessage = "日付が正しくありません（変換できません）．　　";
constexpr const char* badValueMessage = "日付または時刻が正しくありません．　　";

std::optional<int> number(const std::string& s)
{
    if (s.empty() || s.size() > 9)
        return std::nullopt;
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::string trim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    std::string t = s.substr(b, e - b);
    // The full-width blank counts as a blank too.
    const std::string zen = "　";
    while (t.size() >= zen.size() && t.compare(0, zen.size(), zen) == 0)
        t.erase(0, zen.size());
    while (t.size() >= zen.size() && t.compare(t.size() - zen.size(), zen.size(), zen) == 0)
        t.erase(t.size() - zen.size());
    return t;
}

DateEntryOutcome failure(const char* message, DatePart focus)
{
    DateEntryOutcome o;
    o.message = message;
    o.focus = focus;
    return o;
}

bool isDateTimeStyle(TVorlenExDateEditStyle s)
{
    return s == desYearMonthDayHMS || s == desYearMonthDayHM || s == desYearMonthDayH;
}

bool isTimeOnlyStyle(TVorlenExDateEditStyle s)
{
    return s == desHourMinuteSecond || s == desHourMinute || s == desHour;
}

} // namespace

double dateEntryLowerLimit()
{
    return encodeDate(1873, 1, 1);
}

double dateEntryEmptyMarker()
{
    return dateEntryLowerLimit() - 1;
}

bool boundIsSet(double bound)
{
    return bound != 0 && bound != dateEntryEmptyMarker();
}

ShownParts shownParts(TVorlenExDateEditStyle style, bool editGengo, bool editAmpm)
{
    ShownParts p;
    switch (style) {
    case desYearMonthDayHMS: p.second = true; [[fallthrough]];
    case desYearMonthDayHM: p.minute = true; [[fallthrough]];
    case desYearMonthDayH: p.hour = true; [[fallthrough]];
    case desYearMonthDay: p.day = true; [[fallthrough]];
    case desYearMonth: p.month = true; [[fallthrough]];
    case desYear: p.year = true; break;
    case desHourMinuteSecond: p.second = true; [[fallthrough]];
    case desHourMinute: p.minute = true; [[fallthrough]];
    case desHour: p.hour = true; break;
    }
    p.era = editGengo && p.year;
    p.ampm = editAmpm && p.hour;
    return p;
}

TGengoArray effectiveEraList(const TGengoArray& table, double minDate, double maxDate)
{
    if (table.empty())
        return {};
    const double setAfter = dateEntryLowerLimit() + 1;
    auto inForce = [&](double date) -> std::size_t {
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i].STARTDATE <= date)
                return i;
        return table.size() - 1;
    };
    auto counts = [&](double bound) { return boundIsSet(bound) && bound > setAfter; };
    const std::size_t first = counts(maxDate) ? inForce(maxDate) : 0;
    const std::size_t last = counts(minDate) ? inForce(minDate) : table.size() - 1;
    if (first > last)
        return table;
    return TGengoArray(table.begin() + static_cast<std::ptrdiff_t>(first),
                       table.begin() + static_cast<std::ptrdiff_t>(last) + 1);
}

TGengoArray systemEraList()
{
    TGengoArray eras = BuiltinEraTable();
    if (eras.size() > 7)
        eras.resize(7);
    return eras;
}

const TGengoRec* eraInForce(const TGengoArray& eras, double date)
{
    for (const auto& e : eras)
        if (e.STARTDATE <= date)
            return &e;
    return nullptr;
}

std::vector<std::string> eraItems(const DateEntryConfig& config)
{
    std::vector<std::string> items;
    if (config.gengo != rsWareki)
        items.emplace_back(seirekiItem);
    for (const auto& era : config.eras) {
        if (era.GNAME.empty())
            break;
        items.push_back(era.GNAME);
    }
    return items;
}

int yearBoxLength(const DateEntryConfig& config)
{
    return config.yeardigit == yddigit4 && config.gengo != rsWareki ? 4 : 2;
}

double limitToBounds(double value, double minDate, double maxDate)
{
    if (value == dateEntryEmptyMarker())
        return value;
    if (boundIsSet(minDate) && value < minDate)
        value = minDate;
    if (boundIsSet(maxDate) && value > maxDate)
        value = maxDate;
    return value;
}

double keepStyledPart(TVorlenExDateEditStyle style, double value)
{
    if (isDateTimeStyle(style))
        return value;
    if (isTimeOnlyStyle(style))
        return timeOf(value);
    return dateOf(value);
}

DateEntryOutcome evaluateDateEntry(const DateEntryConfig& config, const DateEntryParts& typed, double today)
{
    const ShownParts shown = shownParts(config.style, config.editGengo, config.editAmpm);
    const bool maxSet = boundIsSet(config.maxDate);
    const int baseYear = decodeDate(maxSet ? config.maxDate : today).year;

    // Read and trim what is shown; fill in what is not.
    DateEntryParts p;
    p.era = config.editGengo && shown.era ? trim(typed.era) : std::string();
    p.ampm = shown.ampm ? trim(typed.ampm) : std::string();
    p.year = shown.year ? trim(typed.year)
                        : std::to_string(config.yeardigit == yddigit2 ? baseYear % 100 : baseYear);
    p.month = shown.month ? trim(typed.month) : "1";
    p.day = shown.day ? trim(typed.day) : "1";
    p.hour = shown.hour ? trim(typed.hour) : "0";
    p.minute = shown.minute ? trim(typed.minute) : "0";
    p.second = shown.second ? trim(typed.second) : "0";

    struct Box {
        bool shown;
        const std::string* text;
        DatePart part;
    };
    const Box inOrder[] = {
        {shown.era, &p.era, DatePart::Era},          {shown.year, &p.year, DatePart::Year},
        {shown.month, &p.month, DatePart::Month},    {shown.day, &p.day, DatePart::Day},
        {shown.ampm, &p.ampm, DatePart::Ampm},       {shown.hour, &p.hour, DatePart::Hour},
        {shown.minute, &p.minute, DatePart::Minute}, {shown.second, &p.second, DatePart::Second},
    };

    bool allEmpty = true;
    for (const auto& b : inOrder)
        if (b.shown && b.part != DatePart::Era && b.part != DatePart::Ampm && !b.text->empty())
            allEmpty = false;
    if (allEmpty) {
        if (!config.canEmpty)
            return failure(allEmptyMessage, DatePart::First);
        DateEntryOutcome o;
        o.ok = true;
        o.empty = true;
        o.value = dateEntryEmptyMarker();
        return o;
    }
    for (const auto& b : inOrder)
        if (b.shown && b.text->empty())
            return failure(someEmptyMessage, b.part);

    // Year.
    int year = 0;
    bool yearOk = true;
    {
        const auto items = eraItems(config);
        int eraIndex = 0;
        if (config.editGengo) {
            const auto at = std::find(items.begin(), items.end(), p.era);
            eraIndex = at == items.end() ? 0 : static_cast<int>(at - items.begin());
        }
        if (config.gengo == rsWareki)
            eraIndex += 1;
        const auto typedYear = number(p.year);
        if (!typedYear) {
            yearOk = false;
        } else if (eraIndex == 0) {
            year = *typedYear;
            if (config.yeardigit == yddigit2)
                year += decodeDate(today).year / 100 * 100;
        } else if (static_cast<std::size_t>(eraIndex - 1) < config.eras.size()) {
            year = *typedYear + config.eras[static_cast<std::size_t>(eraIndex - 1)].YEAROFFSET - 1;
        } else {
            yearOk = false;
        }
    }

    // Time.
    double time = 0;
    if (shown.hour) {
        const bool twelveHour = shown.ampm && !p.ampm.empty();
        const char* rangeMessage = twelveHour ? time11Message : time23Message;
        const auto h = number(p.hour), m = number(p.minute), s = number(p.second);
        const DatePart timeFocus = shown.ampm ? DatePart::Ampm : DatePart::Hour;
        if (!h || !m || !s)
            return failure(badTimeMessage, timeFocus);
        if (*h >= (twelveHour ? 12 : 24))
            return failure(rangeMessage, DatePart::Hour);
        if (*m > 59 || *s > 59)
            return failure(rangeMessage, DatePart::Minute);
        const int hour = *h + (twelveHour && p.ampm == pmItem ? 12 : 0);
        const auto t = tryEncodeTime(hour, *m, *s);
        if (!t)
            return failure(badTimeMessage, timeFocus);
        time = *t;
    }

    // Date.
    double date = dateOf(maxSet ? config.maxDate : today);
    if (shown.year) {
        const auto m = number(p.month), d = number(p.day);
        const auto encoded = (yearOk && m && d) ? tryEncodeDate(year, *m, *d) : std::nullopt;
        if (!encoded)
            return failure(badDateMessage, DatePart::Year);
        const std::string rangeError = EraDateRangeError(year, config.gengo != rsSeireki);
        if (!rangeError.empty()) {
            DateEntryOutcome o;
            o.message = rangeError;
            o.focus = DatePart::Year;
            return o;
        }
        date = *encoded;
    }

    double value = isTimeOnlyStyle(config.style) || isDateTimeStyle(config.style) ? combineDateTime(date, time)
                                                                                 : date;
    if (!std::isfinite(value))
        return failure(badValueMessage, DatePart::First);
    DateEntryOutcome o;
    o.ok = true;
    o.value = limitToBounds(value, config.minDate, config.maxDate);
    return o;
}

ShownValue showValue(const DateEntryConfig& config, double value)
{
    ShownValue out;
    const ShownParts shown = shownParts(config.style, config.editGengo, config.editAmpm);
    if (shown.year && value >= dateEntryLowerLimit()) {
        const CivilDate d = decodeDate(value);
        if (config.gengo == rsSeireki) {
            out.parts.era = seirekiItem;
            out.parts.year = config.yeardigit == yddigit2 ? std::string(1, static_cast<char>('0' + d.year / 10 % 10)) +
                                                                static_cast<char>('0' + d.year % 10)
                                                          : std::to_string(d.year);
        } else if (!config.eras.empty()) {
            const TGengoRec* era = eraInForce(config.eras, value);
            if (!era)
                era = &config.eras.back();
            out.parts.era = era->GNAME;
            out.parts.year = std::to_string(d.year - era->YEAROFFSET + 1);
        } else {
            out.parts.year = std::to_string(d.year);
        }
        out.parts.month = std::to_string(d.month);
        out.parts.day = std::to_string(d.day);
        out.dateShown = true;
    }
    if (shown.hour && timeOf(value) != 0) {
        const TimeOfDay t = decodeTime(value);
        int hour = t.hour;
        if (config.editAmpm) {
            out.parts.ampm = hour > 11 ? pmItem : amItem;
            if (hour > 11)
                hour -= 12;
        }
        out.parts.hour = std::to_string(hour);
        out.parts.minute = std::to_string(t.minute);
        out.parts.second = std::to_string(t.second);
        out.timeShown = true;
    }
    return out;
}

} // namespace vq::ui
