#include "platform/db/EmbeddedEngine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>

#include "platform/db/DbError.h"

#ifndef VQ_FIREBIRD_SYSTEM_ROOT
#define VQ_FIREBIRD_SYSTEM_ROOT "/usr/lib/x86_64-linux-gnu/firebird/3.0"
#endif

namespace fs = std::filesystem;

namespace vq::db {

namespace {

// SuperClassic: one engine per process, files shared through the lock
// manager, so the tools this program starts can open what it has open.
constexpr const char* kConf =
    "# Made by the Vorlen programs for their embedded Firebird engine.\n"
    "ServerMode = SuperClassic\n";

fs::path systemRoot()
{
    if (const char* r = std::getenv("VQ_FIREBIRD_SYSTEM_ROOT"); r && *r)
        return r;
    return VQ_FIREBIRD_SYSTEM_ROOT;
}

std::string readAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The engine refuses character-set modules that lie outside its root once
// symbolic links are resolved, so the intl modules are copied (with their
// time stamp, to notice a Firebird update); everything else is linked.
bool mustCopy(const fs::path& entry)
{
    return entry.parent_path().filename() == "intl" && entry.extension() == ".so";
}

bool sameCopy(const fs::path& source, const fs::path& copy)
{
    std::error_code ec1, ec2, ec3, ec4;
    return fs::file_size(source, ec1) == fs::file_size(copy, ec2)
           && fs::last_write_time(source, ec3) == fs::last_write_time(copy, ec4) && !ec1 && !ec2 && !ec3 && !ec4;
}

bool isComplete(const fs::path& dir, const fs::path& sys)
{
    std::error_code ec;
    if (readAll(dir / "firebird.conf") != kConf)
        return false;
    for (const auto& entry : fs::directory_iterator(sys, ec)) {
        const auto name = entry.path().filename();
        if (name != "firebird.conf" && !fs::exists(dir / name, ec))
            return false;
    }
    for (const auto& entry : fs::directory_iterator(sys / "intl", ec))
        if (mustCopy(entry.path()) && !sameCopy(entry.path(), dir / "intl" / entry.path().filename()))
            return false;
    return !ec;
}

void linkOrCopy(const fs::path& source, const fs::path& target)
{
    if (!mustCopy(source)) {
        fs::create_symlink(source, target);
        return;
    }
    fs::copy_file(source, target);
    fs::last_write_time(target, fs::last_write_time(source));
}

fs::path makePrivateRoot(const fs::path& dir, int attempt = 0)
{
    const fs::path sys = systemRoot();
    std::error_code ec;
    if (!fs::is_directory(sys / "plugins", ec))
        throw DbError("Firebird is not installed where expected: " + sys.string());
    if (fs::exists(fs::symlink_status(dir, ec))) {
        checkPrivateFolder(dir);
        if (isComplete(dir, sys))
            return dir;
    }

    // Built beside and renamed into place, so that a second process never
    // sees half a root.
    const fs::path work = dir.string() + ".tmp" + std::to_string(::getpid());
    fs::remove_all(work, ec);
    if (::mkdir(work.c_str(), 0700) != 0)
        throw DbError("cannot create " + work.string() + ": " + std::generic_category().message(errno));
    for (const auto& entry : fs::directory_iterator(sys)) {
        const auto name = entry.path().filename();
        if (name == "firebird.conf" || name == "intl")
            continue;
        fs::create_symlink(entry.path(), work / name);
    }
    fs::create_directory(work / "intl");
    for (const auto& entry : fs::directory_iterator(sys / "intl"))
        linkOrCopy(entry.path(), work / "intl" / entry.path().filename());
    {
        std::ofstream out(work / "firebird.conf", std::ios::binary);
        out << kConf;
        if (!out.flush())
            throw DbError("cannot write " + (work / "firebird.conf").string());
    }
    fs::rename(work, dir, ec);
    if (ec) {
        // Another process was quicker, or an outdated root is in the way.
        fs::remove_all(work, ec);
        checkPrivateFolder(dir);
        if (!isComplete(dir, sys)) {
            if (attempt >= 2)
                throw DbError("cannot prepare the Firebird root " + dir.string());
            fs::remove_all(dir, ec);
            return makePrivateRoot(dir, attempt + 1);
        }
    }
    return dir;
}

} // namespace

void checkPrivateFolder(const fs::path& folder)
{
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        throw DbError("cannot use the folder " + folder.string() + ": " + std::generic_category().message(errno));
    if (S_ISLNK(st.st_mode))
        throw DbError("refusing the folder " + folder.string() + ": it is a symbolic link");
    if (!S_ISDIR(st.st_mode))
        throw DbError("refusing the folder " + folder.string() + ": it is not a folder");
    if (st.st_uid != ::geteuid())
        throw DbError("refusing the folder " + folder.string() + ": it belongs to another user");
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        throw DbError("refusing the folder " + folder.string() + ": others may write to it");
}

fs::path userRuntimeFolder()
{
    if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg) {
        checkPrivateFolder(xdg);
        return xdg;
    }
    std::error_code ec;
    const fs::path tmp = fs::temp_directory_path(ec);
    const fs::path folder = (ec ? fs::path("/tmp") : tmp) / ("vq-runtime-" + std::to_string(::geteuid()));
    // mkdir, not create_directories: the mode is set at birth, and a folder
    // planted beforehand under this name is judged, not adopted.
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw DbError("cannot create " + folder.string() + ": " + std::generic_category().message(errno));
    checkPrivateFolder(folder);
    return folder;
}

fs::path prepareEngineRoot(const fs::path& runtimeFolder)
{
    checkPrivateFolder(runtimeFolder);
    try {
        return makePrivateRoot(runtimeFolder / "vq-firebird");
    } catch (const fs::filesystem_error& e) {
        throw DbError(std::string("cannot prepare the Firebird root: ") + e.what());
    }
}

fs::path ensureEmbeddedEngine()
{
    static std::mutex mutex;
    static fs::path root;
    std::lock_guard lock(mutex);
    if (!root.empty())
        return root;
    if (const char* given = std::getenv("FIREBIRD"); given && *given) {
        root = given;
        return root;
    }
    root = prepareEngineRoot(userRuntimeFolder());
    ::setenv("FIREBIRD", root.c_str(), 1);
    return root;
}

} // namespace vq::db
