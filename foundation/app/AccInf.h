#pragma once
// The accounting data set that is open: ACCDEF1 columns, ACCREG settings and
// the values derived from them. One instance, AccInf, filled completely each
// time a data set is opened and left as it is when it is closed.
//
// Dates are day numbers (foundation/DayNumber.h), 0 = not kept. Currency
// fields are integers scaled by 10,000.
#include <array>
#include <cstdint>
#include <string>

namespace vq {

// Slots of TACCINF::SysKCode and TACCINF::SysUserCode: the fixed accounts.
enum SysKamokuSlot : int {
    SysGenkin = 0,           // 現金
    SysKariharaiTax = 1,     // 仮払消費税
    SysKariukeTax = 2,       // 仮受消費税
    SysSyokuchi = 3,         // 諸口
    SysKurikosiRieki = 4,    // 繰越利益剰余金 (medical corporations: 前期繰越利益)
    SysJigyounushiKasi = 5,  // 事業主貸
    SysJigyounushiKari = 6,  // 事業主借
    SysMotoirekin = 7,       // 元入金 (individuals only)
    SysKyuryou = 8,          // 給料
    SysSyouyo = 9,           // 賞与
    SysSyouyoHikiate = 10,   // 賞与引当金繰入額
    SysTaisyokuKyufu = 11,   // 退職給付費用 (medical corporations only)
};

// Slots of TACCINF::TegataKCode and TACCINF::TegataUserCode.
enum TegataSlot : int {
    TegataUketori = 0,       // 受取手形
    TegataWaribiki = 1,      // 割引手形
    TegataUragaki = 2,       // 裏書手形
};

struct TACCINF {
    std::int32_t GROUPID = 0;
    std::string ENTTEXT;
    std::string SERIAL;
    std::int32_t TANTOU = 0;        // person in charge
    std::int32_t GYOUSHU = 0;       // business category
    std::int32_t DATATYPE = 0;      // 1 corporation, 2 individual, 3 medical corporation
    std::string DataTypeName;       // "法人", "個人", "医療法人"
    std::int32_t CODETYPE = 0;      // individuals: 1 general, 2 real estate, 3 clinic, 4 agriculture
    std::string CodeTypeName;       // "一般", "不動産", "クリニック", "農業", '' for corporations
    std::int32_t BumonCount = 0;    // departments with a non-blank code
    std::string SCODE1;
    std::string SCODE2;
    std::string SKANA;
    std::string SHOUGOU;            // company name
    std::string POST;
    std::string ADD1;
    std::string ADD2;
    std::string TEL;
    std::string AO_ADD1;            // the individual's return-form block
    std::string AO_ADD2;
    std::string AO_KANA;
    std::string AO_SIMEI;
    std::string AO_GYOUSHU;
    std::string AO_YAGO;
    std::string AO_KANYU;
    std::string AO_TEL;
    std::string AO_SHOKUGYO1;
    std::string AO_SHOKUGYO2;
    std::string MAIL;
    double zzKISHU = 0;             // start of the year before the previous one
    double zKISHU = 0;              // start of the previous year
    std::int32_t NENDO = 0;         // fiscal year number
    double KISHU = 0;               // start of the fiscal year
    double KIMATU = 0;              // end of the fiscal year
    double KAISI = 0;               // start of entry
    std::int32_t SIME = 0;          // closing day 1..28, 99 = month end
    std::int32_t KAISINO = 0;       // month number of the first entry month
    std::int32_t KaisiPeriodIndex = 0;
    std::int32_t KimatuPeriodNo = 0;   // 1..16
    std::int32_t KaisiMonthCount = 0;
    std::int32_t KimatuMonthCount = 0;
    std::int32_t GENGOU_FLG = 0;
    std::int32_t GENGOU_HOSEI = 0;
    std::string GENGOU_NAME;
    std::string YAKUMEI1;           // officer titles
    std::string YAKUMEI2;
    std::string YAKUMEI3;
    std::int64_t OLD_TAX_RATE1 = 0; // consumption-tax rates before each change
    std::int64_t OLD_TAX_RATE2 = 0;
    std::int64_t OLD_TAX_RATE3 = 0;
    std::int64_t OLD_TAX_RATE4 = 0;
    std::int64_t OLD_TAX_RATE5 = 0;
    std::int64_t NEW_TAX_RATE1 = 0; // and after it
    std::int64_t NEW_TAX_RATE2 = 0;
    std::int64_t NEW_TAX_RATE3 = 0;
    std::int64_t NEW_TAX_RATE4 = 0;
    std::int64_t NEW_TAX_RATE5 = 0;
    double CHG_DAYS1 = 0;           // dates of the rate changes
    double CHG_DAYS2 = 0;
    double CHG_DAYS3 = 0;
    double CHG_DAYS4 = 0;
    double CHG_DAYS5 = 0;
    double KANSA_FIXDATE = 0;       // audit lock dates
    double KANSA_DATE = 0;
    std::int32_t CALCU = 0;
    std::int32_t TAXU_HASUU = 0;    // tax rounding of sales
    std::int32_t TAXH_HASUU = 0;    // tax rounding of purchases
    std::int32_t TAXDEFUH = 0;      // default tax class
    std::int32_t TAXKANNI = 0;      // simplified taxation
    std::int32_t TAXJIGYOU = 0;     // its business kind
    std::int32_t GENKAPRINT = 0;
    std::int32_t KANSA_LOCK = 0;
    std::int32_t TEGATADICSW = 0;
    std::int32_t KESSAN_KIKAN = 0;
    std::int32_t CASHFLOW_KIKAN1 = 0;
    std::int32_t CASHFLOW_KIKAN2 = 0;
    std::int32_t CASHFLOWSW = 0;
    std::int32_t SDAI_HASUU1 = 0;
    std::int32_t SDAI_HASUU2 = 0;
    std::int32_t SDAI_HASUU3 = 0;
    std::int32_t CONVERT = 0;
    std::int32_t SHOUHYOU = 0;
    std::int32_t SITEN = 0;         // facility management, 0 = none
    std::int32_t BUMON = 0;         // department management, 0 = none
    std::int32_t DATALOCK = 0;
    std::int32_t GENKA_USE = 0;
    std::string GENKA_HWORD1;       // cost-report words
    std::string GENKA_HWORD2;
    std::string GENKA_HWORD3;
    std::string GENKA_HWORD4;
    std::string GENKA_HWORD5;
    std::string TotalName5880;      // names of fixed total rows (ACCTOTALNAME)
    std::string TotalName5580;
    std::string TotalName5680;
    std::string TotalName5780;
    std::string TotalName5790;
    std::string PASWORD;            // communication password
    std::string WEB_HOLDER;
    std::array<std::string, 6> CommPassword; // 0 PASWORD, 1 TUSIN_ID row 1, 2..5 ''
    std::array<std::string, 6> CommHolder;   // as CommPassword
    std::array<std::string, 12> SysKCode;    // by SysKamokuSlot; '' when not applicable
    std::array<std::string, 12> SysUserCode;
    std::string FUMEI_KCODE;        // account of entries whose account is not identified
    std::string FumeiUserCode;
    std::uint8_t IsIryou = 0;       // medical-corporation data
    double CurKISHU = 0;
    double ZenkiKISHU = 0;
    double ZenzenkiKISHU = 0;
    double CurKIMATU = 0;
    double ZenkiKIMATU = 0;
    double ZenzenkiKIMATU = 0;
    double CurKAISI = 0;
    double ZenkiKAISI = 0;
    double ZenzenkiKAISI = 0;
    std::int32_t KakoMeisai = 0;    // "過去明細取り込み"
    std::uint8_t GassanKubun = 0;   // "合算データ区分"
    std::int32_t GassanCount = 0;   // "合算データ数"
    std::uint8_t KamokuDigits = 0;
    std::uint8_t HojoDigits = 0;
    std::uint8_t BumonDigits = 0;
    std::int32_t IkkatuZeinuki = 0;
    std::string DataPassword;       // plain text, '' when none
    std::int32_t PrintKikanUse = 0;
    double PrintKikanFrom = 0;
    double PrintKikanTo = 0;
    std::array<std::string, 3> TegataKCode;    // by TegataSlot (corporations only)
    std::array<std::string, 3> TegataUserCode;
    std::int32_t TaxDefUH = 0;
    std::int32_t KURIKOSI1 = 0;     // carry-over tax classes
    std::int32_t KURIKOSI2 = 0;
    std::string GENKA_HWORD6;
    std::string TotalName5688;
    std::int32_t DataVerMajor = 0;  // newest ACCVERSION row
    std::int32_t DataVerMinor1 = 0;
    std::int32_t DataVerMinor2 = 0;
    std::int32_t KobetuGenkaUse = 0;
    std::string KobetuGenkaName;
    std::uint8_t KobetuGenkaDigits = 0;
    std::int32_t MyNumberUse = 0;
    std::string MyNumberKey;
    std::string MyNumberValue;
    std::int32_t CloudKubun = 0;
    std::int32_t CLOUD_LINE = 0;
    double CLOUD_TIME = 0;
    std::array<std::uint8_t, 5> TaxRateUse{}; // 3%, 5%, 8%, then two always 1
    std::int32_t READ_ONLY = 0;
};

extern TACCINF AccInf;

} // namespace vq
