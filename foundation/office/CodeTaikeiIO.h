#pragma once
// Code-system templates (charts of accounts by industry) in the system
// database's table USERCODE: imports a comma-separated code-system file into
// an existing USERCODE row, and on every construction repairs the data and
// code types of rows stored with the default types.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/text/MojiBunkatu.h"
#include "platform/db/Statement.h"

namespace vq {

struct TCodeTaikeiRec2 {
    std::int32_t RECNO = 0;
    std::string NAME;
    std::int32_t DATATYPE = 0;
    std::int32_t CODETYPE = 0;
    std::string ProductTag = "-";                  // creator tag of the file
    std::array<std::vector<std::string>, 8> Inidat; // lines of INIDAT1..INIDAT8
};

class TCodeTaikeiIO {
public:
    // Works on the data module's system database and transaction; repairs
    // the types at once (KubunSyufuku).
    TCodeTaikeiIO();
    // Reads fileName (CP932) and stores it as row recNo. False when the file
    // cannot be read, its creator tag does not fit (after an information
    // box) or the row cannot be written.
    bool ImportCodeFile(const std::string& fileName, std::int32_t recNo);
    // Writes one row (never inserts); false without name or types.
    bool UpDateRecored(const TCodeTaikeiRec2& rec);
    void KubunSyufuku();
    // Whether a file's creator tag fits this product; msg says why not.
    static bool CheckProductTag(const std::string& tag, std::string& msg);
    // The lines of a code-system file parsed into rec (RECNO untouched).
    void ParseLines(const std::vector<std::string>& lines, TCodeTaikeiRec2& rec);

private:
    db::Statement statement_;
    db::Statement query_;
    TMojiBunkatu splitter_;
};

} // namespace vq
