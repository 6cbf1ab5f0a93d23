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
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
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

// Appends text escaped for a MySQL string literal, between single quotes.
void appendQuoted(std::string& out, std::string_view text)
{
    out += '\'';
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* escape = nullptr;
        switch (text[i]) {
        case '\\': escape = "\\\\"; break;
        case '\'': escape = "\\'"; break;
        case '\0': escape = "\\0"; break;
        case '\r': escape = "\\r"; break;
        case '\n': escape = "\\n"; break;
        case '\x1A': escape = "\\Z"; break;
        default: continue;
        }
        out.append(text, from, i - from);
        out += escape;
        from = i + 1;
    }
    out.append(text, from, std::string_view::npos);
    out += '\'';
}

std::string sqlQuoted(std::string_view text)
{
    std::string out;
    appendQuoted(out, text);
    return out;
}

void appendInt(std::string& out, std::int64_t v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendDigits(std::string& out, int v, int width)
{
    char buf[8];
    for (int i = width - 1; i >= 0; --i, v /= 10)
        buf[i] = static_cast<char>('0' + v % 10);
    out.append(buf, static_cast<std::size_t>(width));
}

// The text form of a date ("yyyy/MM/dd"), with " hh:mm:ss" unless the time
// is midnight or withTime is false.
void appendDateText(std::string& out, double v, bool withTime)
{
    const CivilDateTime t = decodeDateTime(roundToMillisecond(v));
    appendDigits(out, t.date.year, 4);
    out += '/';
    appendDigits(out, t.date.month, 2);
    out += '/';
    appendDigits(out, t.date.day, 2);
    if (!withTime || (t.time.hour == 0 && t.time.minute == 0 && t.time.second == 0))
        return;
    out += ' ';
    appendDigits(out, t.time.hour, 2);
    out += ':';
    appendDigits(out, t.time.minute, 2);
    out += ':';
    appendDigits(out, t.time.second, 2);
}

// The shortest decimal text of an exact number: no trailing zeros, no "."
// without decimals.
void appendNumeric(std::string& out, const db::Numeric& n)
{
    if (n.scale <= 0 || n.value == 0) {
        appendInt(out, n.scale <= 0 ? n.value : 0);
        return;
    }
    const std::string s = n.toString();
    std::size_t end = s.find_last_not_of('0') + 1;
    if (s[end - 1] == '.')
        --end;
    out.append(s, 0, end);
}

// Unquoted number text; false when the field holds no number.
bool appendNumber(std::string& out, const db::Field& f, db::FieldKind kind)
{
    switch (kind) {
    case db::FieldKind::Integer:
        appendInt(out, f.asInt64());
        return true;
    case db::FieldKind::Numeric:
        appendNumeric(out, f.asNumeric());
        return true;
    case db::FieldKind::Float: {
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, f.asDouble());
        out.append(buf, r.ptr);
        return true;
    }
    case db::FieldKind::Boolean:
        out += f.asBool() ? '1' : '0';
        return true;
    default:
        return false;
    }
}

void appendTextForm(std::string& out, const db::Field& f, db::FieldKind kind)
{
    switch (kind) {
    case db::FieldKind::Date:
        appendDateText(out, f.asDate(), false);
        return;
    case db::FieldKind::Timestamp:
        appendDateText(out, f.asDateTime(), true);
        return;
    default:
        if (!appendNumber(out, f, kind))
            out += f.asString();
    }
}

std::string textForm(const db::Field& f)
{
    std::string out;
    appendTextForm(out, f, f.kind());
    return out;
}

void appendQuotedForm(std::string& out, const db::Field& f, db::FieldKind kind)
{
    if (kind == db::FieldKind::Text) {
        appendQuoted(out, f.asString());
        return;
    }
    std::string text;
    appendTextForm(text, f, kind);
    appendQuoted(out, text);
}

void appendDateTimeValue(std::string& out, const db::Field& f, db::FieldKind kind)
{
    static const double from = encodeDate(1970, 1, 1);
    static const double to = encodeDate(2038, 1, 1);
    const double v = f.isNull() ? 0 : f.asDateTime();
    if (v == 0)
        out += "'0000-00-00 00:00:00'";
    else if (v <= from)
        out += "'1970-01-02 00:00:00'";
    else if (v >= to)
        out += "'2038-01-01 00:00:00'";
    else
        appendQuotedForm(out, f, kind);
}

