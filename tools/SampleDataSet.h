#pragma once
// One data set of the sample office: a small individual business with its
// chart of accounts, settlement-statement lines, opening balances and a
// year of journal entries, turned into the SQL that fills a fresh data-set
// database (schema/build-database dataset ... SQLFILE).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vq::tools {

// How the consumption tax of an entry is split off (amounts include tax).
enum class TaxKind {
    None,         // not taxable
    Sales10,      // taxable sales at 10 %, tax on the credit side
    Sales8,       // taxable sales at the reduced 8 %
    ExemptSales,  // non-taxable sales (residential rents)
    Purchase10,   // taxable purchases or expenses at 10 %, tax on the debit side
    Purchase8,    // at the reduced 8 %
};

struct SampleLine {
    int rec;            // EXTERKS.REC
    std::string group;  // KGROUP, four characters
    int subrec;         // line number within the group
    std::string name;   // KNAME1 ('' takes the account's name)
};

struct SampleAccount {
    std::string code;     // KCODE and USERCODE
    std::string name;
    std::string group2;   // GROUPM2: routes the account into the total lines
    int dac;              // 1 debit, 3 credit; 2 credit and 4 debit against their section (allowances, closing stock)
    int line;             // EXT1_KS
    std::int64_t opening; // yen, without the sub-accounts' part
};

struct SampleSubAccount {
    std::string account;
    std::string code;
    std::string name;
    std::int64_t opening;
};

struct SampleEntry {
    int month;            // 1-12 of the fiscal year (calendar 2024)
    int day;
    bool yearEnd;         // the year-end adjustment period 16
    std::string debit, debitSub;
    std::string credit, creditSub;
    std::int64_t amount;  // yen, tax included
    TaxKind tax;
    std::string text;
};

struct SampleDataSet {
    int slot = 0;         // data-list REC and folder "%.4d"
    int codeType = 1;     // 1 general, 2 real estate, 4 agriculture
    std::string dataCode; // the office's code of the client
    std::string listName, shougou, kana, post, address, tel;
    std::string owner, ownerKana, business, occupation;
    std::string capitalAccount;  // 元入金: its opening balances the balance sheet
    std::vector<SampleLine> lines;
    std::vector<SampleAccount> accounts;
    std::vector<SampleSubAccount> subAccounts;
    std::vector<SampleEntry> entries;
    std::vector<std::string> extraSql;  // statement rows, assets and the like
    // Further ordinary entries for benchmarks, made one by one (0-based i)
    // as they are entered through the journal procedure.
    int extraJournals = 0;
    std::function<SampleEntry(int i)> extraEntry;
};

// The SQL (UTF-8, isql syntax) that turns a fresh data-set database into
// the data set. operatorCode is the full code written into the rows.
std::string dataSetSql(const SampleDataSet& set, int operatorCode);

// Journal entries the data set holds (one per SampleEntry, and the extras).
inline int entryCount(const SampleDataSet& set) { return static_cast<int>(set.entries.size()) + set.extraJournals; }

// How entering the extra entries went: the whole and its first and last tenth.
struct JournalRate {
    int entries = 0;
    double seconds = 0;
    double firstTenthPerSecond = 0;
    double lastTenthPerSecond = 0;
};

// Enters the extra entries of set into the data-set database at path through
// SP_SIWAKE_INS, as the journal entry of the programs does, committing in
// batches. Memory stays the same whatever their number. Throws on failure.
JournalRate enterExtraJournals(const std::string& database, const SampleDataSet& set, int operatorCode);

} // namespace vq::tools
