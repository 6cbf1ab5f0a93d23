#include "linkage/ExportMojiBunkatu.h"

#include "foundation/text/MojiBunkatu.h"

namespace vq::linkage {

void TMojiBunkatu::Clear()
{
    Items.clear();
    Count = 0;
}

void TMojiBunkatu::Split(std::string_view text)
{
    // One splitting rule for the whole program: the foundation's ordinary mode.
    vq::TMojiBunkatu splitter;
    splitter.Delimiter = Delimiter;
    splitter.Mode = 0;
    splitter.Split(text);
    Items = std::move(splitter.Items);
    Count = static_cast<std::int32_t>(Items.size());
}

std::string TMojiBunkatu::Get(int index) const
{
    if (index < 0 || index >= Count || static_cast<std::size_t>(index) >= Items.size())
        return {};
    return Items[static_cast<std::size_t>(index)];
}

} // namespace vq::linkage
