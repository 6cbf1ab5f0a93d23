#include "foundation/text/MojiBunkatu.h"

#include "foundation/text/StringList2.h"
#include "platform/Cp932.h"

#include <algorithm>

namespace vq {

void TMojiBunkatu::Clear()
{
    Items.clear();
    Count = 0;
}

void TMojiBunkatu::Split(std::string_view text)
{
    Clear();
    if (Mode == 1) {
        TStringList2 list;
        list.QuoteChar = '"';
        list.Delimiter = Delimiter;
        list.TrimFields = 1;
        if (Delimiter == ',')
            list.SetCommaText2(text);
        else
            list.SetDelimitedText2(text);
        Items = std::move(list.Strings);
    } else {
        Items = ParseDelimitedText(text, Delimiter, '"');
    }
    if (Items.empty())
        Items.emplace_back();
    Count = static_cast<std::int32_t>(Items.size());
}

void TMojiBunkatu::SplitByBytes(std::string_view text, int width)
{
    Clear();
    if (width >= 2) {
        Items = platform::cp932::splitBytes(text, static_cast<std::size_t>(width));
    } else {
        // One character per piece: the only split that always moves on and
        // never halves a double-byte character.
        for (std::size_t i = 0; i < text.size();) {
            auto lead = static_cast<unsigned char>(text[i]);
            std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            n = std::min(n, text.size() - i);
            Items.emplace_back(text.substr(i, n));
            i += n;
        }
    }
    if (Items.empty())
        Items.emplace_back();
    Count = static_cast<std::int32_t>(Items.size());
}

std::string TMojiBunkatu::Get(int index) const
{
    if (index < 0 || index >= Count || static_cast<std::size_t>(index) >= Items.size())
        return {};
    return Items[static_cast<std::size_t>(index)];
}

} // namespace vq
