#include "tools/SampleMedical.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "foundation/app/AccConstants.h"
#include "platform/IniFile.h"
#include "tools/SqlText.h"

namespace vq::tools {

namespace {

std::string n(long long value) { return std::to_string(value); }

struct TotalRow {
    int arraynum;
    const char* group;
    const char* plus;
    const char* minus;
    int modify;
    int kinds;  // MB_JIGYOU bits: 1, 2, 4, 8 the business kinds, 16 no single kind
};

// Rows 1 to 53 with codes rising with the row: each total row takes the
// accounts between the code of the row before it and its own.
const TotalRow kTotals[] = {
    {1, "1150", "現金預金計", "", 0, 31},
    {2, "1180", "医業未収金計", "", 0, 31},
    {3, "1280", "棚卸資産計", "", 0, 31},
    {4, "1380", "その他の流動資産計", "", 0, 31},
    {5, "1390", "流動資産合計", "", 0, 31},
    {6, "1580", "有形固定資産計", "", 0, 31},
    {7, "1680", "無形固定資産計", "", 0, 31},
    {8, "1780", "その他の資産計", "", 0, 31},
    {9, "1790", "固定資産合計", "", 0, 31},
    {10, "1880", "繰延資産計", "", 0, 31},
    {11, "1900", "資産合計", "", 0, 31},
    {12, "2180", "流動負債合計", "", 0, 31},
    {13, "2280", "固定負債合計", "", 0, 31},
    {14, "2800", "負債合計", "", 0, 31},
    {15, "3180", "出資金合計", "", 0, 31},
    {16, "3280", "資本剰余金合計", "", 0, 31},
    {17, "3380", "利益剰余金", "", 0, 31},
    {18, "3460", "積立金合計", "", 0, 31},
    {19, "3480", "当期純利益", "当期純損失", 1, 31},
    {21, "3700", "繰越利益剰余金合計", "", 0, 31},
    {22, "3750", "評価換算差額等", "", 0, 31},
    {23, "3800", "純資産合計", "", 0, 31},
    {24, "3900", "負債純資産合計", "", 0, 31},
    {25, "4150", "介護保険収益", "", 0, 31},
    {26, "4180", "介護事業収益計", "", 0, 24},
    {27, "4200", "福祉収益", "", 0, 31},
    {28, "4280", "福祉事業収益計", "", 0, 20},
    {29, "4300", "保健収益", "", 0, 31},
    {30, "4380", "保健事業収益計", "", 0, 18},
    {31, "4480", "医業収益計", "", 0, 17},
    {32, "4800", "事業収益合計", "", 0, 31},
    {33, "6180", "材料費", "", 0, 31},
    {34, "6280", "給与費", "", 0, 31},
    {35, "6380", "委託費", "", 0, 31},
    {36, "6480", "設備関係費", "", 0, 31},
    {37, "6580", "研究研修費", "", 0, 31},
    {38, "6680", "経費", "", 0, 31},
    {39, "6780", "控除対象外消費税", "", 0, 31},
    {40, "6880", "本部費", "", 0, 31},
    {41, "6900", "医業費用合計", "", 0, 31},
    {42, "6950", "医業利益", "医業損失", 1, 31},
    {43, "7180", "医業外収益", "", 0, 31},
    {44, "7280", "医業外費用", "", 0, 31},
    {45, "7300", "経常利益", "経常損失", 1, 31},
    {46, "8180", "臨時収益", "", 0, 31},
    {47, "8280", "臨時費用", "", 0, 31},
    {48, "8300", "税引前当期純利益", "税引前当期純損失", 1, 31},
    {49, "9280", "当期純利益", "当期純損失", 1, 31},
    {50, "9380", "繰越利益", "繰越損失", 1, 31},
    {51, "9480", "積立金取崩額", "", 0, 31},
    {52, "9580", "積立金積立額", "", 0, 31},
    {53, "9600", "次期繰越利益", "次期繰越損失", 1, 31},
};

struct Account {
    const char* code;
    const char* name;
    const char* group;  // GROUPM1 = GROUPM2 = GROUPR1 = GROUPR2 = GROUPM3
    int dac;
    int line;           // EXT1_KS
};

const Account kAccounts[] = {
    {"1110", "現金", "1110", 1, 1},          {"1120", "普通預金", "1120", 1, 2},
    {"1160", "医業未収金", "1160", 1, 3},    {"1510", "建物", "1510", 1, 4},
    {"1520", "医療用器械備品", "1520", 1, 5}, {"2110", "買掛金", "2110", 3, 6},
    {"2310", "長期借入金", "2210", 3, 7},    {"3110", "資本金", "3110", 3, 8},
    {"3340", "前期繰越利益", "3340", 3, 9},  {"4120", "介護報酬収益", "4120", 3, 10},
    {"4410", "入院診療収益", "4410", 3, 11}, {"4420", "外来診療収益", "4420", 3, 12},
    {"6110", "医薬品費", "6110", 1, 13},     {"6210", "給料", "6210", 1, 14},
    {"6610", "水道光熱費", "6610", 1, 15},   {"7110", "受取利息", "7110", 3, 16},
    {"7210", "支払利息", "7210", 1, 17},
};

struct Opening {
    const char* facility;
    const char* account;
    long long yen;
};

const Opening kOpenings[] = {
    {"H1", "1110", 3000000}, {"H1", "1120", 12000000}, {"K1", "1110", 800000}, {"K1", "1120", 4200000},
    {"H1", "1160", 9500000}, {"H1", "1510", 60000000}, {"H1", "1520", 15000000}, {"K1", "1510", 30000000},
    {"H1", "2110", 4300000}, {"H1", "2310", 50000000}, {"K1", "2310", 20000000}, {"H1", "3110", 40000000},
    {"H1", "3340", 20200000},
};

// One movement: debit and credit account of a facility (and department) in
// a period, every month of the year when period is 0.
struct Movement {
    const char* facility;
    const char* department;
    const char* debit;
    const char* credit;
    long long yen;
};

const Movement kMonthly[] = {
    {"H1", "01", "1160", "4410", 5200000}, {"H1", "02", "1160", "4420", 2100000},
    {"H1", " ", "1120", "1160", 7000000},  {"K1", " ", "1120", "4120", 2400000},
    {"H1", "01", "6110", "2110", 1300000}, {"H1", " ", "2110", "1120", 1250000},
    {"H1", "01", "6210", "1120", 3100000}, {"H1", "02", "6210", "1120", 900000},
    {"K1", " ", "6210", "1120", 1500000},  {"H1", " ", "6610", "1110", 240000},
    {"K1", " ", "6610", "1110", 110000},   {"H1", " ", "7210", "1120", 45000},
};

constexpr int kMonthPeriods[] = {1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15};

std::string addAmount(const Movement& m, const char* account, const char* column, int period)
{
    return "UPDATE KAMOKU_MS SET " + std::string(column) + " = " + column + " + " + n(m.yen) +
           " WHERE SCODE = " + sqlText(m.facility) + " AND KCODE = " + sqlText(account) +
           " AND HCODE = ' ' AND BCODE = " + sqlText(m.department) + " AND MNUM = " + n(period) + ";";
}

} // namespace

std::string medicalDataSetSql(const std::filesystem::path& schemaDir)
{
    const auto procedures = schemaDir / "medical" / "trial-balance-procedures.sql";
    std::ifstream in(procedures, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + procedures.string());
    std::ostringstream text;
    text << in.rdbuf();
    std::string sql = text.str() + "\n";
    auto add = [&sql](const std::string& line) { sql += line + "\n"; };
    add("/* Sample data set: 医療法人 清流会 */");
    // The description agrees with the info file and the data list, which a
    // refresh of the selection screen rereads from here.
    add("UPDATE ACCDEF1 SET DATATYPE = 3, CODETYPE = 1, SHOUGOU = '医療法人社団 清流会', ENTTEXT = '医療法人 清流会', "
        "SKANA = 'イリョウホウジンセイリュウカイ', SCODE1 = '0004', SITEN = 1, BUMON = 1, NENDO = 6, TANTOU = 10, "
        "KISHU = '2024-04-01', KIMATU = '2025-03-31', KAISI = '2024-04-01', KAISINO = 1 WHERE REC = 1;");
    add("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', '内科');");
    add("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('02', '外科');");
    add("INSERT INTO GROUPMST (GCODE, GNAME) VALUES ('G1', '診療部門');");
    add("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '01');");
    add("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '02');");
    add("INSERT INTO ACCDEF2 (KCODE, KNAME, KGROUP) VALUES ('3340', '前期繰越利益', '3340');");
    for (const auto& a : kAccounts) {
        add("INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (" + n(a.line) + ", " +
            sqlText(std::string(a.group).substr(0, 2) + "00") + ", " + n(a.line) + ", '');");
        const std::string g = sqlText(a.group);
        add("INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, GROUPM2, GROUPR1, GROUPR2, GROUPM3, KNAME, "
            "DAC, BPFLG, EXT1_KS) VALUES (" + sqlText(a.code) + ", " + sqlText(a.code) + ", " + g + ", " + g + ", " +
            g + ", " + g + ", " + g + ", " + g + ", " + sqlText(a.name) + ", " + n(a.dac) + ", " +
            (std::string(a.group) < "4000" ? "'B'" : "'P'") + ", " + n(a.line) + ");");
    }
    add("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX, MB_JIGYOU) VALUES ('H1', '清流会中央病院', 1, 1);");
    add("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX, MB_JIGYOU) VALUES ('K1', '介護老人保健施設せせらぎ', 0, 8);");
    add("INSERT INTO SISETUGROUP (GCODE, GNAME) VALUES ('HG', '全施設');");
    add("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('HG', 'H1');");
    add("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('HG', 'K1');");
    // Department rows of the accounts that hospital departments book on.
    for (const char* account : {"1160", "4410", "4420", "6110", "6210"})
        for (const char* department : {"01", "02"})
            add("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('H1', " + sqlText(account) + ", ' ', " +
                sqlText(department) + ");");
    for (const auto& o : kOpenings)
        add("UPDATE KAMOKU_SZ SET KAISIZAN = " + n(o.yen) + ", KISHU_KOMI = " + n(o.yen) + ", KISHU_NUKI = " +
            n(o.yen) + " WHERE SCODE = " + sqlText(o.facility) + " AND KCODE = " + sqlText(o.account) +
            " AND HCODE = ' ' AND BCODE = ' ';");
    for (const auto& m : kMonthly)
        for (int period : kMonthPeriods) {
            // The debit side of a department's booking sits in the department,
            // its counter-account without one, unless both are departmental.
            Movement debit = m;
            Movement credit = m;
            const std::string d = m.debit;
            const std::string c = m.credit;
            const bool departmental = std::string(m.department) != " ";
            const auto inDepartments = [](const std::string& code) {
                return code == "1160" || code == "4410" || code == "4420" || code == "6110" || code == "6210";
            };
            if (departmental && !inDepartments(d))
                debit.department = " ";
            if (departmental && !inDepartments(c))
                credit.department = " ";
            add(addAmount(debit, m.debit, "KAR_NUK", period));
            add(addAmount(credit, m.credit, "KAS_NUK", period));
        }
    int rec = 0;
    for (const auto& t : kTotals)
        add("INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME, MINUSNAME, MODIFY, MB_JIGYOU) "
            "VALUES (" + n(++rec) + ", " + sqlText(t.group) + ", 0, " + n(t.arraynum) + ", " + sqlText(t.plus) + ", " +
            sqlText(t.minus) + ", " + n(t.modify) + ", " + n(t.kinds) + ");");
    add("COMMIT;");
    return sql;
}

std::string medicalFacilityRightsSql(const std::vector<int>& operatorCodes)
{
    std::string sql;
    for (int code : operatorCodes)
        for (const char* facility : {"H1", "K1"}) {
            const std::string values = " (OPCODE, SCODE) VALUES (" + n(code) + ", " + sqlText(facility) + ");\n";
            sql += "INSERT INTO OPDEFSISETU" + values;
            sql += "INSERT INTO OPLICENSE" + values;
        }
    return sql;
}

void writeMedicalInfoFile(const std::filesystem::path& folder, int operatorCode)
{
    platform::IniFile ini(folder / DataIniFileName);
    ini.writeInteger("DATASTS", "STATUS", 1);
    ini.writeInteger("DATASTS", "SHARE_STATUS", 1);
    ini.writeInteger("DATASTS", "UPDATE_LOCK", 0);
    ini.writeInteger("DATASTS", "READ_ONLY", 0);
    const std::pair<const char*, std::string> values[] = {
        {"DATALISTNAME", "医療法人 清流会"}, {"CODE", "0004"}, {"DATAKBN", "3"}, {"CODEKBN", "1"},
        {"SHOUGOU", "医療法人社団 清流会"}, {"KANA", "イリョウホウジンセイリュウカイ"}, {"NENDO", "6"},
        {"KISHU", "2024/04/01"}, {"KIMATU", "2025/03/31"}, {"TANTO", std::to_string(operatorCode % 10000)},
        {"SITEN", "1"}, {"SITENCNT", "2"}, {"BUMON", "1"}, {"BUMONCNT", "2"}, {"SIWAKE", "0"},
        {"TOTALSIWAKE", "0"}, {"VERSION1", "14.0.0"}, {"VERSION2", "22版"}, {"GASSANKBN", "0"},
        {"USEMYNUMBER", "0"}, {"CLOUD_SHARE", "0"},
    };
    for (const auto& [key, value] : values)
        ini.writeString("DATAINFO", key, value);
}

} // namespace vq::tools
