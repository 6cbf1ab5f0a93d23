#include "datasets/operations/DataSetFileSystem.h"

namespace fs = std::filesystem;

namespace vq {

namespace {
std::unique_ptr<DataSetFileSystem>& installed()
{
    static std::unique_ptr<DataSetFileSystem> seam;
    return seam;
}
} // namespace

void DataSetFileSystem::copyFile(const fs::path& from, const fs::path& to)
{
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

void DataSetFileSystem::createFolders(const fs::path& folder)
{
    fs::create_directories(folder);
}

void DataSetFileSystem::rename(const fs::path& from, const fs::path& to)
{
    fs::rename(from, to);
}

void DataSetFileSystem::removeAll(const fs::path& path)
{
    fs::remove_all(path);
}

DataSetFileSystem& dataSetFileSystem()
{
    static DataSetFileSystem real;
    return installed() ? *installed() : real;
}

std::unique_ptr<DataSetFileSystem> installDataSetFileSystem(std::unique_ptr<DataSetFileSystem> seam)
{
    std::unique_ptr<DataSetFileSystem> previous = std::move(installed());
    installed() = std::move(seam);
    return previous;
}

} // namespace vq
