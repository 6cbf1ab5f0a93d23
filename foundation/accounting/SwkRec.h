#pragma once
// One journal row as the journal procedures see it (parameters L_… and R_…
// for the two sides). Dates are day numbers; amounts are integers scaled by
// 10,000.
#include <cstdint>
#include <string>

namespace vq {

// One side (debit or credit) of a journal row.
struct TSwkBalance {
    std::string KGROUP;             // account group (GROUPM1 of the account)
    std::string USERCODE;           // account code as the operator knows it
    std::string HCODE;              // sub-account code; a single blank for none
    std::string BCODE;              // department code
    std::string KNAME;
    std::string HNAME;
    std::string BNAME;
    std::int32_t TAXCODE = 0;       // consumption-tax code
    std::int32_t TAXUH = 0;         // tax class parts
    std::int32_t TAXDC = 0;
    std::int64_t NUK = 0;           // amount without tax
    std::int64_t ZEI = 0;           // tax
    std::int64_t RIT = 0;           // tax rate
    std::int32_t SIKIN = 0;         // fund code of the account for this side
    std::int32_t RateNo = 0;        // working copy of OLDRATE, not stored
};

struct TSWKREC {
    std::string PcName;             // computer name of the writer, not stored
    std::int32_t REC = 0;           // 0 = a new row
    std::int32_t SITREC = 0;
    std::int32_t SWKREC = 0;        // entry number shared by the rows of one entry
    std::int32_t SWKNO = 0;
    std::int32_t DELFLG = 0;
    std::int32_t TAISHAKU = 0;
    double HIZUKE = 0;              // entry date
    std::int32_t MNUM = 0;          // period number
    std::int32_t KESSAN = 0;        // 1 = settlement entry
    std::int32_t SDAYNUM = 0;
    std::int32_t MDAYNUM = 0;
    std::int32_t DNUM = 0;
    std::int32_t SNUM = 0;          // individual-cost number, 0 = none
    std::string SCODE;              // facility code
    TSwkBalance Debit;              // L_…
    TSwkBalance Credit;             // R_…
    std::int64_t KINGAKU = 0;
    std::int64_t ZEIGAKU = 0;
    std::int32_t ZEIRITUNO = 0;
    std::int32_t AUTCALCU = 0;
    std::int32_t TAXCALCU = 0;
    std::int32_t OLDRATE = 0;       // tax-rate number valid on the entry date
    std::int32_t TEKCODE = 0;
    std::string TEKTEXT;
    std::int32_t TORCODE = 0;
    std::string TORTEXT;
    std::int32_t FUSEN1 = 0;
    std::int32_t FUSEN2 = 0;
    std::int32_t FUSEN3 = 0;
    std::int32_t FUSEN4 = 0;
    std::int32_t FUSEN5 = 0;
    double CTIME = 0;               // audit check time; non-zero = audited
    std::string COMMENT;
    std::string AO_COMMENT;
    std::string LINKKEY;
    std::int32_t LINKKUB = 0;
    std::int32_t LINKREC = 0;
    std::int32_t LOCALFLG = 0;
    std::int32_t Reserve1 = 0;
    std::int32_t Reserve2 = 0;
    double RTIME = 0;               // update time
    std::int32_t OPCODE = 0;
    double SHONIN_HIZUKE = 0;       // approval date; non-zero = approved
    std::int32_t SHONIN_OPCODE = 0;
    std::string SHONIN_NAME;
};

} // namespace vq
