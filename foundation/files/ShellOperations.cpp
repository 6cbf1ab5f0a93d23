#include "foundation/files/ShellOperations.h"

#include "foundation/files/FileUtils.h"
#include "foundation/text/TextUtils.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

#include <fnmatch.h>
#include <unistd.h>

namespace vq {
namespace fs = std::filesystem;

namespace {

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// The path without "." / ".." steps and without trailing delimiters ("/"
// stays "/"), for comparisons.
std::string normalised(const std::string& path)
{
    std::string s = fs::path(path).lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

void showError(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Error);
}

bool hasWildcard(const fs::path& path)
{
    return path.filename().string().find_first_of("*?") != std::string::npos;
}

// The entries a source names: itself, or the matches of a wildcard name.
std::vector<fs::path> expand(const fs::path& source)
{
    if (!hasWildcard(source))
        return {source};
    std::vector<fs::path> matches;
    fs::path folder = source.parent_path().empty() ? fs::path(".") : source.parent_path();
    const std::string pattern = source.filename().string();
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (::fnmatch(pattern.c_str(), entry.path().filename().c_str(), FNM_PERIOD) == 0)
            matches.push_back(entry.path());
    }
    std::sort(matches.begin(), matches.end());
    return matches;
}

fs::path temporaryBeside(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return target.parent_path() /
           ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
            std::to_string(stamp) + "-" + std::to_string(counter++));
}

void copyFileReplacing(const fs::path& source, const fs::path& target)
{
    fs::path temp = temporaryBeside(target);
    try {
        fs::copy_file(source, temp, fs::copy_options::overwrite_existing);
        fs::rename(temp, target);
    } catch (...) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw;
    }
}

void copyTree(const fs::path& source, const fs::path& target)
{
    if (!fs::is_directory(source)) {
        copyFileReplacing(source, target);
        return;
    }
    fs::create_directories(target);
    for (const auto& entry : fs::directory_iterator(source))
        copyTree(entry.path(), target / entry.path().filename());
}

bool isWithin(const fs::path& inner, const fs::path& outer)
{
    std::error_code ec;
    fs::path a = fs::weakly_canonical(inner, ec);
    fs::path b = fs::weakly_canonical(outer, ec);
    auto [endB, endA] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    return endB == b.end();
}

void moveTree(const fs::path& source, const fs::path& target)
{
    std::error_code ec;
    fs::rename(source, target, ec);
    if (!ec)
        return;
    if (ec != std::errc::cross_device_link)
        throw fs::filesystem_error("move", source, target, ec);
    copyTree(source, target);
    fs::remove_all(source);
}

// Where an entry of a copy or move lands.
fs::path destinationOf(const fs::path& entry, const fs::path& target, bool intoTarget)
{
    return intoTarget ? target / entry.filename() : target;
}

void moveToTrash(const fs::path& entry)
{
    static std::atomic<unsigned> counter{0};
    fs::path trash = platform::folders::root() / "trash";
    fs::create_directories(trash);
    auto stamp = std::chrono::system_clock::now().time_since_epoch().count();
    moveTree(entry, trash / (entry.filename().string() + "." + std::to_string(stamp) + "-" +
                             std::to_string(counter++)));
}

} // namespace

bool IsSafeShellPath(const std::string& path)
{
    // Blank includes the full-width blank.
    const std::string trimmed = TrimZenSpace(path);
    if (trimmed.empty())
        return false;
    if (DriveLetterOf(trimmed) && trimmed.size() <= 3) // "D:", "D:\", "D:/"
        return false;
    // A wildcard stands for every entry of its folder: "D:\*" would empty the
    // drive as surely as "D:\" itself.
    if (auto cut = trimmed.find_last_of("/\\");
        cut != std::string::npos && trimmed.find_first_of("*?", cut + 1) != std::string::npos) {
        if (!IsSafeShellPath(cut == 0 ? std::string("/") : trimmed.substr(0, cut)))
            return false;
    }
    // A system folder written with a trailing delimiter is the same folder.
    std::string resolved = normalised(ResolveDrivePath(trimmed));
    if (resolved == "/" || upper(resolved) == upper(normalised(GetWinSystemDir())))
        return false;
    for (const auto& [letter, mount] : platform::folders::driveMap())
        if (resolved == normalised(mount.string()))
            return false;
    return true;
}

bool ShellDeleteSafe(const std::string& path, int op, bool allowUndo, bool reportErrors)
{
    if (op != FO_DELETE && op != FO_RENAME)
        return false;
    if (!IsSafeShellPath(path)) {
        showError((op == FO_DELETE ? "ルート・システムディレクトリは、削除できません。<"
                                   : "ルート・システムディレクトリは、変更できません。<") +
                  path + "> ");
        return false;
    }
    if (op == FO_RENAME)
        return false; // a rename needs a target, which these callers never give
    try {
        auto entries = expand(ResolveDrivePath(path));
        if (entries.empty() || !fs::exists(fs::symlink_status(entries.front())))
            throw std::runtime_error("削除する対象が見つかりません。<" + path + ">");
        for (const auto& entry : entries) {
            if (allowUndo)
                moveToTrash(entry);
            else
                fs::remove_all(entry);
        }
        return true;
    } catch (const std::exception& e) {
        if (reportErrors)
            showError(e.what());
        return false;
    }
}

bool ShellCopySafe(const std::string& source, const std::string& target, int op)
{
    if (op != FO_COPY && op != FO_MOVE)
        return false;
    if (!IsSafeShellPath(source) || !IsSafeShellPath(target)) {
        showError("指定ディレクトリ[" + source + "->" + target + "]の複写・移動はできません。 ");
        return false;
    }
    try {
        fs::path from = ResolveDrivePath(source);
        fs::path to = ResolveDrivePath(target);
        bool wildcard = hasWildcard(from);
        auto entries = expand(from);
        if (entries.empty() && !wildcard)
            throw std::runtime_error("複写元が見つかりません。<" + source + ">");
        if (!wildcard && !fs::exists(from))
            throw std::runtime_error("複写元が見つかりません。<" + source + ">");
        bool intoTarget = wildcard || fs::is_directory(to);
        if (wildcard)
            fs::create_directories(to);
        else if (to.has_parent_path())
            fs::create_directories(to.parent_path());
        for (const auto& entry : entries) {
            fs::path destination = destinationOf(entry, to, intoTarget);
            if (fs::is_directory(entry) && isWithin(destination, entry))
                throw std::runtime_error("指定ディレクトリ[" + source + "->" + target +
                                         "]の複写・移動はできません。 ");
            if (op == FO_COPY)
                copyTree(entry, destination);
            else
                moveTree(entry, destination);
        }
        return true;
    } catch (const std::exception& e) {
        showError(e.what());
        return false;
    }
}

bool CopyFileOverwrite(const std::string& source, const std::string& target)
{
    try {
        fs::path from = ResolveDrivePath(source);
        if (!fs::is_regular_file(from))
            return false;
        copyFileReplacing(from, ResolveDrivePath(target));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace vq
