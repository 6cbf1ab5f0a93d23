#pragma once
// The facilities (branches) of the open data set that an operator may use,
// with optional rows for the whole data set, facility groups (medical data:
// business kinds and groups) and the facilities that keep departments. An
// operator may use a facility that has an OPLICENSE row for it; operator -1
// (or an operator free of facility restrictions) may use all. Display lines
// run parallel to the rows; Count is the number of lines.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/Statement.h"

namespace vq {

struct TSitenListRec {
    std::string Code;          // facility or group code; " " for the whole data set
    std::string Name;
    std::int32_t Kind = 0;     // 0 whole data, 1 group (medical: business kind), 2 facility,
                               // 3 facility keeping departments, 5 medical facility group
    std::int32_t Jigyou = 0;   // medical business kind; 1 on every general row
    std::int32_t Bumex = 0;    // the facility keeps departments
    std::int32_t Color = 0;    // COLOR of the facility's XSTR text
    std::string Reserve1;
    std::string Reserve2;
};

// Options flags.
inline constexpr std::uint8_t SitenWholeData = 1;
inline constexpr std::uint8_t SitenGroups = 2;
inline constexpr std::uint8_t SitenFacilities = 4;
inline constexpr std::uint8_t SitenBumonFacilities = 8;

class TSitenList {
public:
    // Works on the data module's data-set database and transaction.
    TSitenList();
    void SetTransaction(db::Transaction& transaction);
    // Loads the list for opCode (-1 all facilities). Database errors are
    // reported and passed on.
    void Execute(std::int32_t opCode);
    // Code of row index; '' outside 0..Count-1.
    std::string GetCode(std::int32_t index) const;
    void Clear();

    std::vector<TSitenListRec> Rows;
    std::vector<std::string> Lines;
    std::int32_t Count = 0;
    std::uint8_t Options = 0;
    std::int32_t OpCode = 0;
    std::int32_t BusinessKind = 0;  // medical: only facilities of this MB_JIGYOU when above 0
    std::uint8_t QuotedLines = 0;   // three quoted, tab-separated fields per line
    std::uint8_t Include00 = 1;     // medical: 0 leaves the facility "00" out

private:
    void executeGeneral();
    void executeMedical();
    void addWholeDataRow(std::int32_t bumex);
    bool everyFacilityPermitted();
    void addGroups(std::int32_t kind);
    void addFacilities(bool bumonOnly, bool medical);
    std::string wholeDataCaption() const;

    db::Transaction* transaction_;
    db::Statement statement_;
};

} // namespace vq
