#pragma once
// A file system that fails its (N+1)-th file copy (or any rename, when asked),
// for the tests that check that a failure midway loses nothing.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <system_error>

#include <sys/stat.h>

#include "datasets/operations/DataSetFileSystem.h"

namespace vq::test {

class FailingFileSystem : public DataSetFileSystem {
public:
    int copiesBeforeFailure = 0;   // copies that succeed; the next one fails
    bool failRenames = false;
    int copies = 0;

    void copyFile(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        if (copies++ >= copiesBeforeFailure) {
            // Half a file lands, as when the disk fills up.
            std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
            std::filesystem::resize_file(to, std::filesystem::file_size(to) / 2);
            throw std::filesystem::filesystem_error("disk full", to, std::make_error_code(std::errc::no_space_on_device));
        }
        DataSetFileSystem::copyFile(from, to);
    }
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        if (failRenames)
            throw std::filesystem::filesystem_error("rename refused", from, to,
                                                    std::make_error_code(std::errc::permission_denied));
        DataSetFileSystem::rename(from, to);
    }
};

// Installs a FailingFileSystem for the guard's lifetime.
class ScopedFailingFileSystem {
public:
    explicit ScopedFailingFileSystem(int copiesBeforeFailure)
    {
        auto seam = std::make_unique<FailingFileSystem>();
        seam->copiesBeforeFailure = copiesBeforeFailure;
        fs_ = seam.get();
        previous_ = installDataSetFileSystem(std::move(seam));
    }
    ~ScopedFailingFileSystem() { installDataSetFileSystem(std::move(previous_)); }
    FailingFileSystem* operator->() { return fs_; }

private:
    FailingFileSystem* fs_;
    std::unique_ptr<DataSetFileSystem> previous_;
};

// Every entry below folder with a digest of its bytes, for comparisons of
// whole folders. A database is never opened by a byte comparison's reader
// alone: attaching it rewrites its header, so a database file is judged by
// its identity (the same file, never replaced) and size, and its content is
// compared through queries where it matters.
inline std::map<std::string, std::string> snapshotOf(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    std::error_code ec;
    if (!std::filesystem::exists(folder, ec))
        return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string rel = std::filesystem::relative(entry.path(), folder).string();
        if (entry.is_directory()) {
            files[rel + "/"] = "";
        } else if (entry.path().extension() == ".fdb") {
            struct stat st {};
            ::stat(entry.path().c_str(), &st);
            files[rel] = "file " + std::to_string(st.st_ino) + " size " + std::to_string(entry.file_size());
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes(std::istreambuf_iterator<char>(in), {});
            files[rel] = std::to_string(bytes.size()) + " bytes, digest " + std::to_string(std::hash<std::string>{}(bytes));
        }
    }
    return files;
}

} // namespace vq::test
