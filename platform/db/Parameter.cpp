#include "platform/db/Parameter.h"

#include <cmath>

#include "platform/Cp932.h"
#include "platform/db/DbImpl.h"
#include "platform/db/FbCommon.h"
#include "platform/db/TextLines.h"

namespace vq::db {

namespace {

ParamValue text(std::string bytes, ParamValue::Kind kind)
{
    ParamValue v;
    v.kind = kind;
    v.bytes = std::move(bytes);
    return v;
}

} // namespace

void Parameter::assign(const ParamValue& v)
{
    for (std::size_t p : positions_)
        st_->values[p] = v;
}

void Parameter::setNull()
{
    assign(ParamValue{});
}

void Parameter::setString(std::string_view utf8)
{
    assign(text(platform::cp932::fromUtf8(utf8), ParamValue::Kind::Text));
}

void Parameter::setInt(std::int64_t value)
{
    ParamValue v;
    v.kind = ParamValue::Kind::Int;
    v.integer = value;
    assign(v);
}

void Parameter::setNumeric(Numeric n)
{
    if (n.scale < 0 || n.scale > 18)
        throw DbError("numeric scale out of range: " + std::to_string(n.scale));
    ParamValue v;
    v.kind = ParamValue::Kind::Int;
    v.integer = n.value;
    v.scale = n.scale;
    assign(v);
}

void Parameter::setCurrency(Currency c)
{
    setNumeric(Numeric::fromCurrency(c));
}

void Parameter::setDouble(double value)
{
    ParamValue v;
    v.kind = ParamValue::Kind::Double;
    v.real = value;
    assign(v);
}

void Parameter::setBool(bool value)
{
    ParamValue v;
    v.kind = ParamValue::Kind::Bool;
    v.boolean = value;
    assign(v);
}

void Parameter::setDate(double dayNumber)
{
    if (dayNumber == 0)
        return setNull();
    ParamValue v;
    v.kind = ParamValue::Kind::Date;
    v.date = fb::iscDateFromDay(dayNumber);
    assign(v);
}

void Parameter::setDateTime(double dayNumber)
{
    if (dayNumber == 0)
        return setNull();
    ParamValue v;
    v.kind = ParamValue::Kind::Timestamp;
    v.date = fb::iscDateFromDay(dayNumber);
    v.time = fb::iscTimeFromDay(dayNumber);
    assign(v);
}

void Parameter::setLines(const std::vector<std::string>& lines)
{
    setText(joinLines(lines));
}

void Parameter::setText(std::string_view utf8)
{
    setString(utf8);
}

void Parameter::setBytes(std::string_view bytes)
{
    assign(text(std::string(bytes), ParamValue::Kind::Bytes));
}

} // namespace vq::db
