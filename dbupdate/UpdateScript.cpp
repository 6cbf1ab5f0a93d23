#include "dbupdate/UpdateScript.h"

#include <fstream>
#include <stdexcept>

#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

constexpr int kMemoBytes = 127;

std::string nowText()
{
    return FormatDateTime("yyyy/mm/dd hh:nn:ss", platform::interaction().now());
}

std::string databasePath(std::uint8_t mode)
{
    const fs::path folder = mode == 0 ? SystemDef.SysDir : SystemDef.DataDir;
    return (folder / (mode == 0 ? SysDbFileName : DataDbFileName)).string();
}

// A comment must not be closed early by a name that holds "*/".
std::string commentSafe(std::string text)
{
    for (auto at = text.find("*/"); at != std::string::npos; at = text.find("*/", at))
        text.replace(at, 2, "* /");
    return text;
}

std::string versionNumbers(const TUpdateScheme& s)
{
    return std::to_string(s.Major) + "," + std::to_string(s.Minor1) + "," + std::to_string(s.Minor2);
}

} // namespace

std::string TUpdateScheme::VersionText() const
{
    return std::to_string(Major) + "." + std::to_string(Minor1) + "." + std::to_string(Minor2);
}

std::string TUpdateScheme::VersionDigits() const
{
    return std::to_string(Major) + std::to_string(Minor1) + std::to_string(Minor2);
}

std::string TUpdateScript::Text() const
{
    std::string text;
    for (const auto& line : lines_)
        text += line + "\r\n";
    return text;
}

std::string TUpdateScript::Quoted(const std::string& text)
{
    std::string quoted;
    quoted.reserve(text.size());
    for (char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted;
}

std::string TUpdateScript::ConnectLine(std::uint8_t mode)
{
    std::string name = databasePath(mode);
    if (!SystemDef.HostName.empty())
        name = SystemDef.HostName + ":" + name;
    else if (SystemDef.GoGlobal != 0)
        name = ":" + name;
    return "CONNECT '" + Quoted(name) + "' USER '" + Quoted(SystemDef.DbUser) + "';";
}

std::string TUpdateScript::MemoText(MemoForm form)
{
    if (form == MemoForm::Date)
        return nowText();
    const std::string joined = nowText() + "," + std::to_string(SystemDef.OperatorNo) + "," + SystemDef.OPNAME + "," +
                               SystemDef.ComputerName;
    if (form == MemoForm::Joined)
        return joined;
    const std::string padded = PadRightSjis(joined, kMemoBytes);
    return form == MemoForm::JoinedPadded ? padded : TrimZenSpace(padded);
}

fs::path TUpdateScript::PartFilePath(const TUpdateScheme& scheme, const std::string& name)
{
    return fs::path(SystemDef.SqlDir) / scheme.VersionDigits() / name;
}

void TUpdateScript::AddHeader(std::uint8_t mode)
{
    Add("/* " + commentSafe(nowText() + "," + SystemDef.ComputerName + "," + std::to_string(SystemDef.OPCODE)) +
        " */");
    Add("");
    Add(ConnectLine(mode));
}

void TUpdateScript::AddVersionRecord(const TUpdateScheme& s)
{
    const std::string memo = Quoted(MemoText(s.Memo));
    if (s.Mode == 0) {
        if (s.Memo == MemoForm::Date) {
            Add("INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO) VALUES(" + versionNumbers(s) + ",'" + memo + "');");
        } else {
            Add("INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO)");
            Add("VALUES(" + versionNumbers(s) + ",'" + memo + "');");
        }
    } else {
        Add("UPDATE ACCVERSION SET MAJOR=" + std::to_string(s.Major) + ",MINOR1=" + std::to_string(s.Minor1) +
            ",MINOR2=" + std::to_string(s.Minor2) + ",MEMO='" + memo + "'");
        Add("WHERE REC=1;");
    }
}

bool TUpdateScript::AddPartFile(const fs::path& file)
{
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return false;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            Add(platform::cp932::toUtf8(line));
    }
    if (in.bad())
        throw std::runtime_error("cannot read " + file.string());
    return true;
}

void TUpdateScript::AddSqlText(std::string_view text)
{
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            Add(std::string(line));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

bool TUpdateScript::Build(const TUpdateScheme& s)
{
    lines_.clear();
    AddHeader(s.Mode);
    if (s.SetNames)
        Add("SET NAMES SJIS_0208;");
    if (s.RecordFirst) {
        AddVersionRecord(s);
        Add("COMMIT;");
    }
    if (s.Before)
        s.Before(*this);
    for (const auto& name : s.PartFiles) {
        if (s.UsePart && !s.UsePart(name))
            continue;
        if (!AddPartFile(PartFilePath(s, name)) && s.StopOnMissingPart)
            return false;
    }
    if (s.After)
        s.After(*this);
    if (!s.RecordFirst) {
        AddVersionRecord(s);
        Add("COMMIT;");
    }
    Add("EXIT;");
    return true;
}

} // namespace vq
