#include "platform/db/Field.h"

#include <ibase.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/Cp932.h"
#include "platform/db/Blob.h"
#include "platform/db/DbImpl.h"
#include "platform/db/FbCommon.h"
#include "platform/db/TextLines.h"

namespace vq::db {

namespace {

template <class T>
T get(const unsigned char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

[[noreturn]] void refuse(const FieldInfo& f, const char* what)
{
    throw DbError("field " + f.name + " cannot be read as " + what);
}

// Raw bytes of a CHAR/VARCHAR value; CHAR loses its blank padding.
std::string rawText(const FieldInfo& f, const unsigned char* p)
{
    if (f.type == SQL_VARYING) {
        const auto len = get<unsigned short>(p);
        return std::string(reinterpret_cast<const char*>(p + 2), len);
    }
    std::string s(reinterpret_cast<const char*>(p), f.length);
    // A trail byte of CP932 is never 0x20, so cutting blanks is safe.
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string trimmed(std::string s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// "-123.45" -> Numeric; nullopt when it is no plain decimal number.
std::optional<Numeric> parseDecimal(std::string_view s)
{
    Numeric n;
    bool negative = false;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        digits = true;
        // Built with its sign so that the most negative int64 fits too.
        const int digit = negative ? '0' - c : c - '0';
        if (__builtin_mul_overflow(n.value, 10, &n.value) || __builtin_add_overflow(n.value, digit, &n.value))
            return std::nullopt;
        if (point)
            ++n.scale;
    }
    if (!digits || n.scale > 18)
        return std::nullopt;
    return n;
}

std::string dateText(ISC_DATE d)
{
    unsigned y = 0, m = 0, day = 0;
    fb::util()->decodeDate(d, &y, &m, &day);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04u/%02u/%02u", y, m, day);
    return buf;
}

std::string timeText(ISC_TIME t)
{
    unsigned h = 0, mi = 0, s = 0, frac = 0;
    fb::util()->decodeTime(t, &h, &mi, &s, &frac);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", h, mi, s);
    return buf;
}

} // namespace

const unsigned char* Field::value() const
{
    return copy_ != nullptr ? st_->valueIn(index_, copy_) : st_->valueOf(index_);
}

std::string Field::name() const
{
    return st_->fieldAt(index_).name;
}

FieldKind Field::kind() const
{
    const FieldInfo& f = st_->fieldAt(index_);
    switch (f.type) {
    case SQL_TEXT:
    case SQL_VARYING: return FieldKind::Text;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return f.scale < 0 ? FieldKind::Numeric : FieldKind::Integer;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return FieldKind::Float;
    case SQL_TYPE_DATE: return FieldKind::Date;
    case SQL_TYPE_TIME: return FieldKind::Time;
    case SQL_TIMESTAMP: return FieldKind::Timestamp;
    case SQL_BOOLEAN: return FieldKind::Boolean;
    case SQL_BLOB: return f.subType == 1 ? FieldKind::TextBlob : FieldKind::BinaryBlob;
    default: return FieldKind::Other;
    }
}

int Field::scale() const
{
    const int s = st_->fieldAt(index_).scale;
    return s < 0 ? -s : 0;
}

bool Field::isNull() const
{
    return value() == nullptr;
}

std::string Field::asString() const
{
    const FieldInfo& f = st_->fieldAt(index_);
    const unsigned char* p = value();
    if (!p)
        return {};
    switch (f.type) {
    case SQL_TEXT:
    case SQL_VARYING: {
        std::string raw = rawText(f, p);
        return f.charset == fb::kCharsetOctets ? raw : platform::cp932::toUtf8(raw);
    }
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return asNumeric().toString();
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", asDouble());
        return buf;
    }
    case SQL_TYPE_DATE: return dateText(get<ISC_DATE>(p));
    case SQL_TYPE_TIME: return timeText(get<ISC_TIME>(p));
    case SQL_TIMESTAMP: {
        const auto ts = get<ISC_TIMESTAMP>(p);
        return dateText(ts.timestamp_date) + " " + timeText(ts.timestamp_time);
    }
    case SQL_BOOLEAN: return *p ? "True" : "False";
    case SQL_BLOB: {
        std::string raw = asBytes();
        return f.subType == 1 ? platform::cp932::toUtf8(raw) : raw;
    }
    default: refuse(f, "text");
    }
}

std::int32_t Field::asInt() const
{
    const std::int64_t v = asInt64();
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        throw DbError("field " + name() + " does not fit in 32 bits: " + std::to_string(v));
    return static_cast<std::int32_t>(v);
}

std::int64_t Field::asInt64() const
{
    const FieldInfo& f = st_->fieldAt(index_);
    const unsigned char* p = value();
    if (!p)
        return 0;
    switch (f.type) {
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        const double d = std::round(asDouble());
        if (!(d >= -9.2e18 && d <= 9.2e18))
            refuse(f, "a 64-bit integer");
        return static_cast<std::int64_t>(d);
    }
    case SQL_BOOLEAN: return *p ? 1 : 0;
    default: return asNumeric().toInt64();
    }
}

Numeric Field::asNumeric() const
{
    const FieldInfo& f = st_->fieldAt(index_);
    const unsigned char* p = value();
    if (!p)
        return {};
    const int scale = f.scale < 0 ? -f.scale : 0;
    switch (f.type) {
    case SQL_SHORT: return {get<short>(p), scale};
    case SQL_LONG: return {get<ISC_LONG>(p), scale};
    case SQL_INT64: return {get<ISC_INT64>(p), scale};
    case SQL_TEXT:
    case SQL_VARYING: {
        const std::string s = trimmed(rawText(f, p));
        if (s.empty())
            return {};
        if (auto n = parseDecimal(s))
            return *n;
        refuse(f, "a number");
    }
    default: refuse(f, "an exact number");
    }
}

Currency Field::asCurrency() const
{
    const FieldInfo& f = st_->fieldAt(index_);
    if (f.type == SQL_FLOAT || f.type == SQL_DOUBLE || f.type == SQL_D_FLOAT) {
        if (isNull())
            return 0;
        const double scaled = std::round(asDouble() * kCurrencyOne);
        if (!(scaled >= -9.2e18 && scaled <= 9.2e18))
            refuse(f, "currency");
        return static_cast<Currency>(scaled);
    }
    return asNumeric().toCurrency();
}

double Field::asDouble() const
{
    const FieldInfo& f = st_->fieldAt(index_);
    const unsigned char* p = value();
    if (!p)
        return 0;
    switch (f.type) {
    case SQL_FLOAT: return get<float>(p);
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return get<double>(p);
    case SQL_TYPE_DATE:
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIME: return asDateTime();
    case SQL_TEXT:
    case SQL_VARYING: {
        const std::string s = trimmed(rawText(f, p));
        double d = 0;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
        if (s.empty())
            return 0;
        if (ec != std::errc() || end != s.data() + s.size())
            refuse(f, "a number");
        return d;
    }
    default: return asNumeric().toDouble();
    }
}

bool Field::asBool() const
{
    const FieldInfo& f = st_->fieldAt(index_);
    const unsigned char* p = value();
    if (!p)
        return false;
    if (f.type == SQL_BOOLEAN)
        return *p != 0;
    if (f.type == SQL_TEXT || f.type == SQL_VARYING) {
        const std::string s = trimmed(rawText(f, p));
        return s == "1" || s == "T" || s == "t" || s == "Y" || s == "y";
    }
    return asNumeric().value != 0;
}

double Field::asDate() const
{
    return std::trunc(asDateTime());
}

double Field::asDateTime() const
{
    const FieldInfo& f = st_->fieldAt(index_);
    const unsigned char* p = value();
    if (!p)
        return 0;
    switch (f.type) {
    case SQL_TYPE_DATE: return fb::dayFromIsc(get<ISC_DATE>(p));
    case SQL_TIMESTAMP: {
        const auto ts = get<ISC_TIMESTAMP>(p);
        return fb::dayFromIsc(ts.timestamp_date, ts.timestamp_time);
    }
    case SQL_TYPE_TIME: return fb::dayFromIsc(fb::kIscDateOfDayZero, get<ISC_TIME>(p));
    default: refuse(f, "a date");
    }
}

std::vector<std::string> Field::asLines() const
{
    if (isNull())
        return {};
    return splitLines(asString());
}

std::string Field::asBytes() const
{
    const FieldInfo& f = st_->fieldAt(index_);
    const unsigned char* p = value();
    if (!p)
        return {};
    if (f.type == SQL_TEXT || f.type == SQL_VARYING)
        return rawText(f, p);
    if (f.type != SQL_BLOB)
        refuse(f, "bytes");
    if (!st_->attachment || !st_->transaction)
        throw DbError("field " + f.name + ": the blob's database or transaction is gone");
    return Blob::read(st_->attachment->attachedHandle(), st_->transaction->activeHandle(), get<ISC_QUAD>(p));
}

} // namespace vq::db
