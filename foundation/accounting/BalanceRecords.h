#pragma once
// The records of a trial balance (試算表): rows with per-period amounts, their
// sub-account breakdown, sort keys and the scope of a custom computation.
// The trial-balance engines fill them, the statement readers read them.
//
// Per-period arrays are indexed -32..19:
//   1..16    the periods of the current fiscal year (16-period calendar)
//   0        the opening of the year (ZOUGEN and ZAN hold KAISIZAN there)
//   -15..-1  the previous year's periods 1..15 (period p at p - 16)
//   -32..-16 and 17..19 reserved; they stay 0.
// Every access is checked: an index outside -32..19 throws std::out_of_range.
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/accounting/Currency.h"

namespace vq {

// A fixed array indexed lowest..highest whose every access is range-checked.
template <class T, int Lowest, int Highest>
class OffsetArray {
    static_assert(Lowest <= Highest);

public:
    static constexpr int Low = Lowest;
    static constexpr int High = Highest;
    static constexpr std::size_t Size = static_cast<std::size_t>(Highest - Lowest + 1);

    static constexpr bool contains(int index) { return index >= Lowest && index <= Highest; }

    T& operator[](int index) { return items_[slot(index)]; }
    const T& operator[](int index) const { return items_[slot(index)]; }

    void fill(const T& value) { items_.fill(value); }
    // Entries in index order (Lowest first).
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    friend bool operator==(const OffsetArray&, const OffsetArray&) = default;

private:
    static std::size_t slot(int index)
    {
        if (!contains(index))
            throw std::out_of_range("period index " + std::to_string(index) + " outside "
                                    + std::to_string(Lowest) + ".." + std::to_string(Highest));
        return static_cast<std::size_t>(index - Lowest);
    }

