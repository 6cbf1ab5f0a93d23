#pragma once
// The database-error reporter and the message boxes that go with it.
//
// Every method that talks to a database catches the database exception and
// hands it to ReportDbError with a context label ("TDM.fnAccDatConnected")
// and the operator's message, then returns its failure value. The reporter
// logs the error (ErrFbAccess.log and ErrFbAccess.txt in the log folder),
// shows the message with the technical details and, on a lost connection or
// an internal consistency failure of the server, shows one closing message
// and ends the program; after that it stays silent.
//
// Logging is best effort: a log that cannot be written never keeps the
// operator's message or the program's end from happening.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Interaction.h"
#include "platform/db/DbError.h"

namespace vq {

// Reports a database error. An empty msg logs only, unless the error is fatal.
// reconnect is accepted for the callers' sake; it changes nothing.
void ReportDbError(const db::DbError& e, const std::string& label, const std::string& msg, bool reconnect = true);

// Message box of kind with an OK button: msg, and when detail is not empty a
// blank line, "[詳細情報]" and detail. Both empty: nothing is shown.
void ShowMessageDetail(const std::string& msg, const std::string& detail,
                       platform::MessageKind kind = platform::MessageKind::Error);

// The trial-balance engines' report: shows the error and writes FB_ERROR.TXT
// (last report) and FB_ERROR.LOG (all reports) in ParentDir. Never fatal.
// extra is only tested for null (the server message is shown when it is).
void ReportFbError(const db::DbError& e, const std::string& msg, const void* extra = nullptr);

// Message box (OK) with one line per comma-separated piece of text (cut before
// its first "//").
void ShowCommaMessage(const std::string& text, platform::MessageKind kind);

// The catch-all of a database method: call inside a catch block; reports the
// exception being handled - a db::DbError through ReportDbError, anything
// else through ShowMessageDetail with its text as detail (error kind).
void ReportCurrentException(const std::string& label, const std::string& msg, bool reconnect = true);

// How the program ends after a fatal database error. The host installs one
// that leaves its event loop once the current handler has returned; without
// one the process exits with status 1. Returns the previous hook.
using ProgramEndFunc = std::function<void()>;
ProgramEndFunc setProgramEndHook(ProgramEndFunc hook);

// Log file names in the log folder and in ParentDir.
inline constexpr const char* kDbErrorLogName = "ErrFbAccess";
inline constexpr const char* kFbErrorLogFile = "FB_ERROR.LOG";
inline constexpr const char* kFbErrorTextFile = "FB_ERROR.TXT";

} // namespace vq
