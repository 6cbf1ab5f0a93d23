#pragma once
// A work folder of one transfer: a new folder "<prefix>.XXXXXX" that only
// this user may enter (0700), created under base and removed with all it
// holds when the object goes, on every way out. Backups, archives and
// enciphered files of a data set never lie in a folder others can read.
#include <filesystem>
#include <string>

namespace vq::comm {

class TPrivateWorkFolder {
public:
    // Throws std::system_error when the folder cannot be made.
    TPrivateWorkFolder(const std::filesystem::path& base, const std::string& prefix);
    ~TPrivateWorkFolder();
    TPrivateWorkFolder(const TPrivateWorkFolder&) = delete;
    TPrivateWorkFolder& operator=(const TPrivateWorkFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace vq::comm
