#include "TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace vq::test {

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path()) {}

TempDir::TempDir(const std::filesystem::path& base)
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("vqtest-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

ScopedRoot::ScopedRoot()
{
    if (const char* old = std::getenv("VQ_ROOT")) {
        hadPrevious_ = true;
        previous_ = old;
    }
    ::setenv("VQ_ROOT", dir_.path().c_str(), 1);
}

ScopedRoot::~ScopedRoot()
{
    if (hadPrevious_)
        ::setenv("VQ_ROOT", previous_.c_str(), 1);
    else
        ::unsetenv("VQ_ROOT");
}

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace vq::test
