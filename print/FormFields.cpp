#include "print/FormFields.h"

#include "print/ErrorLog.h"
#include "print/PrintColors.h"
#include "print/PrintDataFile.h"

#include <algorithm>
#include <exception>

namespace vq::print {

void TFormFieldTables::clear()
{
    for (auto& page : Fields)
        page.fill(TDataField{});
    for (auto& totals : Totals)
        totals.clear();
    FormPageCount = 0;
}

int TFormFieldTables::clampPage(int page)
{
    return std::clamp(page, 0, kFormPages - 1);
}

int TFormFieldTables::FindVariableField(int page, std::string_view name) const
{
    const std::string key = upperAscii(name);
    const auto& fields = Fields[static_cast<std::size_t>(clampPage(page))];
    for (int i = 1; i <= 100; ++i)
        if (fields[static_cast<std::size_t>(i)].Name == key)
            return key.empty() ? 0 : i;
    return 0;
}

bool HensuuYomikomi(TFormFieldTables& tables, const std::filesystem::path& file, int x, int y, const TP360DEF& job)
{
    tables.clear();
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return true;
    try {
        PrintText text = PrintText::load(file);
        std::array<int, kFormPages> next{};
        next.fill(1);
        int page = 0;
        while (!text.atEnd()) {
            std::string line = lineToUtf8(text.readLine());
            if (isPageEnd(line)) {
                if (++tables.FormPageCount > kFormPages - 1)
                    break;
                page = tables.FormPageCount;
                continue;
            }
            if (line.empty() || line.back() != ';')
                line += ";0;";
            auto f = splitFields(line);
            auto field = [&f](std::size_t i) { return i < f.size() ? f[i] : std::string_view{}; };
            const std::string keyword = upperAscii(field(0));
            auto pageIndex = static_cast<std::size_t>(page);
            if (keyword == "&" && next[pageIndex] < 200) {
                const std::string name = upperAscii(field(3));
                int index = (name == "0" || name == "行間") ? 0 : next[pageIndex]++;
                TDataField& d = tables.Fields[pageIndex][static_cast<std::size_t>(index)];
                d.Name = name;
                d.X = parseNumber(field(1)) + x;
                d.Y = parseNumber(field(2)) + y;
                d.FontName = std::string(field(4));
                d.Size = parseNumber(field(5));
                if (d.Size == 0)
                    d.Size = 12;
                d.Style = upperAscii(field(6));
                d.Color = ColorOfName(field(7), PageKind::None, job);
                d.Back = BackOfName(field(8), PageKind::None, job);
                d.Align = AlignCodeOf(field(9));
                d.Width = parseNumber(field(10));
                d.Once = parseNumber(field(11));
                d.Mode = parseNumber(field(12));
            } else if (keyword == "$" && tables.Totals[pageIndex].size() < 200) {
                const std::string name = upperAscii(field(3));
                if (name.empty())
                    continue;
                auto& totals = tables.Totals[pageIndex];
                auto it = std::find_if(totals.begin(), totals.end(), [&](const TFormTotal& t) { return t.Name == name; });
                if (it == totals.end())
                    totals.push_back({name, parseNumber(field(1)) + x, parseNumber(field(2)) + y, false});
                else
                    it->Used = true;
            }
        }
    } catch (const std::exception& e) {
        ErrorLog("ImageOut.HensuuYomikomi", e.what());
        throw;
    }
    return true;
}

} // namespace vq::print
