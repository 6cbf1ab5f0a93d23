#pragma once
// The small vocabulary in which the data maker writes its groups: sections,
// leaves by kind of value, row groups with their "COUNT" and sections of
// statement lines. Every leaf is written, empty or not.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/accounting/Currency.h"
#include "linkage/XmlSaveDoc.h"
#include "linkage/datamake/LeafText.h"
#include "linkage/datamake/SyotokuZeiTables.h"
#include "linkage/statements/KessansyoElements.h"
#include "linkage/statements/StatementRows.h"

namespace vq::linkage::datamake {

// Width in CP932 bytes of a spare line's name.
inline constexpr int SpareNameWidth = 20;

class SectionWriter {
public:
    using Node = TXmlSaveDoc::Node;

    explicit SectionWriter(TXmlSaveDoc& doc) : doc_(doc) {}

    Node Group(Node parent, const char* name) const { return doc_.AddNode(parent, name); }
    // One row of a breakdown: its name and "COUNT" with the row number.
    Node Row(Node parent, const char* name, int count) const
    {
        return doc_.AddNode(parent, name, "COUNT", std::to_string(count));
    }

    void Text(Node parent, const char* name, std::string_view text) const { doc_.AddLeaf(parent, name, text); }
    void Amount(Node parent, const char* name, Currency amount) const { Text(parent, name, AmountText(amount)); }
    void Count(Node parent, const char* name, std::int32_t count) const { Text(parent, name, IntOrEmptyText(count)); }
    void SpareName(Node parent, const char* name, std::string_view lineName) const
    {
        Text(parent, name, CutNameText(lineName, SpareNameWidth));
    }

    // The amount leaves of a section, named by its table, each with the
    // amount at the same position.
    void Amounts(Node section, std::span<const char* const> names, const std::vector<Currency>& amounts) const
    {
        for (std::size_t p = 0; p < names.size(); ++p)
            Amount(section, names[p], p < amounts.size() ? amounts[p] : 0);
    }

    // "TOKUSYUJIJOU1" ... of the first count notes, each cut to width bytes.
    template <int N>
    void Notes(Node parent, const StatementRows<std::string, N>& notes, int count, int width) const
    {
        Node section = Group(parent, "TOKUSYUJIJOU");
        for (int n = 1; n <= count && n <= N; ++n)
            Text(section, ("TOKUSYUJIJOU" + std::to_string(n)).c_str(), CutNameText(notes[n], width));
    }

    // The rows first..first+count-1 of a statement list as row elements
    // numbered 1..count, each filled by leaves(row node, slot).
    template <class List, class Leaves>
    void RowList(Node parent, const char* rowName, const List& rows, int first, int count, Leaves leaves) const
    {
        for (int n = 1; n <= count; ++n)
            leaves(Row(parent, rowName, n), rows[first + n - 1]);
    }

    // Leaves shared by several groups.
    void Salary(Node row, const TKyuyoChinginRec& r) const;
    void FamilySalary(Node row, const TSenjyusyaKyuyoRec& r) const;
    void Interest(Node row, const TRisiWaribikiRec& r, const char* interestName) const;
    void Fee(Node row, const TZeirisiHousyuuRec& r) const;
    // The blue-return deduction group of the general and agriculture statements.
    void Deduction(Node parent, Currency koujo6, std::int32_t koujoKubun) const;

private:
    TXmlSaveDoc& doc_;
};

// The balance-sheet section of a statement: the 93 amounts, then the names
// of the spare lines.
void WriteTaisyakuSection(const SectionWriter& w, TXmlSaveDoc::Node group, std::span<const char* const> names,
                          const std::vector<Currency>& amounts, std::span<const TaisyakuSpareName> spares,
                          const StatementRows<TTaisyakuTaisyouhyoRec, 25>& sisan,
                          const StatementRows<TTaisyakuTaisyouhyoRec, 25>& fusai);

} // namespace vq::linkage::datamake
