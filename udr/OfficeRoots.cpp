#include "OfficeRoots.h"

#include <fstream>
#include <istream>
#include <system_error>

namespace vq::udr {

namespace fs = std::filesystem;

namespace {

std::string trimmed(const std::string& line)
{
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

// path is root or lies below it; both are resolved, so comparing whole
// components is enough ("/srv/office2" is not below "/srv/office").
bool within(const fs::path& path, const fs::path& root)
{
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        if (p == path.end() || *p != *r)
            return false;
    }
    return true;
}

} // namespace

std::optional<fs::path> resolvePath(const fs::path& path)
{
    if (!path.is_absolute())
        return std::nullopt;
    fs::path existing = path.root_path();
    std::vector<fs::path> missing;
    for (const fs::path& part : path.relative_path()) {
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            // Above an existing folder ".." is its real parent: the folder
            // is already resolved, so no link can be skipped by folding.
            if (!missing.empty())
                missing.pop_back();
            else
                existing = existing.parent_path();
            continue;
        }
        if (!missing.empty()) {
            missing.push_back(part);
            continue;
        }
        const fs::path next = existing / part;
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(next, ec);
        if (status.type() == fs::file_type::not_found) {
            missing.push_back(part);
            continue;
        }
        if (ec)
            return std::nullopt;
        fs::path real = fs::canonical(next, ec);
        if (ec)   // a link to nowhere would be followed by a write
            return std::nullopt;
        existing = std::move(real);
    }
    for (const fs::path& part : missing)
        existing /= part;
    return existing;
}

OfficeRoots OfficeRoots::parse(std::istream& text, std::vector<std::string>* ignored)
{
    OfficeRoots result;
    std::string line;
    while (std::getline(text, line)) {
        const std::string entry = trimmed(line);
        if (entry.empty() || entry.front() == '#')
            continue;
        const fs::path root(entry);
        if (!root.is_absolute()) {
            if (ignored)
                ignored->push_back(entry);
            continue;
        }
        result.roots_.push_back(root.lexically_normal());
    }
    return result;
}

OfficeRoots OfficeRoots::load(const fs::path& file, std::vector<std::string>* ignored)
{
    std::ifstream in(file);
    if (!in)
        return {};
    return parse(in, ignored);
}

std::optional<fs::path> OfficeRoots::confine(const std::string& path, PathUse use) const
{
    if (path.empty())
        return std::nullopt;
    const std::optional<fs::path> resolved = resolvePath(path);
    if (!resolved)
        return std::nullopt;
    for (const fs::path& configured : roots_) {
        std::error_code ec;
        const fs::path root = fs::canonical(configured, ec);
        if (ec || !fs::is_directory(root, ec))
            continue;
        if (within(*resolved, root) && (use == PathUse::Look || *resolved != root))
            return resolved;
    }
    return std::nullopt;
}

} // namespace vq::udr
