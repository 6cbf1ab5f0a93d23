#pragma once
// The fixed shape of the income-tax linkage file's DATA group: the element
// names of every section in output order, and which statement line feeds
// which position of a section's amount array. The names are the importing
// application's; the tables change only when its format does.
//
// Index tables are indexed by statement line (entry 0 is line 1) and hold the
// 1-based position in the amount array, or NotCarried for a line the file has
// no element for (subtotals, totals).
#include <array>
#include <span>

namespace vq::linkage {

inline constexpr int NotCarried = 99;

// Group names of DATA by income kind 1 to 4 (entry 0 is unused).
extern const std::array<const char*, 5> SyotokuKindNames;

inline constexpr const char* SonekiSectionName = "SONEKIKEISANSYO";
inline constexpr const char* TukibetuSectionName = "TUKIBETUURIAGESHIIRE";
inline constexpr const char* TaisyakuSectionName = "TAISYAKUTAISYOUHYO";
inline constexpr const char* SeizouSectionName = "SEIZOUGENKA";

// A leaf that carries the name of a statement's spare line.
struct SpareLineName {
    const char* element;
    int line;  // 1-based line of the statement's section
};

// Business and other income (general statement).
extern const std::array<const char*, 35> IppanSonekiNames;
extern const std::array<int, 44> IppanSonekiIndex;
extern const std::array<SpareLineName, 10> IppanSonekiSpareNames;
extern const std::array<const char*, 28> IppanTukibetuNames;
extern const std::array<const char*, 20> IppanSeizouNames;
extern const std::array<int, 25> IppanSeizouIndex;
extern const std::array<SpareLineName, 8> IppanSeizouSpareNames;

// Real-estate income.
extern const std::array<const char*, 17> FudosanSonekiNames;
extern const std::array<int, 22> FudosanSonekiIndex;
extern const std::array<SpareLineName, 6> FudosanSonekiSpareNames;

// Agriculture income.
extern const std::array<const char*, 38> NougyouSonekiNames;
extern const std::array<int, 47> NougyouSonekiIndex;
extern const std::array<SpareLineName, 8> NougyouSonekiSpareNames;

// Balance sheet: 93 positions, asset lines 1 to 24 then liability-and-capital
// lines 1 to 24, each line's opening before its closing amount. The owner's
// drawings (asset 24), the owner's borrowings (liability 22) and the income
// line (liability 24) carry a closing amount only. Line 25 of either side is
// the total and is never carried.
inline constexpr int TaisyakuPositions = 93;
inline constexpr int TaisyakuLines = 24;
struct TaisyakuLineIndex {
    int kishu;   // position of the opening amount, or NotCarried
    int kimatu;  // position of the closing amount
};
extern const std::array<TaisyakuLineIndex, TaisyakuLines> TaisyakuSisanIndex;
extern const std::array<TaisyakuLineIndex, TaisyakuLines> TaisyakuFusaiIndex;

extern const std::array<const char*, TaisyakuPositions> IppanTaisyakuNames;
extern const std::array<const char*, TaisyakuPositions> FudosanTaisyakuNames;
extern const std::array<const char*, TaisyakuPositions> NougyouTaisyakuNames;

// Spare-line names of the balance sheet: the asset side's, then the
// liability side's.
struct TaisyakuSpareName {
    const char* element;
    bool asset;  // a line of the asset side, else of the liability side
    int line;
};
extern const std::array<TaisyakuSpareName, 21> IppanTaisyakuSpareNames;
extern const std::array<TaisyakuSpareName, 23> FudosanTaisyakuSpareNames;
extern const std::array<TaisyakuSpareName, 20> NougyouTaisyakuSpareNames;

} // namespace vq::linkage