    std::array<T, Size> items_{};
};

// One amount per period, indexed -32..19.
using PeriodAmounts = OffsetArray<Currency, -32, 19>;

// Facility identification of a row; no engine of this library fills it.
struct TSISREC {
    std::string SCODE;
    std::string SNAME;
    std::int32_t JIGYOKBN = 0;
};

// Department identification of a row; no engine of this library fills it.
struct TBUMREC {
    std::string BCODE;
    std::string BNAME;
    std::int32_t REC = 0;
    std::array<Currency, 20> Amounts{};
};

// The account part of a row (also the account part of an account-table row).
struct TKMKREC {
    std::string KCODE;          // account code ('' for a total row)
    std::string USERCODE;       // the user's account code
    std::string GROUP1;         // first group code (GROUPM1; total row: its KGROUP)
    std::string GROUP2;         // second group code (GROUPM2); routes rows into totals
    std::string GROUP3;         // medical engine only
    std::string GROUP4;         // medical engine only
    std::string KNAME;          // account or total-line name
    std::int32_t TAISHAKU = 0;  // 1, 4 debit-natured; 2, 3 credit-natured
    std::string BSPL;           // "B" balance sheet, "P" profit and loss
    // The account master's further columns, for the account tables of the
    // journal writer; the trial-balance engines do not read them.
    std::string HOJOSW;
    std::string KEIHKUBU;
    std::int32_t REC = 0;
    std::int32_t BLDAC = 0;
    std::int32_t DAC = 0;
    std::int32_t DELFLG = 0;
    std::int32_t TAX_LCODE = 0;
    std::int32_t TAX_RCODE = 0;
    std::int32_t FUN_LCODE = 0;
    std::int32_t FUN_RCODE = 0;
    std::int32_t EXT1_KS = 0;
    std::int32_t EXT1_A4 = 0;
    std::int32_t EXT1_A3 = 0;
    std::int32_t ZEIRITUKBN = 0;
};

// The sub-account part of a row; no engine reads it.
struct THOJREC {
    std::string KCODE;
    std::string HCODE;
    std::string HNAME;
    std::string BPFLG;
    std::int32_t REC = 0;
    std::int32_t TAX_LCODE = 0;
    std::int32_t TAX_RCODE = 0;
    std::int32_t ZEIRITUKBN = 0;
};

// One sub-account of a row.
struct THOJOUTIWAKE {
    std::string HCODE;
    std::string HNAME;
    std::int32_t REC = 0;
    Currency ZENZAN = 0;        // balance at the start of the computed range
    Currency KARSUM = 0;        // debits of the range
    Currency KASSUM = 0;        // credits of the range
    Currency TOUZAN = 0;        // balance at the end of the range
    Currency KOUSEI = 0;        // share of the row's TOUZAN in percent, one decimal
    Currency KAISIZAN = 0;      // opening balance of the year
    PeriodAmounts KAR;          // debits per period
    PeriodAmounts KAS;          // credits per period
    PeriodAmounts ZOUGEN;       // net movement per period
    PeriodAmounts ZAN;          // balance at the end of each period
    Currency KAISIZAN2 = 0;
    Currency KAISIZAN3 = 0;
};

// One trial-balance row: an account row or a total row.
struct TBALANCE {
    TSISREC Facility;
    TBUMREC Department;
    TKMKREC Account;
    THOJREC SubAccount;
    Currency KAISIZAN = 0;      // opening balance of the year
    Currency KISHU0 = 0;        // opening for bookkeeping that began after month 1
    std::int32_t HOJCNT = 0;    // entries of HOJO
    std::vector<THOJOUTIWAKE> HOJO;
    std::int32_t MSTREC = 0;    // master record number of the account
    std::int32_t SUBREC = 0;    // order of the account within its group
    std::int32_t KMKCNT = 0;    // account rows added into this total row
    Currency ZENZAN = 0;        // range results
    Currency KARSUM = 0;
    Currency KASSUM = 0;
    Currency TOUZAN = 0;
    Currency KOUSEI = 0;        // composition ratio in percent, one decimal
    Currency ZENNEN = 0;        // previous-year comparison amount
    PeriodAmounts KAR;          // debits per period
    PeriodAmounts KAS;          // credits per period
    PeriodAmounts ZOUGEN;       // net movement per period; [0] = KAISIZAN
    PeriodAmounts ZAN;          // balance after each period; [0] = KAISIZAN
    PeriodAmounts ZANKOUSEI;    // per-period composition ratio (medical totals)
    Currency KAISIZAN2 = 0;     // copies of KAISIZAN made by the row readers
    Currency KAISIZAN3 = 0;
    Currency KAISIZAN4 = 0;     // summed into total rows by the medical totals
    Currency KAISIZAN5 = 0;
};

// The key that marks a row that is not shown ("ﾟ", the single byte 0xDF in
// Shift_JIS): in the byte-wise ascending sort it follows every key that begins
// with a digit or a letter.
inline constexpr const char* HiddenSortKey = "ﾟ";

// A sort key and the index of its TBALANCE row.
struct TQSORT {
    std::string SKEY;
    std::int32_t SIDX = 0;
    bool hidden() const { return SKEY == HiddenSortKey; }
    friend bool operator==(const TQSORT&, const TQSORT&) = default;
};

// The scope of a custom computation (Scope 6).
struct TCalcSisanhyoSettingRec {
    std::string SCODE;          // facility, or facility group when SCODEKBN is 0
    std::int32_t SCODEKBN = 0;  // 1 one facility, 0 a facility group
    std::string BCODE;          // department, or group when BCODEKBN is 0; "00" common
    std::int32_t BCODEKBN = 0;  // 1 one department, 0 a department group
    std::int32_t SCOPE = 0;     // the loader's Scope
    std::int32_t TAX = 0;       // 0 with consumption tax, 1 without
    std::int32_t HAIBUN = 0;    // 1 allocate the common department by rates
    std::int32_t LAYOUT = 0;    // 0 accounts, 1 EXTERA4, 2 EXTERA3, 3 and 4 EXTERKS
    std::int32_t KESKUBUN = 0;  // settlement kind (carried)
    std::int32_t ZENTAX = 0;    // previous-year tax mode (carried)
    std::int32_t JIGYOU = 0;    // business kind 1, 2, 4 or 8 of the facilities; 0 none
};

} // namespace vq
