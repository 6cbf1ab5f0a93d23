#pragma once
// Network drives as the shared-data functions see them. A "drive" is a letter
// of the platform's drive map (letter -> mount point); it is a network drive
// when the file system mounted there is a network one. The universal name of
// a path on a network file system is the mount's source followed by the rest
// of the path ("//server/share/data/0005" or "server:/export/data/0005"); a
// path on a local file system is its own universal name.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vq {

struct MountEntry {
    std::string mountPoint;
    std::string fsType;
    std::string source;
};

// The mounts of a text in the format of /proc/self/mountinfo.
std::vector<MountEntry> ParseMountInfo(std::string_view text);
bool IsNetworkFileSystem(std::string_view fsType);

// The mount table in use: /proc/self/mountinfo, unless a test installed a
// reader of its own (an empty reader restores the system's). Returns the
// previous reader.
using MountTableReader = std::function<std::vector<MountEntry>()>;
MountTableReader SetMountTableReader(MountTableReader reader);
std::vector<MountEntry> CurrentMounts();

// The universal name of path (a drive-letter path is first resolved through
// the drive map).
std::string UniversalName(const std::string& path);
// The letter is mapped and its mount point lies on a network file system.
bool IsNetworkDrive(char letter);

// Whether a folder exists, asked so that a network mount that no longer
// answers (a hard NFS mount of a server that is gone blocks every look at it)
// cannot hang the caller: the look runs on a thread of its own and is given
// up after the timeout. A look that never returns keeps its thread; it holds
// nothing of the caller's.
enum class FolderProbeResult { Present, Missing, Unreachable };
FolderProbeResult ProbeFolder(const std::string& folder, std::chrono::milliseconds timeout);
// The look itself (std::filesystem::is_directory of the resolved path,
// unless a test installed its own; an empty one restores it). Returns the
// previous one.
using FolderLookFunc = std::function<bool(const std::string& folder)>;
FolderLookFunc SetFolderLook(FolderLookFunc look);

// How long the shared-data functions wait for one network folder.
inline constexpr std::chrono::milliseconds NetworkProbeTimeout{3000};

// A drive of the drive map that holds the share folder directly below its
// root, on a network file system. Text reads as the letter, a colon and the
// network name of the mount ("X: //nas/kaikei").
struct TShareDrive {
    char Letter = 0;
    std::string Text;
};
// The share drives in letter order. Every drive is probed at once and waited
// for until one common deadline, so unreachable drives cost one timeout
// together and are left out.
std::vector<TShareDrive> ListShareDrives(const std::string& shareFolder,
                                         std::chrono::milliseconds timeout = NetworkProbeTimeout);
// "X:/<share folder>": the path of the share folder on a drive, as the
// shared list keeps it.
std::string ShareDrivePath(char letter, const std::string& shareFolder);
// A letter not in the drive map, from Z down (the way new mappings are
// offered); 0 when all are taken.
char FreeDriveLetter();

// Whether a folder may be given a drive letter. Only a folder on a mounted
// network file system is a share (a local folder given a letter would sit in
// the drive map beside the real shares for no use); a share that has a letter
// keeps it rather than gaining a second one (Letter says which).
struct TShareFolderCheck {
    enum class Result { NotAShare, AlreadyMapped, Mappable };
    Result Outcome = Result::NotAShare;
    char Letter = 0;
};
TShareFolderCheck CheckShareFolder(const std::string& folder);

} // namespace vq
