#include "comm/WebDbSqlDump.h"
#include "comm/WebDbSqlDumpWriter.h"

#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileUtils.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"
#include "platform/db/Statement.h"

#include <charconv>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace vq::comm {

namespace fs = std::filesystem;

int TWebDbSqlDump::AnalysisVerMajor = 0;
int TWebDbSqlDump::AnalysisVerMinor = 0;
int TWebDbSqlDump::AnalysisVerRev = 0;

namespace {

const std::string Separator = "-- ==============================================";
constexpr const char* FailedMessage = "SQLDumpファイルの作成に失敗しました。";

std::string sqlQuoted(std::string_view text)
{
    return "'" + TWebDbSqlDump::EscapeSqlText(text) + "'";
}

// The text form of a date-time: the date, and the time unless it is midnight.
std::string dateTimeText(double v)
{
    const double rounded = roundToMillisecond(v);
    const TimeOfDay t = decodeTime(rounded);
    if (t.hour == 0 && t.minute == 0 && t.second == 0)
        return FormatDateTime("yyyy/mm/dd", rounded);
    return FormatDateTime("yyyy/mm/dd hh:nn:ss", rounded);
}

// The shortest decimal text of an exact number: no trailing zeros, no "."
// without decimals.
std::string numericText(const db::Numeric& n)
{
    std::string s = n.toString();
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string doubleText(double d)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

// Unquoted number text, or nothing when the field holds no number.
bool numberText(const db::Field& f, std::string& out)
{
    switch (f.kind()) {
    case db::FieldKind::Integer:
        out = std::to_string(f.asInt64());
        return true;
    case db::FieldKind::Numeric:
        out = numericText(f.asNumeric());
        return true;
    case db::FieldKind::Float:
        out = doubleText(f.asDouble());
        return true;
    case db::FieldKind::Boolean:
        out = f.asBool() ? "1" : "0";
        return true;
    default:
        return false;
    }
}

std::string textForm(const db::Field& f)
{
    switch (f.kind()) {
    case db::FieldKind::Date:
        return FormatDateTime("yyyy/mm/dd", f.asDate());
    case db::FieldKind::Timestamp:
        return dateTimeText(f.asDateTime());
    default: {
        std::string n;
        return numberText(f, n) ? n : f.asString();
    }
    }
}

// A number unquoted; anything else as a quoted, escaped text.
std::string plain(const db::Field& f)
{
    std::string n;
    return numberText(f, n) ? n : sqlQuoted(textForm(f));
}

std::string dateTimeValue(const db::Field& f)
{
    if (f.isNull())
        return "'0000-00-00 00:00:00'";
    const double v = f.asDateTime();
    if (v == 0)
        return "'0000-00-00 00:00:00'";
    if (v <= encodeDate(1970, 1, 1))
        return "'1970-01-02 00:00:00'";
    if (v >= encodeDate(2038, 1, 1))
        return "'2038-01-01 00:00:00'";
    return sqlQuoted(textForm(f));
}

std::int64_t integerOf(const std::string& text)
{
    std::int64_t v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    const auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() && r.ptr == e ? v : 0;
}

std::string chartType(std::int64_t t)
{
    switch (t) {
    case 2:
    case 5:
        return "2";
    case 3:
    case 4:
        return "3";
    default:
        return "0";
    }
}

// The classic palette of the system colours a stored setting may name.
std::int64_t systemColourRgb(int element)
{
    static const std::uint32_t table[] = {
        0xC8D0D4, 0x6E3A00, 0x6A240A, 0x808080, 0xF0F0F0, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
        0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
        0xE1FFFF,
    }; // as 0x00BBGGRR
    if (element < 0 || element >= static_cast<int>(std::size(table)))
        return 0;
    return table[element];
}

} // namespace

std::string TWebDbSqlDump::EscapeSqlText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\'': out += "\\'"; break;
        case '\0': out += "\\0"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\x1A': out += "\\Z"; break;
        default: out += c;
        }
    }
    return out;
}

std::string TWebDbSqlDump::DateToSqlValue(std::string_view kind, double value)
{
    const bool date = SameTextNoCase(kind, "DATE");
    if (!date && !SameTextNoCase(kind, "DATETIME"))
        return "'0000-00-00'";
    const std::string suffix = date ? "" : " 00:00:00";
    if (value == 0)
        return "'0000-00-00" + suffix + "'";
    if (value <= encodeDate(1970, 1, 1))
        return "'1970-01-02" + suffix + "'";
    if (value >= encodeDate(2038, 1, 1))
        return "'2038-01-01" + suffix + "'";
    return "'" + FormatDateTime(date ? "yyyy-mm-dd" : "yyyy-mm-dd hh:nn:ss", roundToMillisecond(value)) + "'";
}

