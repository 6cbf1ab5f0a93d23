#pragma once
// The product versions that give a data version its display name ("22版"):
// the first editions built in, one row per major up to this program's own,
// and the products installed on this computer as the registry store lists
// them. Rows, names and count follow the display-list rule: an index outside
// 0..Count-1 reads as an empty text.
#include <cstdint>
#include <string>
#include <vector>

namespace vq {

struct TDataVersionRec {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Minor2 = 0;
    std::string Name;
};

class TSeihinVersionList {
public:
    // Takes the product's registry key from the application information.
    TSeihinVersionList();

    // Sub-keys of the installed-products key whose name holds this text
    // (letter case ignored) are this product's installations.
    std::string ProductKey;
    // When not empty, row 0 with version 0.0.0 (a "choose nothing" row).
    std::string FirstText;
    std::vector<TDataVersionRec> Rows;
    std::vector<std::string> Names;
    std::int32_t Count = 0;

    void Clear();
    // sortOrder 1 sorts descending; anything else keeps the order of loading.
    void Load(std::uint8_t sortOrder);
    // 0 ascending, 1 descending by (Major, Minor); a FirstText row stays first.
    void Sort(std::uint8_t order);
    std::string GetText() const;
    // "major.minor"; '' outside the list and for version 0.0.
    std::string GetVersionText(std::int32_t index) const;
    std::string GetName(std::int32_t index) const;
    std::int32_t IndexOfName(const std::string& name) const;

private:
    void Add(std::int32_t major, std::int32_t minor, const std::string& name);
};

// The label the data lists show for data version major.minor, the same
// whether it was stored with the list or read afresh from the data set:
// '' for 0.0, "評価版" for a trial version, the product edition by its
// numbering for a major version (14.0 is "22版") although the host product's
// own major is unknown, else the installed product's name for it, else the
// bare "major.minor".
std::string DataVersionLabel(std::int32_t major, std::int32_t minor);

} // namespace vq
