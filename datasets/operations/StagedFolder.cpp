#include "datasets/operations/StagedFolder.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <system_error>

#include <unistd.h>

#include "datasets/operations/DataSetFileSystem.h"
#include "platform/AtomicFile.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

fs::path comparable(const fs::path& p)
{
    std::error_code ec;
    fs::path c = fs::weakly_canonical(fs::absolute(p, ec), ec);
    if (ec)
        c = fs::absolute(p).lexically_normal();
    // "/a/b/" and "/a/b" are the same folder.
    if (!c.has_filename() && c.has_parent_path() && c != c.root_path())
        c = c.parent_path();
    return c;
}

void throwError(const std::string& what, const fs::path& p)
{
    throw fs::filesystem_error(what, p, std::make_error_code(std::errc::io_error));
}

void copyChecked(const fs::path& from, const fs::path& to)
{
    dataSetFileSystem().copyFile(from, to);
    std::error_code ec;
    if (fs::file_size(to, ec) != fs::file_size(from) || ec)
        throwError("incomplete copy", to);
}

void copyTreeInto(const fs::path& source, const fs::path& into, const fs::path& relative,
                  const StagedFolder::SkipFunc& skip)
{
    for (const fs::path& entry : SortedFolderEntries(source / relative)) {
        const fs::path rel = relative / entry.filename();
        if (skip && skip(rel))
            continue;
        if (fs::is_directory(entry)) {
            dataSetFileSystem().createFolders(into / rel);
            copyTreeInto(source, into, rel, skip);
        } else {
            copyChecked(entry, into / rel);
        }
    }
}

bool holdsTree(const fs::path& source, const fs::path& copy, const fs::path& relative,
               const StagedFolder::SkipFunc& skip)
{
    for (const fs::path& entry : SortedFolderEntries(source / relative)) {
        const fs::path rel = relative / entry.filename();
        if (skip && skip(rel))
            continue;
        std::error_code ec;
        if (fs::is_directory(entry)) {
            if (!fs::is_directory(copy / rel, ec) || !holdsTree(source, copy, rel, skip))
                return false;
        } else if (fs::file_size(copy / rel, ec) != fs::file_size(entry) || ec) {
            return false;
        }
    }
    return true;
}

std::string percentEncoded(const std::string& path)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

} // namespace

std::vector<fs::path> SortedFolderEntries(const fs::path& folder)
{
    std::vector<fs::path> entries;
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

bool IsSameOrInsideFolder(const fs::path& inner, const fs::path& outer)
{
    const fs::path a = comparable(inner);
    const fs::path b = comparable(outer);
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty())
            continue;
        if (ai == a.end() || *ai != *bi)
            return false;
    }
    return true;
}

bool IsSameFolder(const fs::path& a, const fs::path& b)
{
    return comparable(a) == comparable(b);
}

fs::path SiblingWorkPath(const fs::path& path, const std::string& tag)
{
    fs::path p = path;
    if (!p.has_filename())
        p = p.parent_path();
    return p.parent_path() / ("." + p.filename().string() + "." + tag);
}

StagedFolder::StagedFolder(fs::path target)
    : target_(std::move(target))
{
    if (!target_.has_filename())
        target_ = target_.parent_path();
    stage_ = SiblingWorkPath(target_, "new-" + std::to_string(::getpid()));
    dataSetFileSystem().removeAll(stage_);
    dataSetFileSystem().createFolders(stage_);
}

StagedFolder::~StagedFolder()
{
    if (committed_)
        return;
    std::error_code ec;
    fs::remove_all(stage_, ec);
}

void StagedFolder::copyTree(const fs::path& source, const SkipFunc& skip)
{
    copyTreeInto(source, stage_, {}, skip);
}

void StagedFolder::copyFile(const fs::path& sourceFile)
{
    copyChecked(sourceFile, stage_ / sourceFile.filename());
}

bool StagedFolder::holdsCopyOf(const fs::path& source, const SkipFunc& skip) const
{
    return holdsTree(source, stage_, {}, skip);
}

void StagedFolder::commit()
{
    std::error_code ec;
    const bool hadTarget = fs::exists(target_, ec);
    const fs::path old = SiblingWorkPath(target_, "old-" + std::to_string(::getpid()));
    if (hadTarget) {
        dataSetFileSystem().removeAll(old);
        dataSetFileSystem().rename(target_, old);
    }
    try {
        dataSetFileSystem().rename(stage_, target_);
    } catch (...) {
        if (hadTarget)
            fs::rename(old, target_, ec);
        throw;
    }
    committed_ = true;
    if (hadTarget) {
        // The new content is in place; an old copy that will not go away is
        // only a hidden leftover, never a reason to undo the swap.
        try {
            dataSetFileSystem().removeAll(old);
        } catch (...) {
        }
    }
}

void SwapInFile(const fs::path& replacement, const fs::path& target)
{
    dataSetFileSystem().rename(replacement, target);
}

void MoveToTrash(const fs::path& path)
{
    const fs::path source = fs::absolute(path);
    if (!fs::exists(source))
        throwError("nothing to move to the trash", source);
    fs::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        base = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        throwError("no trash folder", source);
    const fs::path files = base / "Trash" / "files";
    const fs::path info = base / "Trash" / "info";
    fs::create_directories(files);
    fs::create_directories(info);

    std::string name = source.filename().string();
    for (int n = 2; fs::exists(files / name) || fs::exists(info / (name + ".trashinfo")); ++n)
        name = source.filename().string() + "." + std::to_string(n);

    char when[32] = {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", &local);
    const fs::path infoFile = info / (name + ".trashinfo");
    platform::writeFileAtomically(infoFile, "[Trash Info]\nPath=" + percentEncoded(source.string()) +
                                                "\nDeletionDate=" + when + "\n");
    std::error_code ec;
    fs::rename(source, files / name, ec);
    if (ec) {
        // Another file system: copy, then remove the original.
        fs::copy(source, files / name, fs::copy_options::recursive, ec);
        if (ec) {
            fs::remove_all(files / name);
            fs::remove(infoFile);
            throw fs::filesystem_error("cannot move to the trash", source, ec);
        }
        fs::remove_all(source);
    }
}

} // namespace vq
