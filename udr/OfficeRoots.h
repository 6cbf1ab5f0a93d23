#pragma once
// The folders of the server's machine that its file routines may act in:
// the office roots its administrator names in a file beside the module.
// Every path a client sends is hostile until it has been resolved (links
// followed, "." and ".." folded, repeated and trailing separators dropped)
// and found below one of these roots; the routines then act on the resolved
// path, never on the one they were sent.
//
// The roots file, "vqfileops-roots.conf" in the module's folder, holds one
// absolute folder a line, in UTF-8; blank lines and lines starting with '#'
// are ignored, as are the blanks around a line. Each root is resolved again
// at every check, so a root that is a link, or one created after the server
// started, counts where it really lies; a root that does not exist admits
// nothing.
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vq::udr {

// What a routine is about to do with a path.
enum class PathUse {
    Look,     // test, read or create below: a root itself is allowed
    Change,   // write, move, delete or remove: strictly below a root
};

class OfficeRoots {
public:
    static constexpr const char* kFileName = "vqfileops-roots.conf";

    // The roots listed in a roots file's text; a line that is not an
    // absolute path is left out and named in ignored.
    static OfficeRoots parse(std::istream& text, std::vector<std::string>* ignored = nullptr);
    // The roots file at file; no roots when it cannot be read.
    static OfficeRoots load(const std::filesystem::path& file, std::vector<std::string>* ignored = nullptr);

    bool empty() const { return roots_.empty(); }
    const std::vector<std::filesystem::path>& roots() const { return roots_; }

    // The resolved form of path when it lies inside the office for that use;
    // nothing when it is relative, cannot be resolved, or lies outside.
    std::optional<std::filesystem::path> confine(const std::string& path, PathUse use) const;

private:
    std::vector<std::filesystem::path> roots_;
};

// path with every link resolved, "." and ".." folded and separators
// collapsed. The part that does not exist yet is appended as written (once a
// folder is missing nothing below it can be a link); nothing when path is
// relative or a link in it leads nowhere.
std::optional<std::filesystem::path> resolvePath(const std::filesystem::path& path);

} // namespace vq::udr
