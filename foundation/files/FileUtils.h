#pragma once
// Folders: trailing delimiters, creation of folder chains, the special
// folders (with the program folder as fallback), the temporary folder,
// universal and canonical forms of paths, and sub-folder lists.
// Paths are native ('/'); a path written with a drive letter ("D:\data")
// means the mount point the drive map gives that letter.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vq {

// Removes or adds one trailing path delimiter '/'.
std::string ExcludeBackslash(std::string_view path);
std::string IncludeBackslash(std::string_view path);

// The drive letter of "D:", "D:\..." or "D:/..."; nullopt for other paths.
std::optional<char> DriveLetterOf(std::string_view path);
// A path with a drive letter rewritten onto the drive's mount point ('\'
// becoming '/'); any other path, and one on an unmapped drive, unchanged.
std::string ResolveDrivePath(std::string_view path);

// True when the folder exists; otherwise creates it with every missing
// parent and returns whether that succeeded. A bare drive ("D:") is never
// created: True only when it is mapped and its mount point exists.
bool ForceFolder(const std::string& path);

// The system folder ("/usr/bin"): never a target of a shell delete or copy.
std::string GetSystemFolder();
std::string GetWinSystemDir();

// The user's documents folder; the shared (common = true) or the user's
// application-data folder. Without trailing delimiter; the program folder
// when the answer is empty.
std::string GetMyDocumentsFolder();
std::string GetAppDataFolder(bool common);
// "desktop" (any case): the user's desktop folder; "mydocument": the
// documents folder; anything else, or an empty answer: the program folder.
std::string GetSpecialFolderByName(std::string_view name);
// The folder of the TEMP variable (else the system's temporary folder),
// without trailing delimiter, when it exists; otherwise defaultFolder.
std::string GetTempFolder(const std::string& defaultFolder);

// The universal form of a path on a network drive: a drive-letter path of a
// mapped drive becomes the path under its mount point. Any other path, and a
// blank one, comes back unchanged.
std::string GetUniversalPath(const std::string& path);
// The canonical form of an existing path (links and "." / ".." resolved), so
// two names of one file compare equal. Throws EConvertError
// "ファイルが見つかりません。" when the path does not exist.
void GetShortPath(const std::string& longPath, std::string& shortPath);

// The sub-folders of folder, sorted by name: with mode 1 the names only,
// otherwise IncludeBackslash(folder) + name. Empty when folder is blank or
// missing. Files are never listed.
std::vector<std::string> ListSubFolders(const std::string& folder, int mode);

} // namespace vq
