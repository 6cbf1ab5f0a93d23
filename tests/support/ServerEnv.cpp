#include "ServerEnv.h"

#include <cstdlib>

namespace vq::test {

std::string env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::filesystem::path serverOfficeRoot()
{
    const std::string root = env("VQ_FB_OFFICE_ROOT");
    return root.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(root);
}

} // namespace vq::test
