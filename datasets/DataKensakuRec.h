#pragma once
// The search conditions of one data list (the data list or the shared list)
// with its sort, as one operator keeps them in KENSAKUJYOKEN, and the two
// mappings the search dialog and the screens share: the stored sort code to
// and from a grid column, and the data-kind choice to and from DATATYPE and
// CODETYPE.
#include <array>
#include <cstdint>
#include <string>

namespace vq {

struct TDataKensakuRec {
    std::int32_t OPCODE = 0;
    std::int32_t LISTTYPE = 0;     // 0 data list, 1 shared list
    std::int32_t JYOKENUSE = 0;    // 1: the conditions apply every time the list opens
    std::int32_t DATATYPE = 0;     // 0 any; -13 either 1 or 3
    std::int32_t CODETYPE = 0;     // 0 any
    std::string DATACODE;          // code prefix
    std::string DATANAME;          // text contained in the list name
    std::int32_t TANTO = 0;        // operator in charge, 0 any
    std::string DATAVER;           // "major.minor" or "major"
    std::string VerText;           // not stored
    std::int32_t VerMatch = 0;     // 0 exactly, 1 same major, 2 this or later; not stored
    std::string SEIHINNAME;        // display name of the chosen version row
    std::int32_t SORTCOL = 0;      // grid column of the sort
    std::int32_t SORTTYPE = 0;     // 0 ascending, 1 descending
    std::string Spare1;            // not stored
    std::string Spare2;            // not stored

    bool operator==(const TDataKensakuRec&) const = default;
};

// OPCODE and LISTTYPE set, every other field 0 or empty.
void InitKensakuRec(TDataKensakuRec& cond, std::int32_t opCode, std::int32_t listType);
// Clears what filters the list (kind, code, name, operator, version), keeping the sort.
void ClearConditions(TDataKensakuRec& cond);
// True when a condition that filters rows is set.
bool HasConditions(const TDataKensakuRec& cond);

// KENSAKUJYOKEN.SORTCOL to the grid column and back; codes and columns
// outside the table give 0.
std::int32_t GridColumnOfSortCode(std::int32_t code);
std::int32_t SortCodeOfGridColumn(std::int32_t column);

// The data-kind choice of the search dialog: index 0 "選択なし", then the six kinds.
inline constexpr std::array<const char*, 7> DataKindChoices = {
    "選択なし", "法人", "個人(一般)", "個人(不動産)", "医療法人", "個人(クリニック)", "個人(農業)"};
struct DataKind {
    std::int32_t DATATYPE = 0;
    std::int32_t CODETYPE = 0;
};
DataKind DataKindOfChoice(int index);
int ChoiceOfDataKind(std::int32_t dataType, std::int32_t codeType);

} // namespace vq
