#pragma once
#include <filesystem>

namespace vq::test {

// A fresh folder under the system temp folder (or under base), removed with
// the object.
class TempDir {
public:
    TempDir();
    explicit TempDir(const std::filesystem::path& base);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& p) const { return path_ / p; }

private:
    std::filesystem::path path_;
};

// Points VQ_ROOT at a fresh temporary root for the object's lifetime, so a test
// never touches the real folders, and restores the previous value afterwards.
class ScopedRoot {
public:
    ScopedRoot();
    ~ScopedRoot();
    const std::filesystem::path& path() const { return dir_.path(); }

private:
    TempDir dir_;
    bool hadPrevious_ = false;
    std::string previous_;
};

// Bytes of a file, for comparisons in tests.
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, std::string_view bytes);

} // namespace vq::test
