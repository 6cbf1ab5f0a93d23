#include "foundation/dataset/SeihinVersionList.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <utility>

#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/RegistryStore.h"

namespace vq {

namespace {

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// Major and minor of a "major.minor.release" text; nothing unless it has
// exactly three parts and the first two are numbers.
std::optional<std::pair<std::int32_t, std::int32_t>> splitVersion(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto dot = text.find('.', start);
        parts.push_back(text.substr(start, dot - start));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    if (parts.size() != 3)
        return std::nullopt;
    std::int32_t numbers[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const std::string& p = parts[static_cast<std::size_t>(i)];
        const auto [end, ec] = std::from_chars(p.data(), p.data() + p.size(), numbers[i]);
        if (ec != std::errc() || end != p.data() + p.size() || p.empty())
            return std::nullopt;
    }
    return std::make_pair(numbers[0], numbers[1]);
}

// The edition that wrote data version major.0: the first three by their own
// names, which an OEM build does not show, then major + 8.
std::string editionName(std::int32_t major)
{
    if (major >= 4)
        return std::to_string(major + 8) + "版";
    if (major >= 1 && OemKind == 0) {
        static const char* const kFirstEditions[] = {"09版", "10版", "11版"};
        return kFirstEditions[major - 1];
    }
    return {};
}

bool before(const TDataVersionRec& a, const TDataVersionRec& b)
{
    return a.Major < b.Major || (a.Major == b.Major && a.Minor < b.Minor);
}

} // namespace

TSeihinVersionList::TSeihinVersionList()
{
    ProductKey = AppInfo.RidedRegKey;
    if (ProductKind == 2)
        ProductKey = AppInfo.HalbrinRegKey;
    else if (ProductKind == 3)
        ProductKey = AppInfo.DideveduRegKey;
    Clear();
}

void TSeihinVersionList::Clear()
{
    Rows.clear();
    Names.clear();
    Count = 0;
}

void TSeihinVersionList::Add(std::int32_t major, std::int32_t minor, const std::string& name)
{
    Rows.push_back({major, minor, 0, name});
    Names.push_back(name);
    Count = static_cast<std::int32_t>(Rows.size());
}

void TSeihinVersionList::Load(std::uint8_t sortOrder)
{
    Clear();
    if (!FirstText.empty())
        Add(0, 0, FirstText);
    for (std::int32_t major = 1; major <= std::max(3, SystemDef.AppVerMajor); ++major)
        if (std::string name = editionName(major); !name.empty())
            Add(major, 0, name);

    // Products installed on this computer; an unreadable store adds nothing.
    try {
        const auto store = platform::RegistryStore::machine();
        std::string root = AppInfo.ApplicationRegKey;
        while (!root.empty() && root.front() == '\\')
            root.erase(0, 1);
        const std::string key = upper(ProductKey);
        if (!root.empty() && store.keyExists(root)) {
            for (const auto& sub : store.subKeys(root)) {
                if (upper(sub).find(key) == std::string::npos)
                    continue;
                const std::string path = root + "\\" + sub;
                const auto v = splitVersion(store.readString(path, "Version").value_or(std::string()));
                if (!v)
                    continue;
                const bool known = std::any_of(Rows.begin(), Rows.end(), [&](const TDataVersionRec& r) {
                    return r.Major == v->first && r.Minor == v->second;
                });
                if (!known)
                    Add(v->first, v->second, store.readString(path, "Type").value_or(std::string()));
            }
        }
    } catch (const std::exception&) {
    }
    if (sortOrder == 1)
        Sort(1);
}

void TSeihinVersionList::Sort(std::uint8_t order)
{
    const std::size_t first = FirstText.empty() ? 0 : 1;
    // A bubble sort keeps rows of one version in the order they were loaded.
    for (std::size_t n = Rows.size(); n > first + 1; --n) {
        for (std::size_t i = first; i + 1 < n; ++i) {
            const bool swap = order == 1 ? before(Rows[i], Rows[i + 1]) : before(Rows[i + 1], Rows[i]);
            if (swap)
                std::swap(Rows[i], Rows[i + 1]);
        }
    }
    Names.clear();
    for (const auto& r : Rows)
        Names.push_back(r.Name);
}

std::string TSeihinVersionList::GetText() const
{
    std::string text;
    for (const auto& name : Names)
        text += name + "\r\n";
    return text;
}

std::string TSeihinVersionList::GetVersionText(std::int32_t index) const
{
    if (index < 0 || index >= Count)
        return {};
    const auto& r = Rows[static_cast<std::size_t>(index)];
    if (r.Major == 0 && r.Minor == 0)
        return {};
    return std::to_string(r.Major) + "." + std::to_string(r.Minor);
}

std::string TSeihinVersionList::GetName(std::int32_t index) const
{
    if (index < 0 || index >= Count)
        return {};
    return Rows[static_cast<std::size_t>(index)].Name;
}

std::int32_t TSeihinVersionList::IndexOfName(const std::string& name) const
{
    for (std::int32_t i = 0; i < Count; ++i) {
        if (Rows[static_cast<std::size_t>(i)].Name == name)
            return i;
    }
    return -1;
}

std::string DataVersionLabel(std::int32_t major, std::int32_t minor)
{
    if (major == 0)
        return minor > 0 ? "評価版" : "";
    if (minor == 0)
        if (std::string edition = editionName(major); !edition.empty())
            return edition;
    const std::string numbers = std::to_string(major) + "." + std::to_string(minor);
    TSeihinVersionList installed;
    installed.Load(0);
    for (std::int32_t i = 0; i < installed.Count; ++i)
        if (installed.GetVersionText(i) == numbers)
            return installed.GetName(i);
    return numbers;
}

} // namespace vq
