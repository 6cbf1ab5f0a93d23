#include "comm/PrivateWorkFolder.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace vq::comm {

namespace fs = std::filesystem;

TPrivateWorkFolder::TPrivateWorkFolder(const fs::path& base, const std::string& prefix)
{
    fs::create_directories(base);
    std::string pattern = (base / (prefix + ".XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "cannot create a work folder in " + base.string());
    path_ = pattern;
}

TPrivateWorkFolder::~TPrivateWorkFolder()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

} // namespace vq::comm