std::int64_t integerOf(const std::string& text)
{
    std::int64_t v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    const auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() && r.ptr == e ? v : 0;
}

const char* chartType(std::int64_t t)
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
    const std::string quoted = sqlQuoted(text);
    return quoted.substr(1, quoted.size() - 2);
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

void appendValue(std::string& out, const db::Field& f, DumpKind kind, db::FieldKind type)
{
    switch (kind) {
    case DumpKind::D:
        appendDateTimeValue(out, f, type);
        return;
    case DumpKind::C:
        out += TWebDbSqlDump::ColorToDumpInt(f.isNull() ? 0 : f.asInt64());
        return;
    case DumpKind::Int:
        appendInt(out, f.isNull() ? 0 : integerOf(textForm(f)));
        return;
    case DumpKind::CType:
        out += chartType(f.isNull() ? 0 : f.asInt64());
        return;
    default:
        break;
    }
    if (f.isNull()) {
        out += "null";
        return;
    }
    switch (kind) {
    case DumpKind::Q:
    case DumpKind::T:
        appendQuotedForm(out, f, type);
        return;
    case DumpKind::T20: {
        std::string text;
        appendTextForm(text, f, type);
        appendQuoted(out, TrimZenSpace(PadRightSjis(text, 20)));
        return;
    }
    default:
        // Plain and number values: a number unquoted, anything else quoted.
        if (!appendNumber(out, f, type))
            appendQuotedForm(out, f, type);
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
    const db::Field f = q.field(column.name);
    std::string out;
    appendValue(out, f, column.kind, f.kind());
    return out;
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
    : out_(file)
{
}

void TWebDbSqlDump::Writer::raw(std::string_view text)
{
    out_.write(text);
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

// The text of a query's rows, row by row: each row is preceded by what
// separates it from the one before (the heads before the first, ";" and the
// heads again where a batch ends, "," otherwise), so a row is written
// without knowing whether another follows.
class TWebDbSqlDump::Writer::RowText {
public:
    RowText(const std::vector<std::string>& head, const std::vector<DumpColumn>& columns,
            const TWebDbSqlDump::Writer::RowOptions& options, std::vector<db::Field> fields,
            std::vector<db::FieldKind> types)
        : head_(head), columns_(columns), options_(options), fields_(std::move(fields)), types_(std::move(types))
    {
        text_.reserve(4096);
    }

    // Row from the statement's current row (nullptr) or from a copy of one.
    void add(TWebDbSqlDump::Writer& w, const unsigned char* copy)
    {
        text_.clear();
        if (count_ == 0 || (options_.batch > 0 && count_ % options_.batch == 0)) {
            if (count_ > 0)
                text_ += ";\r\n";
            for (const auto& h : head_) {
                text_ += h;
                text_ += "\r\n";
            }
        } else {
            text_ += ',';
        }
        ++count_;
        text_ += '(';
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            if (i)
                text_ += ',';
            const DumpColumn& c = columns_[i];
            if (c.kind == DumpKind::Row)
                appendInt(text_, options_.firstId + count_);
            else if (c.kind == DumpKind::Lit)
                text_ += c.name;
            else
                appendValue(text_, copy != nullptr ? fields_[i].withRow(copy) : fields_[i], c.kind, types_[i]);
        }
        text_ += ')';
        w.raw(text_);
    }

    void end(TWebDbSqlDump::Writer& w) const
    {
        if (count_ > 0)
            w.raw(";");
        if (count_ > 0 ? options_.eolAfterLast : options_.eolWhenEmpty)
            w.raw("\r\n");
    }

private:
    const std::vector<std::string>& head_;
    const std::vector<DumpColumn>& columns_;
    const TWebDbSqlDump::Writer::RowOptions& options_;
    std::vector<db::Field> fields_;
    std::vector<db::FieldKind> types_;
    std::string text_;
    long count_ = 0;
};

// Rows copied out of the cursor in chunks and written by a thread of its
// own, so that the formatting of one chunk overlaps the fetching of the
// next. At most a few chunks wait, so memory stays bounded.
class TWebDbSqlDump::Writer::RowPipe {
public:
    RowPipe(TWebDbSqlDump::Writer& w, RowText& text, std::size_t rowSize)
        : w_(w), text_(text), stride_((rowSize + 7) / 8 * 8)
    {
        chunk_.reserve(stride_ * ChunkRows);
        thread_ = std::thread([this] { run(); });
    }
    ~RowPipe() { stop(); }
    RowPipe(const RowPipe&) = delete;
    RowPipe& operator=(const RowPipe&) = delete;

    // Copies the current row; false once the writing thread failed.
    bool add(db::Statement& q)
    {
        chunk_.resize(chunk_.size() + stride_);
        q.copyRow(chunk_.data() + chunk_.size() - stride_);
        if (chunk_.size() < stride_ * ChunkRows)
            return true;
        return hand();
    }

    // Waits until every row is written; rethrows what the thread met.
    void finish()
    {
        if (!chunk_.empty())
            hand();
        stop();
        if (error_)
            std::rethrow_exception(error_);
    }

private:
    static constexpr std::size_t ChunkRows = 512;
    static constexpr std::size_t MaxWaiting = 4;

    bool hand()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return waiting_.size() < MaxWaiting || failed_; });
        if (failed_)
            return false;
        waiting_.push_back(std::move(chunk_));
        chunk_ = {};
        chunk_.reserve(stride_ * ChunkRows);
        changed_.notify_all();
        return true;
    }

    void run()
    {
        try {
            for (;;) {
                std::vector<unsigned char> chunk;
                {
                    std::unique_lock lock(mutex_);
                    changed_.wait(lock, [&] { return !waiting_.empty() || done_; });
                    if (waiting_.empty())
                        return;
                    chunk = std::move(waiting_.front());
                    waiting_.pop_front();
                    changed_.notify_all();
                }
                for (std::size_t at = 0; at < chunk.size(); at += stride_)
                    text_.add(w_, chunk.data() + at);
            }
        } catch (...) {
            std::lock_guard lock(mutex_);
            error_ = std::current_exception();
            failed_ = true;
            changed_.notify_all();
        }
    }

    void stop() noexcept
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
            changed_.notify_all();
        }
        if (thread_.joinable())
            thread_.join();
    }

    TWebDbSqlDump::Writer& w_;
    RowText& text_;
    const std::size_t stride_;
    std::vector<unsigned char> chunk_;
    std::deque<std::vector<unsigned char>> waiting_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
    bool failed_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

