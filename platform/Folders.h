#pragma once
// Every folder the programs use derives from one root. VQ_ROOT moves it (tests
// and the sample office set it); without it the root is $XDG_DATA_HOME/vorlen
// (~/.local/share/vorlen). Folders are created on first use.
#include <filesystem>
#include <map>
#include <optional>

namespace vq::platform::folders {

std::filesystem::path root();
// CSIDL_COMMON_APPDATA: data shared by all users of this computer.
std::filesystem::path commonAppData();
// CSIDL_PERSONAL: the user's documents ($XDG_DOCUMENTS_DIR without VQ_ROOT).
std::filesystem::path documents();
// GetTempPath.
std::filesystem::path temp();
// The folder of the running executable.
std::filesystem::path program();
// The file of the registry store.
std::filesystem::path registryFile();
// Per-user runtime folder for named-mutex lock files.
std::filesystem::path runtime();

// Network "drives": a letter mapped to a mount point, kept in root()/drives.ini
// section [Drives] (A=/mnt/share). Letters are without case.
std::map<char, std::filesystem::path> driveMap();
std::optional<std::filesystem::path> driveRoot(char letter);
void mapDrive(char letter, const std::filesystem::path& mountPoint);
void unmapDrive(char letter);

} // namespace vq::platform::folders
