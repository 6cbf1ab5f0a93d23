#pragma once
// Runs one update script with isql (platform::isqlProgram()) against the
// database the script's CONNECT line names and judges the run.
//
// The script and isql's output live in a private folder (mode 0700) made
// for the call inside the TEMP folder and removed on every path. isql gets
// the login's password through its environment only; the script names the
// user alone, so neither the script, nor isql's echo of it, nor the error
// logs ever hold the password. Every step starts isql with the connection
// character set SJIS_0208, so a Japanese literal reaches the database
// converted also in the scripts that have no SET NAMES line.
//
// A run failed when isql did not end by itself within the time limit, ended
// with an exit code other than 0, or wrote an error line ("Statement
// failed", "SQLSTATE", "Expected end of statement"). isql stops at the first
// error. The output of a failed run replaces ErrDataup.txt and is appended to
// ErrDataup.log in the log folder, lines as isql wrote them, CR LF.
#include <chrono>
#include <cstdint>
#include <string>

#include "dbupdate/UpdateScript.h"

namespace vq {

// 1 done, 16 failed, 17 isql did not start. versionText ("7.0.4") names the
// step in the failure box.
std::int32_t ExecIsqlScript(const TUpdateScript& script, const std::string& versionText);

// How long one script may run before it is ended as failed.
std::chrono::milliseconds IsqlTimeLimit();
void SetIsqlTimeLimit(std::chrono::milliseconds limit);

// Whether isql's output holds one of its error lines.
bool HasIsqlErrorLine(const std::string& output);

} // namespace vq