long TWebDbSqlDump::Writer::rows(const std::string& sql, const std::vector<std::string>& head,
                                 const std::vector<DumpColumn>& columns, const RowOptions& options)
{
    db::Statement& q = *query_;
    if (log_)
        log_->push_back(sql);
    q.setSql(sql);
    q.execute();
    // Columns by position: a lookup by name for every value would cost more
    // than the reading.
    std::vector<db::Field> fields;
    std::vector<db::FieldKind> types(columns.size(), db::FieldKind::Other);
    bool blobs = false;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        fields.push_back(q.field(std::size_t{0}));
        if (fromColumn(columns[i].kind)) {
            fields[i] = q.field(fieldIndex(q, columns[i].name));
            types[i] = fields[i].kind();
            blobs = blobs || types[i] == db::FieldKind::TextBlob || types[i] == db::FieldKind::BinaryBlob;
        }
    }
    RowText text(head, columns, options, std::move(fields), std::move(types));
    const auto wanted = [&](long count) { return options.limit <= 0 || count < options.limit; };
    long count = 0;
    if (blobs) {
        // A blob is read through the statement's transaction: on this thread.
        while (wanted(count) && q.fetch()) {
            ++count;
            text.add(*this, nullptr);
        }
    } else {
        RowPipe pipe(*this, text, q.rowSize());
        while (wanted(count) && q.fetch()) {
            ++count;
            if (!pipe.add(q))
                break;
        }
        pipe.finish();
    }
    q.close();
    text.end(*this);
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
    out_.finish();
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
        w->setQueryLog(QueryLog);
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
