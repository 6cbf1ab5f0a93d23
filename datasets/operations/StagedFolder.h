#pragma once
// The safe way to replace a data set's folder or file: build the new content
// beside the target, check it, and swap it in with renames only once it is
// complete. Until commit() the target is never touched, and a stage that was
// not committed is removed with the object, so a failure at any point leaves
// the target byte-identical. The old content is removed only after the new
// one is in place.
//
// Every file operation goes through dataSetFileSystem() and throws on failure.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vq {

// The entries of folder sorted by name; empty when it is missing. Listings
// of the operations use this order, never the file system's own.
std::vector<std::filesystem::path> SortedFolderEntries(const std::filesystem::path& folder);

// Whether inner is outer itself or lies below it. Both paths are made
// canonical as far as they exist (links and "..", a trailing delimiter) and
// compared component by component, so "/a/b2" is not inside "/a/b".
bool IsSameOrInsideFolder(const std::filesystem::path& inner, const std::filesystem::path& outer);
bool IsSameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

class StagedFolder {
public:
    // An entry of a copied tree, relative to its root, that is left out.
    using SkipFunc = std::function<bool(const std::filesystem::path& relative)>;

    // The stage is a fresh hidden sibling of target (same file system, so the
    // swap is a rename).
    explicit StagedFolder(std::filesystem::path target);
    ~StagedFolder();
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    const std::filesystem::path& path() const { return stage_; }
    const std::filesystem::path& target() const { return target_; }

    // Copies the files and sub-folders of source into the stage (entries the
    // stage already holds are replaced), each file checked by its size.
    void copyTree(const std::filesystem::path& source, const SkipFunc& skip = {});
    // Copies one file into the stage under its own name, checked by size.
    void copyFile(const std::filesystem::path& sourceFile);
    // Whether every file below source has its copy of the same size here.
    bool holdsCopyOf(const std::filesystem::path& source, const SkipFunc& skip = {}) const;

    // Swaps the stage in: the target (when present) is renamed aside, the
    // stage renamed to the target, and the old content removed. A failed
    // rename puts the old target back and throws.
    void commit();

private:
    std::filesystem::path target_;
    std::filesystem::path stage_;
    bool committed_ = false;
};

// Replaces target with the complete file replacement (same folder) by one
// rename; replacement is gone afterwards.
void SwapInFile(const std::filesystem::path& replacement, const std::filesystem::path& target);

// A hidden name beside path for a temporary of the operations: ".<name>.<tag>".
std::filesystem::path SiblingWorkPath(const std::filesystem::path& path, const std::string& tag);

// Moves path into the user's trash (the freedesktop.org trash under
// $XDG_DATA_HOME, else ~/.local/share), so that the operator can get it back.
// Throws when it cannot be moved; path is then unchanged.
void MoveToTrash(const std::filesystem::path& path);

} // namespace vq
