#include "foundation/data/DbErrorReporter.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

#include "foundation/data/DataModule.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/IscErrorText.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/text/TextUtils.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/LockedAppend.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

constexpr const char* kRestartNote =
    "\r\r[OK]ボタンを押すとアプリケーションの終了処理に入ります。（[OK]後、何回かメッセージが表示される場合があります）"
    "\rアプリケーションが終了しましたら再起動して下さい。\r";
constexpr const char* kLostConnectionHead =
    "何らかの原因でネットワークが物理的に切断されている か Firebirdサービス(RDBMS)との通信が切断されました。";
constexpr const char* kSharedServerNote = "\r※注意 共有サーバーのデータ利用時は自動保管されません。\r";

ProgramEndFunc& programEndHook()
{
    static ProgramEndFunc hook;
    return hook;
}

void endProgram()
{
    if (programEndHook())
        programEndHook()();
    else
        std::exit(EXIT_FAILURE);
}

std::string format(const char* fmt, auto... args)
{
    const int n = std::snprintf(nullptr, 0, fmt, args...);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    std::snprintf(out.data(), out.size() + 1, fmt, args...);
    return out;
}

std::string nowText()
{
    const CivilDateTime t = decodeDateTime(platform::interaction().now());
    return format("%04d/%02d/%02d %02d:%02d:%02d", t.date.year, t.date.month, t.date.day, t.time.hour,
                  t.time.minute, t.time.second);
}

// The database name of the data-set connection, as the connection holds it.
std::string dataDatabaseName()
{
    return DM ? DM->IBDatabaseDAT.DatabaseName : std::string();
}

// Lines of a text cut at every CR, LF or CR LF; a break at the very end adds
// no empty line.
std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(std::move(current));
    return lines;
}

// Message boxes break lines at CR: a server message's LF become CR.
std::string forDisplay(std::string text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i] == '\n' ? '\r' : text[i];
    }
    return out;
}

// A text file is CP932 with CR LF after each line; a line break inside a
// line (a server message of several lines) is written as CR LF too.
std::string fileBytes(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\r' || line[i] == '\n') {
                if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n')
                    ++i;
                text += "\r\n";
            } else {
                text += line[i];
            }
        }
        text += "\r\n";
    }
    return platform::cp932::fromUtf8(text);
}

// Appends lines to a log, creating it when missing. Programs of the office
// report into the same logs at once: the record goes in under the file's lock,
// whole, after every record already there.
void appendLines(const fs::path& file, const std::vector<std::string>& lines)
{
    platform::appendFileLocked(file, fileBytes(lines));
}

void saveLines(const fs::path& file, const std::vector<std::string>& lines)
{
    platform::writeFileAtomically(file, fileBytes(lines));
}

// Best effort: the log folder may be gone or read-only; the report goes on.
void writeLogs(const fs::path& folder, const std::vector<std::string>& lines, const fs::path& appendTo,
               const fs::path& saveTo)
{
    if (folder.empty())
        return;
    std::error_code ec;
    fs::create_directories(folder, ec);
    try {
        appendLines(folder / appendTo, lines);
    } catch (const std::exception&) {
    }
    try {
        saveLines(folder / saveTo, lines);
    } catch (const std::exception&) {
    }
}

// A database that is shut down (for a restore, a validation, by its
// administrator) refuses new attachments with "database shutdown" alone: the
// program's connections are fine and only that attempt failed. An attachment
// that the shutdown cut off gets its own code and is gone.
bool connectionIsGone(const db::DbError& e)
{
    if (e.errorCode() == db::gds::shutdown && !e.hasCode(db::gds::attShutdown))
        return false;
    return e.isLostConnection();
}

std::int32_t code32(const db::DbError& e)
{
    return static_cast<std::int32_t>(e.errorCode());
}

} // namespace

ProgramEndFunc setProgramEndHook(ProgramEndFunc hook)
{
    return std::exchange(programEndHook(), std::move(hook));
}

void ShowMessageDetail(const std::string& msg, const std::string& detail, platform::MessageKind kind)
{
    if (msg.empty() && detail.empty())
        return;
    std::string text = msg;
    if (!detail.empty())
        text += "\r\r[詳細情報]\r" + detail;
    platform::showMessage(forDisplay(text), kind, platform::Buttons::Ok);
}

