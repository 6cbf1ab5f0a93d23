#include "foundation/files/FileOperations.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "foundation/files/FileUtils.h"
#include "foundation/files/ShellOperations.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

constexpr std::uint8_t kLocal = 0;

ServerFileOperationFunc& serverOperation()
{
    static ServerFileOperationFunc installed;
    return installed;
}

bool onServer(std::uint8_t mode)
{
    return (mode == 1 || mode == 2) && serverOperation();
}

bool server(const char* op, const std::string& path1, const std::string& path2 = {})
{
    return serverOperation()(op, path1, path2);
}

} // namespace

ServerFileOperationFunc InstallServerFileOperation(ServerFileOperationFunc operation)
{
    return std::exchange(serverOperation(), std::move(operation));
}

bool FileOpDExist(const std::string& path, std::uint8_t mode)
{
    if (onServer(mode))
        return server("DEXIST", path);
    if (mode != kLocal || path.empty())
        return false;
    std::error_code ec;
    return fs::is_directory(ResolveDrivePath(path), ec);
}

bool FileOpMkDir(const std::string& path, std::uint8_t mode)
{
    if (onServer(mode))
        return server("MKDIR", path);
    if (mode != kLocal || path.empty())
        return false;
    return ForceFolder(path);
}

bool FileOpRmDir(const std::string& path, std::uint8_t mode, bool allowUndo)
{
    if (onServer(mode))
        return server("RMDIR", path);
    if (mode != kLocal)
        return false;
    return ShellDeleteSafe(path, FO_DELETE, allowUndo, true);
}

bool FileOpFExist(const std::string& path, std::uint8_t mode)
{
    if (onServer(mode))
        return server("FEXIST", path);
    if (mode != kLocal || path.empty())
        return false;
    std::error_code ec;
    return fs::is_regular_file(ResolveDrivePath(path), ec);
}

bool FileOpFDel(const std::string& path, std::uint8_t mode, bool allowUndo)
{
    if (onServer(mode))
        return server("FDEL", path);
    if (mode != kLocal)
        return false;
    return ShellDeleteSafe(path, FO_DELETE, allowUndo, true);
}

bool FileOpFMove(const std::string& source, const std::string& target, std::uint8_t mode)
{
    if (onServer(mode))
        return server("FCOPY", source, target) && server("FDEL", source);
    if (mode != kLocal || source.empty() || target.empty())
        return false;
    std::error_code ec;
    fs::rename(ResolveDrivePath(source), ResolveDrivePath(target), ec);
    return !ec;
}

bool FileOpFCopy(const std::string& source, const std::string& target, std::uint8_t mode)
{
    if (onServer(mode))
        return server("FCOPY", source, target);
    if (mode != kLocal)
        return false;
    return ShellCopySafe(source, target, FO_COPY);
}

} // namespace vq