std::string TWebDbSqlDump::ColorToDumpInt(std::int64_t colour)
{
    std::int64_t rgb = colour & 0xFFFFFF;
    const std::int64_t high = (colour >> 24) & 0xFF;
    if (high == 0x80 || high == 0xFF)
        rgb = systemColourRgb(static_cast<int>(colour & 0xFF));
    const std::int64_t r = rgb & 0xFF;
    const std::int64_t g = (rgb >> 8) & 0xFF;
    const std::int64_t b = (rgb >> 16) & 0xFF;
    return std::to_string(r * 65536 + g * 256 + b);
}

bool TWebDbSqlDump::IsPlainDatabaseName(std::string_view name)
{
    if (name.empty() || name.size() > 64)
        return false;
    for (const char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

bool TWebDbSqlDump::DataVersion802(int major, int minor, int revision)
{
    return major > 8 || (major == 8 && minor != 0) || (major == 8 && minor == 0 && revision >= 2);
}

namespace {

std::string fieldValue(const db::Field& f, DumpKind kind)
{
    switch (kind) {
    case DumpKind::D:
        return dateTimeValue(f);
    case DumpKind::C:
        return TWebDbSqlDump::ColorToDumpInt(f.isNull() ? 0 : f.asInt64());
    case DumpKind::Int:
        return std::to_string(f.isNull() ? 0 : integerOf(textForm(f)));
    case DumpKind::CType:
        return chartType(f.isNull() ? 0 : f.asInt64());
    default:
        break;
    }
    if (f.isNull())
        return "null";
    switch (kind) {
    case DumpKind::Q:
    case DumpKind::T:
        return sqlQuoted(textForm(f));
    case DumpKind::T20:
        return sqlQuoted(TrimZenSpace(PadRightSjis(textForm(f), 20)));
    default:
        return plain(f);
    }
}

std::size_t fieldIndex(db::Statement& q, const std::string& name)
{
    for (std::size_t i = 0, n = q.fieldCount(); i < n; ++i)
        if (SameTextNoCase(q.fieldName(i), name))
            return i;
    throw std::runtime_error("no column " + name + " in the query");
}

bool fromColumn(DumpKind kind)
{
    return kind != DumpKind::Row && kind != DumpKind::Lit;
}

} // namespace

std::string TWebDbSqlDump::Value(db::Statement& q, const DumpColumn& column, long row)
{
    if (column.kind == DumpKind::Row)
        return std::to_string(row);
    if (column.kind == DumpKind::Lit)
        return column.name;
    return fieldValue(q.field(column.name), column.kind);
}

TWebDbSqlDump::TWebDbSqlDump()
{
    DbVersionText = SystemDef.OpenDataVersion;
    if (DbVersionText.empty())
        DbVersionText = std::to_string(AccInf.DataVerMajor) + "." + std::to_string(AccInf.DataVerMinor1) + "." +
                        std::to_string(AccInf.DataVerMinor2);
    const fs::path parent = SystemDef.ParentDir;
    SchemaScriptPath = parent / "init" / "halbrin_empty_data.sql";
    IndexScriptPath = parent / "init" / "halbrin_empty_index.sql";
    DumpFilePath = fs::path(SystemDef.TempDir) / "VorlenHalbrin_Sql" / "vqacc.sql";
    if (AccInf.DATATYPE == 3)
        JobLevel = 1200;
}

// ---- the writer -------------------------------------------------------------

TWebDbSqlDump::Writer::Writer(const fs::path& file)
    : out_(file, std::ios::binary | std::ios::trunc)
{
}

void TWebDbSqlDump::Writer::raw(std::string_view text)
{
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void TWebDbSqlDump::Writer::line(std::string_view text)
{
    raw(text);
    raw("\r\n");
}

void TWebDbSqlDump::Writer::script(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("スクリプトファイルがありません: " + file.string());
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const auto& l : SplitLines(text))
        line(l);
    raw("\r\n");
}

long TWebDbSqlDump::Writer::rows(const std::string& sql, const std::vector<std::string>& head,
                                 const std::vector<DumpColumn>& columns, const RowOptions& options)
{
    db::Statement& q = *query_;
    q.setSql(sql);
    for (const auto& [name, value] : options.params)
        q.param(name).setString(value);
    q.execute();
    // Columns by position: a lookup by name for every value would cost more
    // than the reading.
    std::vector<std::size_t> index(columns.size(), 0);
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (fromColumn(columns[i].kind))
            index[i] = fieldIndex(q, columns[i].name);
    long count = 0;
    bool more = q.fetch();
    if (more)
        for (const auto& h : head)
            line(h);
    std::string text;
    while (more) {
        ++count;
        text = "(";
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i)
                text += ',';
            const DumpColumn& c = columns[i];
            if (c.kind == DumpKind::Row)
                text += std::to_string(options.firstId + count);
            else if (c.kind == DumpKind::Lit)
                text += c.name;
            else
                text += fieldValue(q.field(index[i]), c.kind);
        }
        text += ')';
        more = (options.limit <= 0 || count < options.limit) && q.fetch();
        if (!more) {
            text += ';';
            raw(text);
            break;
        }
        if (options.batch > 0 && count % options.batch == 0) {
            text += ";\r\n";
            raw(text);
            for (const auto& h : head)
                line(h);
        } else {
            text += ',';
            raw(text);
        }
    }
    q.close();
    if (count > 0 ? options.eolAfterLast : options.eolWhenEmpty)
        raw("\r\n");
    return count;
}

