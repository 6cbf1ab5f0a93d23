#include "datasets/DataKensakuRec.h"

namespace vq {

namespace {

// Stored sort code -> grid column; the index is the code.
constexpr std::array<std::int32_t, 7> kColumnOfCode = {0, 3, 4, 5, 6, 7, 1};

constexpr std::array<DataKind, 7> kKinds = {{{0, 0}, {1, 1}, {2, 1}, {2, 2}, {3, 1}, {2, 3}, {2, 4}}};

} // namespace

void InitKensakuRec(TDataKensakuRec& cond, std::int32_t opCode, std::int32_t listType)
{
    cond = TDataKensakuRec{};
    cond.OPCODE = opCode;
    cond.LISTTYPE = listType;
}

void ClearConditions(TDataKensakuRec& cond)
{
    cond.DATATYPE = 0;
    cond.CODETYPE = 0;
    cond.DATACODE.clear();
    cond.DATANAME.clear();
    cond.TANTO = 0;
    cond.DATAVER.clear();
    cond.VerText.clear();
    cond.VerMatch = 0;
    cond.SEIHINNAME.clear();
}

bool HasConditions(const TDataKensakuRec& cond)
{
    return cond.DATATYPE != 0 || !cond.DATACODE.empty() || !cond.DATANAME.empty() || cond.TANTO != 0 ||
           !cond.DATAVER.empty();
}

std::int32_t GridColumnOfSortCode(std::int32_t code)
{
    if (code < 0 || code >= static_cast<std::int32_t>(kColumnOfCode.size()))
        return 0;
    return kColumnOfCode[static_cast<std::size_t>(code)];
}

std::int32_t SortCodeOfGridColumn(std::int32_t column)
{
    for (std::size_t code = 0; code < kColumnOfCode.size(); ++code)
        if (kColumnOfCode[code] == column)
            return static_cast<std::int32_t>(code);
    return 0;
}

DataKind DataKindOfChoice(int index)
{
    if (index < 0 || index >= static_cast<int>(kKinds.size()))
        return {};
    return kKinds[static_cast<std::size_t>(index)];
}

int ChoiceOfDataKind(std::int32_t dataType, std::int32_t codeType)
{
    if (dataType == 1)
        return 1;
    if (dataType == 3)
        return 4;
    if (dataType == 2) {
        switch (codeType) {
        case 1: return 2;
        case 2: return 3;
        case 3: return 5;
        case 4: return 6;
        default: return 0;
        }
    }
    return 0;
}

} // namespace vq
