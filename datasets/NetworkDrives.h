#pragma once
// Network drives as the shared-data functions see them. A "drive" is a letter
// of the platform's drive map (letter -> mount point); it is a network drive
// when the file system mounted there is a network one. The universal name of
// a path on a network file system is the mount's source followed by the rest
// of the path ("//server/share/data/0005" or "server:/export/data/0005"); a
// path on a local file system is its own universal name.
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

} // namespace vq