void TWebDbSqlDump::Writer::section(const std::string& table, const std::string& sql,
                                    const std::vector<DumpColumn>& columns, long batch)
{
    line("DELETE FROM " + table + ";");
    RowOptions o;
    o.batch = batch;
    rows(sql, {"INSERT INTO " + table + " VALUES"}, columns, o);
}

void TWebDbSqlDump::Writer::finish()
{
    out_.flush();
    if (!out_)
        throw std::runtime_error("書き込みに失敗しました。");
    out_.close();
}

// ---- the dump ---------------------------------------------------------------

bool TWebDbSqlDump::WriteDump()
{
    if (!IsPlainDatabaseName(DatabaseName))
        return false;
    v802_ = DataVersion802(AccInf.DataVerMajor, AccInf.DataVerMinor1, AccInf.DataVerMinor2);
    medical_ = AccInf.DATATYPE == 3;

    fs::path part = DumpFilePath;
    part += ".part";
    std::error_code ec;
    fs::remove(DumpFilePath, ec);
    const bool oldGone = !fs::exists(DumpFilePath, ec);
    if (oldGone)
        ForceFolder(DumpFilePath.parent_path().string());
    std::unique_ptr<Writer> w;
    if (oldGone) {
        fs::remove(part, ec);
        w = std::make_unique<Writer>(part);
    }
    if (!w || !w->good()) {
        const std::string reason = std::strerror(errno);
        w.reset();
        fs::remove(part, ec);
        throw std::runtime_error(reason + "\r\n\"" + DumpFilePath.string() + "\"が使用中です。");
    }

    try {
        const double start = platform::interaction().now();
        w->line("-- ");
        w->line("-- Web Halbrin DataBase Dump");
        w->line("--   Application     : " + SystemDef.AppTitle + " (" + SystemDef.AppVersion + ")");
        w->line("--   DataBase Version: " + DbVersionText);
        w->line("--   Creation File   : " + DumpFilePath.string());
        w->line("--   Creation Date   : " + FormatDateTime("yyyy/mm/dd hh:nn:ss", start));
        w->line("--   mysql importline: mysql.exe -u root < \"" + DumpFilePath.string() + "\"");
        w->line("-- ");
        w->line("");
        const std::string name = "`" + DatabaseName + "`";
        w->line("DROP DATABASE /*!32312 IF EXISTS*/ " + name + ";");
        w->line("CREATE DATABASE /*!32312 IF NOT EXISTS*/ " + name +
                " /*!40100 DEFAULT CHARACTER SET utf8 COLLATE utf8_unicode_ci */;");
        w->line("USE " + name + ";");
        w->line("");
        w->line(Separator);
        w->line("--  Table Create");
        w->line(Separator);
        w->line("");
        w->script(SchemaScriptPath);
        w->line(Separator);
        w->line("--  RidedData Area");
        w->line(Separator);
        w->line("");

        // What the sections need written to the data set, before the
        // snapshot that must see it.
        meetingOn_ = GetAccRegInt("ＷＥＢ会議設定", "ＷＥＢ会議を行う", "0");
        if (v802_)
            addDefaultBudgetRules();

        db::Attachment& att = DM->IBDatabaseDAT.attachment();
        db::Transaction snapshot(att, db::kSnapshotReadOnly);
        snapshot.start();
        db::Statement query(att, snapshot);
        w->setQuery(query);
        writeSections(*w);
        w->setQuery(nullptr);
        snapshot.commit();

        w->line(Separator);
        w->line("--  Index Create");
        w->line(Separator);
        w->line("");
        w->script(IndexScriptPath);
        const double elapsed = platform::interaction().now() - start;
        w->line("");
        w->line("--   Created Time: " + FormatDateTime("hh:nn:ss", elapsed > 0 ? elapsed : 0));
        w->finish();
        w.reset();
        fs::rename(part, DumpFilePath);
        return true;
    } catch (const std::exception& e) {
        w.reset();
        fs::remove(part, ec);
        fs::remove(DumpFilePath, ec);
        ShowMessageDetail(FailedMessage, e.what(), platform::MessageKind::Error);
        return false;
    }
}

void TWebDbSqlDump::writeSections(Writer& w)
{
    writeMasterSections(w);
    writeJournalSections(w);
}

} // namespace vq::comm
