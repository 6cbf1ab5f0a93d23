#pragma once
// Guarded deletes and copies of files and folders. They refuse the root, the
// drive roots and the system folder, report refusals and failures in an
// error box, and never ask for confirmation.
#include <string>

namespace vq {

// Shell file-operation numbers as the callers pass them.
enum ShellOp : int { FO_MOVE = 1, FO_COPY = 2, FO_DELETE = 3, FO_RENAME = 4 };

// False for a blank path (full-width blanks included), the root "/", a drive
// ("D:", "D:\") or the mount point of a mapped drive, the system folder (any
// letter case, with or without a trailing delimiter), and a wildcard name in
// any of these ("D:\*", "/*"); True otherwise.
bool IsSafeShellPath(const std::string& path);

// op FO_DELETE deletes path (a file, a folder with its contents, or the
// matches of a wildcard name such as "dir/*"); with allowUndo it is moved into
// the trash folder under the program root instead. FO_RENAME has no target
// here and fails. Other ops return False at once. A refused path shows
// "ルート・システムディレクトリは、削除できません。<path> " (or 変更 for
// FO_RENAME) and returns False; a failure is shown only when reportErrors.
bool ShellDeleteSafe(const std::string& path, int op, bool allowUndo = false, bool reportErrors = false);

// op FO_COPY or FO_MOVE of source (a file, a folder, or a wildcard such as
// "dir/*") to target: into target when it is an existing folder (or for a
// wildcard), else as target. Existing files are replaced, missing folders
// made. Other ops give False. A refused path shows
// "指定ディレクトリ[source->target]の複写・移動はできません。 "; a failure is
// shown in an error box; both give False.
bool ShellCopySafe(const std::string& source, const std::string& target, int op);

// Copies one file, replacing target (written through a temporary and a rename).
bool CopyFileOverwrite(const std::string& source, const std::string& target);

} // namespace vq
