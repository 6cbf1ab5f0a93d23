#pragma once
// The file-system calls of the data-set operations (copy, paste, restore,
// rebuild, consolidated children) go through this one seam, so that a test
// can make the disk fail after N files and check that nothing was lost.
// Every call throws std::system_error (or std::filesystem::filesystem_error)
// on failure; none of them reports to the operator.
#include <filesystem>
#include <memory>

namespace vq {

class DataSetFileSystem {
public:
    virtual ~DataSetFileSystem() = default;
    // Copies one file; an existing target is replaced.
    virtual void copyFile(const std::filesystem::path& from, const std::filesystem::path& to);
    // Creates the folder with its missing parents.
    virtual void createFolders(const std::filesystem::path& folder);
    // Renames within one file system; an existing target file is replaced.
    virtual void rename(const std::filesystem::path& from, const std::filesystem::path& to);
    // Removes a file or a folder with its contents; a missing path is no error.
    virtual void removeAll(const std::filesystem::path& path);
};

// The installed seam (the real file system when none was installed).
DataSetFileSystem& dataSetFileSystem();
// Installs a seam and returns the previous one (nullptr for the real one).
std::unique_ptr<DataSetFileSystem> installDataSetFileSystem(std::unique_ptr<DataSetFileSystem> seam);

} // namespace vq
