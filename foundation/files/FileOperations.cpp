#include "foundation/files/FileOperations.h"

#include <filesystem>
#include <system_error>

#include "foundation/files/FileUtils.h"
#include "foundation/files/ShellOperations.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

constexpr std::uint8_t kLocal = 0;

} // namespace

bool FileOpDExist(const std::string& path, std::uint8_t mode)
{
    if (mode != kLocal || path.empty())
        return false;
    std::error_code ec;
    return fs::is_directory(ResolveDrivePath(path), ec);
}

bool FileOpMkDir(const std::string& path, std::uint8_t mode)
{
    if (mode != kLocal || path.empty())
        return false;
    return ForceFolder(path);
}

bool FileOpRmDir(const std::string& path, std::uint8_t mode, bool allowUndo)
{
    if (mode != kLocal)
        return false;
    return ShellDeleteSafe(path, FO_DELETE, allowUndo, true);
}

bool FileOpFExist(const std::string& path, std::uint8_t mode)
{
    if (mode != kLocal || path.empty())
        return false;
    std::error_code ec;
    return fs::is_regular_file(ResolveDrivePath(path), ec);
}

bool FileOpFDel(const std::string& path, std::uint8_t mode, bool allowUndo)
{
    if (mode != kLocal)
        return false;
    return ShellDeleteSafe(path, FO_DELETE, allowUndo, true);
}

bool FileOpFMove(const std::string& source, const std::string& target, std::uint8_t mode)
{
    if (mode != kLocal || source.empty() || target.empty())
        return false;
    std::error_code ec;
    fs::rename(ResolveDrivePath(source), ResolveDrivePath(target), ec);
    return !ec;
}

bool FileOpFCopy(const std::string& source, const std::string& target, std::uint8_t mode)
{
    if (mode != kLocal)
        return false;
    return ShellCopySafe(source, target, FO_COPY);
}

} // namespace vq