void ReportDbError(const db::DbError& e, const std::string& label, const std::string& msg, bool /*reconnect*/)
{
    if (DbFatalFlag)
        return;

    const std::string codeText = iscErrorText(e);
    const std::vector<std::string> lines{
        format("%s,%s,%d,%s,%s,%s,%s", nowText().c_str(), SystemDef.ComputerName.c_str(), SystemDef.OPCODE,
               ("Serial=" + SystemDef.Serial).c_str(), ("AppVer=" + SystemDef.AppVersion).c_str(),
               ("DBName=" + SystemDef.HostName + ":" + dataDatabaseName()).c_str(),
               ("DataVer=" + DataVersionText).c_str()),
        format("Error=%s [%d] (%d) %s,%s", label.c_str(), code32(e), e.sqlCode(), codeText.c_str(),
               e.message().c_str()),
    };
    const std::string logName = kDbErrorLogName;
    writeLogs(SystemDef.LogDir.empty() ? fs::path() : fs::path(SystemDef.LogDir), lines, logName + ".log",
              logName + ".txt");

    // A connection that is gone cannot be used again in this run, and after an
    // internal consistency failure nothing the server says can be trusted:
    // both end the program. Every code that means a lost connection counts,
    // not only the network error, so a server that went away is reported once.
    std::string text = msg;
    bool fatal = false;
    if (connectionIsGone(e)) {
        fatal = true;
        text = std::string(kLostConnectionHead) + kRestartNote;
    } else if (e.isInternalConsistency()) {
        fatal = true;
        text = codeText + kRestartNote;
    }
    if (fatal)
        DbFatalFlag = 1;

    if (!text.empty()) {
        if (fatal) {
            if (ConnectMode == ConnectStandAlone)
                text += kSharedServerNote;
            platform::showMessage(text, platform::MessageKind::Error, platform::Buttons::Ok);
        } else {
            ShowMessageDetail(text,
                              format("IBXエラーコード:%d", code32(e)) + "\r" + e.message() + "\r" + codeText,
                              platform::MessageKind::Error);
        }
    }
    if (fatal)
        endProgram();
}

void ReportFbError(const db::DbError& e, const std::string& msg, const void* extra)
{
    const std::string codeText = iscErrorText(e);
    std::string text = msg + "\r\n" + format("ErrCode<%d>  SQLCODE<%d>", code32(e), e.sqlCode()) + "\r\n";
    if (extra == nullptr)
        text += e.message() + "\r" + "\r\n";
    text += codeText + "\r\n";
    platform::showMessage(forDisplay(text), platform::MessageKind::Error, platform::Buttons::Ok);

    std::vector<std::string> lines = splitLines(text);
    lines.push_back("PG_VERSION[" + SystemDef.AppVersion + "]");
    lines.push_back("DB_VERSION[" + DataVersionText + "]");
    lines.push_back("Serial[" + SystemDef.Serial + "]");
    lines.push_back("Server[" + SystemDef.HostName + "]");
    lines.push_back("DatabaseName[" + dataDatabaseName() + "]");
    lines.push_back(nowText());
    lines.push_back(SystemDef.ComputerName);
    lines.push_back(std::to_string(SystemDef.OPCODE));
    if (SystemDef.ParentDir.empty())
        return;
    const fs::path folder(SystemDef.ParentDir);
    try {
        saveLines(folder / kFbErrorTextFile, lines);
    } catch (const std::exception&) {
    }
    try {
        appendLines(folder / kFbErrorLogFile, lines);
    } catch (const std::exception&) {
    }
}

void ShowCommaMessage(const std::string& text, platform::MessageKind kind)
{
    std::vector<std::string> pieces;
    if (SplitText(text, ",", pieces) == 0 && pieces.empty())
        pieces.emplace_back();
    std::string shown;
    for (const auto& piece : pieces)
        shown += piece + "\r";
    platform::showMessage(shown, kind, platform::Buttons::Ok);
}

void ReportCurrentException(const std::string& label, const std::string& msg, bool reconnect)
{
    try {
        throw;
    } catch (const db::DbError& e) {
        ReportDbError(e, label, msg, reconnect);
    } catch (const std::exception& e) {
        ShowMessageDetail(msg, e.what(), platform::MessageKind::Error);
    } catch (...) {
        ShowMessageDetail(msg, {}, platform::MessageKind::Error);
    }
}

} // namespace vq
