#include "datasets/NetworkDrives.h"

#include <array>
#include <fstream>
#include <sstream>

#include "foundation/files/FileUtils.h"
#include "platform/Folders.h"

namespace vq {

namespace {

// mountinfo escapes blanks, tabs, line breaks and backslashes as \ooo.
std::string unescape(std::string_view field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            field.substr(i + 1, 3).find_first_not_of("01234567") == std::string_view::npos) {
            out += static_cast<char>(std::stoi(std::string(field.substr(i + 1, 3)), nullptr, 8));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

MountTableReader& installedReader()
{
    static MountTableReader reader;
    return reader;
}

std::vector<MountEntry> systemMounts()
{
    std::ifstream in("/proc/self/mountinfo");
    std::stringstream text;
    text << in.rdbuf();
    return ParseMountInfo(text.str());
}

// The mount holding path: the longest mount point that is a prefix of it.
const MountEntry* mountOf(const std::string& path, const std::vector<MountEntry>& mounts)
{
    const MountEntry* best = nullptr;
    for (const auto& m : mounts) {
        const std::string& mp = m.mountPoint;
        const bool under = mp == "/" ? !path.empty() && path[0] == '/'
                                     : path.compare(0, mp.size(), mp) == 0 &&
                                           (path.size() == mp.size() || path[mp.size()] == '/');
        if (under && (!best || mp.size() >= best->mountPoint.size()))
            best = &m;
    }
    return best;
}

} // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text)
{
    std::vector<MountEntry> mounts;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> before;
        std::string f;
        bool separator = false;
        std::vector<std::string> after;
        while (fields >> f) {
            if (!separator && f == "-") {
                separator = true;
                continue;
            }
            (separator ? after : before).push_back(f);
        }
        if (before.size() < 5 || after.size() < 2)
            continue;
        mounts.push_back({unescape(before[4]), after[0], unescape(after[1])});
    }
    return mounts;
}

bool IsNetworkFileSystem(std::string_view fsType)
{
    static const std::array<std::string_view, 16> kinds = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "glusterfs", "9p",
        "fuse.sshfs", "sshfs", "fuse.glusterfs", "davfs", "fuse.davfs2", "fuse.rclone"};
    for (auto k : kinds)
        if (fsType == k)
            return true;
    return false;
}

MountTableReader SetMountTableReader(MountTableReader reader)
{
    auto previous = std::move(installedReader());
    installedReader() = std::move(reader);
    return previous;
}

std::vector<MountEntry> CurrentMounts()
{
    return installedReader() ? installedReader()() : systemMounts();
}

std::string UniversalName(const std::string& path)
{
    if (path.empty())
        return path;
    const std::string resolved = ResolveDrivePath(path);
    const auto mounts = CurrentMounts();
    const MountEntry* m = mountOf(resolved, mounts);
    if (!m || !IsNetworkFileSystem(m->fsType))
        return path;
    std::string rest = m->mountPoint == "/" ? resolved.substr(1) : resolved.substr(m->mountPoint.size());
    if (!rest.empty() && rest[0] == '/')
        rest.erase(0, 1);
    std::string source = m->source;
    while (source.size() > 1 && source.back() == '/')
        source.pop_back();
    return rest.empty() ? source : source + "/" + rest;
}

bool IsNetworkDrive(char letter)
{
    const auto root = platform::folders::driveRoot(letter);
    if (!root)
        return false;
    const auto mounts = CurrentMounts();
    const MountEntry* m = mountOf(root->lexically_normal().string(), mounts);
    return m && IsNetworkFileSystem(m->fsType);
}

} // namespace vq
