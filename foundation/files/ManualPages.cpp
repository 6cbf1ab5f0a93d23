#include "foundation/files/ManualPages.h"

#include <array>

#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/Interaction.h"

namespace vq {

namespace {

struct ManualFolders {
    const char* top;    // folder of the top pages, under HelpDir
    const char* other;  // folder of every other page
};

// The manual's folders by product, or nullptr for a product without a manual.
const ManualFolders* foldersFor(int oemKind, int productKind)
{
    static const ManualFolders distributor[] = {
        {"rided", "rided/olm.files"},
        {"", "ecbolm.files"},
        {"halbrin", "halbrin/hbrolm.files"},
        {"", "csbolm.files"},
    };
    static const ManualFolders own[] = {
        {"", "olm.files"},
        {"", "olm.files"},
        {"", "olm.files"},
        {"", "csbolm.files"},
    };
    if (productKind < 0 || productKind > 3)
        return nullptr;
    return oemKind == 1 || oemKind == 2 ? &distributor[productKind] : &own[productKind];
}

// A file URL with every byte outside the unreserved set and '/' escaped.
std::string fileUrl(const std::filesystem::path& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    std::error_code ec;
    const std::filesystem::path absolute = path.is_absolute() ? path : std::filesystem::absolute(path, ec);
    for (const unsigned char c : (ec ? path : absolute).generic_string()) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
                           || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

} // namespace

bool IsManualTopPage(const std::string& pageName)
{
    static const std::array<const char*, 4> tops = {"olm.html", "ecbolm.html", "hbrolm.html", "csbolm.html"};
    for (const char* top : tops)
        if (pageName == top)
            return true;
    return false;
}

std::filesystem::path ManualPagePath(const std::string& pageName)
{
    const ManualFolders* folders = foldersFor(OemKind, ProductKind);
    if (!folders || pageName.empty())
        return {};
    std::filesystem::path path = SystemDef.HelpDir;
    const char* sub = IsManualTopPage(pageName) ? folders->top : folders->other;
    if (*sub)
        path /= sub;
    return path / pageName;
}

int ShowHtmlHelp(const std::string& pageName)
{
    const std::filesystem::path path = ManualPagePath(pageName);
    if (path.empty())
        return 0;
    return platform::interaction().openUrl(fileUrl(path)) ? 0 : NavigationFailed;
}

} // namespace vq
