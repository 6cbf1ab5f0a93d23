#include "foundation/files/FileUtils.h"

#include "foundation/files/FileErrors.h"
#include "foundation/text/TextUtils.h"
#include "platform/Folders.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vq {
namespace fs = std::filesystem;

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string orProgramFolder(const fs::path& folder)
{
    if (folder.empty())
        return ExcludeBackslash(platform::folders::program().string());
    return ExcludeBackslash(folder.string());
}

bool isDirectory(const fs::path& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

fs::path desktopFolder()
{
    if (!environment("VQ_ROOT").empty())
        return platform::folders::root() / "desktop";
    if (auto xdg = environment("XDG_DESKTOP_DIR"); !xdg.empty())
        return xdg;
    if (auto home = environment("HOME"); !home.empty())
        return fs::path(home) / "Desktop";
    return {};
}

} // namespace

std::string ExcludeBackslash(std::string_view path)
{
    if (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    return std::string(path);
}

std::string IncludeBackslash(std::string_view path)
{
    std::string out(path);
    if (out.empty() || out.back() != '/')
        out += '/';
    return out;
}

std::optional<char> DriveLetterOf(std::string_view path)
{
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
        return std::nullopt;
    if (path.size() > 2 && path[2] != '\\' && path[2] != '/')
        return std::nullopt;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
}

std::string ResolveDrivePath(std::string_view path)
{
    auto letter = DriveLetterOf(path);
    if (!letter)
        return std::string(path);
    auto mount = platform::folders::driveRoot(*letter);
    if (!mount)
        return std::string(path);
    std::string rest(path.substr(std::min<std::size_t>(3, path.size())));
    std::replace(rest.begin(), rest.end(), '\\', '/');
    return rest.empty() ? mount->string() : (*mount / rest).string();
}

bool ForceFolder(const std::string& path)
{
    if (path.empty())
        return false;
    std::string bare = ExcludeBackslash(path);
    if (auto letter = DriveLetterOf(bare); letter && bare.size() == 2) {
        auto mount = platform::folders::driveRoot(*letter);
        return mount && isDirectory(*mount);
    }
    fs::path target = ResolveDrivePath(path);
    if (isDirectory(target))
        return true;
    std::error_code ec;
    fs::create_directories(target, ec);
    return !ec && isDirectory(target);
}

std::string GetSystemFolder()
{
    return "/usr/bin";
}

std::string GetWinSystemDir()
{
    return GetSystemFolder();
}

std::string GetMyDocumentsFolder()
{
    return orProgramFolder(platform::folders::documents());
}

std::string GetAppDataFolder(bool common)
{
    if (common)
        return orProgramFolder(platform::folders::commonAppData());
    fs::path user = platform::folders::root() / "appdata";
    std::error_code ec;
    fs::create_directories(user, ec);
    return orProgramFolder(user);
}

std::string GetSpecialFolderByName(std::string_view name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "desktop")
        return orProgramFolder(desktopFolder());
    if (lower == "mydocument")
        return GetMyDocumentsFolder();
    return orProgramFolder({});
}

std::string GetTempFolder(const std::string& defaultFolder)
{
    fs::path temp = environment("TEMP");
    if (temp.empty())
        temp = platform::folders::temp();
    if (!temp.empty() && isDirectory(temp))
        return ExcludeBackslash(temp.string());
    return defaultFolder;
}

std::string GetUniversalPath(const std::string& path)
{
    return ResolveDrivePath(path);
}

void GetShortPath(const std::string& longPath, std::string& shortPath)
{
    std::error_code ec;
    fs::path canonical = longPath.empty() ? fs::path() : fs::canonical(ResolveDrivePath(longPath), ec);
    if (longPath.empty() || ec)
        throw EConvertError("ファイルが見つかりません。");
    shortPath = canonical.string();
}

std::vector<std::string> ListSubFolders(const std::string& folder, int mode)
{
    std::vector<std::string> names;
    if (TrimZenSpace(folder).empty())
        return names;
    std::error_code ec;
    for (fs::directory_iterator it(ResolveDrivePath(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    if (mode != 1)
        for (auto& name : names)
            name = IncludeBackslash(folder) + name;
    return names;
}

} // namespace vq
