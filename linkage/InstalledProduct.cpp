#include "linkage/InstalledProduct.h"

#include "foundation/app/AppInfo.h"
#include "platform/RegistryStore.h"

#include <cstdio>
#include <exception>

namespace vq::linkage {

namespace {

std::string lower(std::string s)
{
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

std::string twoDigits(std::int32_t n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2d", static_cast<int>(n));
    return buf;
}

} // namespace

void ReadInstalledProductValue(std::int32_t major, std::int32_t minor, const std::string& name,
                               std::string& value)
{
    const std::string keyWord = lower(AppInfo.RidedRegKey);
    try {
        std::string root = AppInfo.ApplicationRegKey;
        while (!root.empty() && root.front() == '\\')
            root.erase(0, 1);
        const auto store = platform::RegistryStore::machine();
        if (!root.empty() && store.keyExists(root)) {
            const auto subKeys = store.subKeys(root);
            const std::string wanted = keyWord + twoDigits(major);
            // Later sub-keys are newer installations of the same version.
            for (auto it = subKeys.rbegin(); it != subKeys.rend(); ++it) {
                if (lower(*it).find(wanted) == std::string::npos)
                    continue;
                value = store.readString(root + "\\" + *it, name).value_or(std::string());
                break;
            }
        }
    } catch (const std::exception&) {
        // An unreadable store is the same as a product that is not installed.
    }

    if (lower(name) == "rootdir") {
        while (!value.empty() && (value.back() == '\\' || value.back() == '/'))
            value.pop_back();
        value += "/" + keyWord + twoDigits(major + 8);
        if (minor > 0)
            value += static_cast<char>('a' + minor);
    }
}

} // namespace vq::linkage
