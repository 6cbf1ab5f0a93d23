#include "platform/Folders.h"

#include "platform/IniFile.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace vq::platform::folders {
namespace {

namespace fs = std::filesystem;

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

fs::path home()
{
    if (auto h = environment("HOME"); !h.empty())
        return h;
    struct passwd pw {};
    struct passwd* result = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &pw, buffer, sizeof buffer, &result) == 0 && result)
        return result->pw_dir;
    return "/";
}

bool rootMoved()
{
    return !environment("VQ_ROOT").empty();
}

// Creating is best effort: a folder that cannot be made shows up as a clear
// error where a file in it is opened.
fs::path ensured(fs::path folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

// XDG_DOCUMENTS_DIR from ~/.config/user-dirs.dirs (what xdg-user-dir reads).
fs::path xdgDocuments()
{
    fs::path config = environment("XDG_CONFIG_HOME");
    if (config.empty() || !config.is_absolute())
        config = home() / ".config";
    std::ifstream in(config / "user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        const std::string prefix = "XDG_DOCUMENTS_DIR=";
        if (line.rfind(prefix, 0) != 0)
            continue;
        std::string value = line.substr(prefix.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = home().string() + value.substr(5);
        if (!value.empty() && value.front() == '/')
            return value;
    }
    return home() / "Documents";
}

fs::path drivesFile()
{
    return root() / "drives.ini";
}

std::string letterKey(char letter)
{
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
}

} // namespace

fs::path root()
{
    if (auto moved = environment("VQ_ROOT"); !moved.empty())
        return ensured(fs::absolute(moved));
    fs::path data = environment("XDG_DATA_HOME");
    if (data.empty() || !data.is_absolute())
        data = home() / ".local" / "share";
    return ensured(data / "vorlen");
}

fs::path commonAppData()
{
    return ensured(root() / "common");
}

fs::path documents()
{
    if (rootMoved())
        return ensured(root() / "documents");
    return ensured(xdgDocuments());
}

fs::path temp()
{
    if (rootMoved())
        return ensured(root() / "tmp");
    if (auto t = environment("TMPDIR"); !t.empty())
        return ensured(t);
    return "/tmp";
}

fs::path program()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path(ec);
    return exe.parent_path();
}

fs::path registryFile()
{
    return ensured(root() / "registry") / "HKLM.ini";
}

// Under the root rather than XDG_RUNTIME_DIR, so that a test with its own root
// never meets the locks of a program running for real.
fs::path runtime()
{
    return ensured(root() / "run");
}

std::map<char, fs::path> driveMap()
{
    std::map<char, fs::path> drives;
    IniFile ini(drivesFile());
    for (const auto& key : ini.keys("Drives")) {
        if (key.size() != 1 || !std::isalpha(static_cast<unsigned char>(key[0])))
            continue;
        std::string target = ini.readString("Drives", key);
        if (!target.empty())
            drives[static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])))] = target;
    }
    return drives;
}

std::optional<fs::path> driveRoot(char letter)
{
    auto drives = driveMap();
    auto it = drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    if (it == drives.end())
        return std::nullopt;
    return it->second;
}

void mapDrive(char letter, const fs::path& mountPoint)
{
    IniFile(drivesFile()).writeString("Drives", letterKey(letter), mountPoint.string());
}

void unmapDrive(char letter)
{
    IniFile(drivesFile()).deleteKey("Drives", letterKey(letter));
}

} // namespace vq::platform::folders
