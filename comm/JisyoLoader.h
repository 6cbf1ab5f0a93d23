#pragma once
// The dictionary transfer file: the description dictionary (headers
// TEKDICTI, entries TEKDIC) and the customer dictionary (TORDICTI, TORDIC)
// of a data set, exported from one database and imported into another.
//
// Record types by file version ("1.0", "1.1", "1.2"): headers 200 and 300;
// description entries 201, 202, 202; customer entries 301, 302, 303. Types
// 201 and 301 carry internal account codes, the others the user's codes,
// which the import resolves against the target's account system. A reader
// takes every entry type of its dictionary, whatever its own version.
//
// The caller may hold the transaction open: the loader starts one only when
// none is active and then ends it itself.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "comm/BaseLoader.h"

namespace vq::comm {

struct TJisyoKamokuCode {
    std::string KCODE;
    std::string USERCODE;
    std::string HCODE;
    std::string BCODE;
};

class TJisyoLoader : public TBaseLoader {
public:
    TJisyoLoader();

    void Reset();
    void SetFileVersion(const std::string& version);
    void LoadAccountCodes();
    void ResolveAccountCode(const std::string& recordType);
    std::int32_t CountRecords() override;

    // False at once for a blank name; database and file errors are thrown.
    bool ExportDictionaries(const std::string& fileName);
    // False without a change for a blank name, an empty file, a header of
    // another kind or major version, or no record to take; a missing file
    // throws.
    bool ImportDictionaries(const std::string& fileName);

    int VersionColumn = 2;
    std::string AccountSystem;
    std::string ResolvedAccount;
    std::string ResolvedSubAccount;
    std::string ResolvedDepartment;
    std::uint8_t Target = 0;              // 0 both, 1 descriptions, 2 customers
    std::uint8_t AllAccountSystems = 1;   // 0: only the rows of AccountSystem
    std::vector<std::string> HeaderMap;   // "file CREC-SCODE=database CREC"
    std::string CachedAccountSystem = "**";
    std::vector<TJisyoKamokuCode> AccountCodes;

    struct Dictionary;   // the tables of one dictionary

private:
    void exportDictionary(const Dictionary& d);
    void importDictionary(const Dictionary& d);
    std::vector<std::string> typesCounted() const;
    // The record's type with its fields in Splitter; empty for a header or
    // comment line and a record without a type.
    std::string splitRecord(const std::string& line);
    db::Statement& main() { return statement(0); }
    db::Statement& lookup() { return statement(1); }

    bool byKcode_ = false;                          // AccountCodes sorted by KCODE
    std::map<std::string, std::int32_t> headerIndex_;   // HeaderMap for look-ups
};

} // namespace vq::comm
