#include "datasets/NetworkDrives.h"

#include <array>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>

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

FolderLookFunc& installedLook()
{
    static FolderLookFunc look;
    return look;
}

bool systemLook(const std::string& folder)
{
    std::error_code ec;
    return std::filesystem::is_directory(ResolveDrivePath(folder), ec);
}

// One look running on its own thread; the caller waits on it until a
// deadline and may leave it behind.
class PendingLook {
public:
    explicit PendingLook(std::string folder)
        : state_(std::make_shared<State>())
    {
        FolderLookFunc look = installedLook() ? installedLook() : FolderLookFunc(systemLook);
        std::thread([state = state_, look = std::move(look), folder = std::move(folder)] {
            const bool present = look(folder);
            std::lock_guard lock(state->mutex);
            state->result = present ? FolderProbeResult::Present : FolderProbeResult::Missing;
            state->done = true;
            state->ready.notify_all();
        }).detach();
    }

    FolderProbeResult wait(std::chrono::steady_clock::time_point deadline) const
    {
        std::unique_lock lock(state_->mutex);
        if (!state_->ready.wait_until(lock, deadline, [this] { return state_->done; }))
            return FolderProbeResult::Unreachable;
        return state_->result;
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable ready;
        bool done = false;
        FolderProbeResult result = FolderProbeResult::Unreachable;
    };
    std::shared_ptr<State> state_;
};

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

FolderLookFunc SetFolderLook(FolderLookFunc look)
{
    auto previous = std::move(installedLook());
    installedLook() = std::move(look);
    return previous;
}

FolderProbeResult ProbeFolder(const std::string& folder, std::chrono::milliseconds timeout)
{
    return PendingLook(folder).wait(std::chrono::steady_clock::now() + timeout);
}

std::string ShareDrivePath(char letter, const std::string& shareFolder)
{
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))) + ":/" + shareFolder;
}

std::vector<TShareDrive> ListShareDrives(const std::string& shareFolder, std::chrono::milliseconds timeout)
{
    struct Candidate {
        char letter;
        std::string text;
        PendingLook look;
    };
    std::vector<Candidate> candidates;
    for (const auto& [letter, root] : platform::folders::driveMap()) {
        if (!IsNetworkDrive(letter))
            continue;
        const std::string drive = std::string(1, letter) + ":";
        candidates.push_back({letter, drive + " " + UniversalName(drive + "/"), PendingLook(ShareDrivePath(letter, shareFolder))});
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<TShareDrive> drives;
    for (const auto& c : candidates)
        if (c.look.wait(deadline) == FolderProbeResult::Present)
            drives.push_back({c.letter, c.text});
    return drives;
}

char FreeDriveLetter()
{
    const auto map = platform::folders::driveMap();
    for (char letter = 'Z'; letter >= 'A'; --letter)
        if (map.find(letter) == map.end())
            return letter;
    return 0;
}

TShareFolderCheck CheckShareFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    TShareFolderCheck check;
    std::error_code ec;
    // The folder was just browsed, so resolving its links cannot hang; the
    // mapped roots are only compared by their text, as a share that stopped
    // answering must not block the choice.
    fs::path resolved = fs::weakly_canonical(fs::path(folder), ec);
    if (ec || !resolved.is_absolute())
        return check;
    const auto normal = [](fs::path p) {
        p = p.lexically_normal();
        return p.has_filename() || p == p.root_path() ? p : p.parent_path();
    };
    resolved = normal(resolved);
    const auto mounts = CurrentMounts();
    const MountEntry* m = mountOf(resolved.string(), mounts);
    if (!m || !IsNetworkFileSystem(m->fsType))
        return check;
    for (const auto& [letter, root] : platform::folders::driveMap()) {
        if (normal(root) == resolved) {
            check.Outcome = TShareFolderCheck::Result::AlreadyMapped;
            check.Letter = letter;
            return check;
        }
    }
    check.Outcome = TShareFolderCheck::Result::Mappable;
    return check;
}

} // namespace vq
