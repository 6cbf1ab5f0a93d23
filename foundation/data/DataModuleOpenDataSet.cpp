// The data module's description of the open data set: fnGetAccInfo fills
// AccInf from ACCDEF1, the fixed accounts, the typed settings, the counts and
// the version, and sets up the edition's tables and the tax-rate table.
#include <array>
#include <stdexcept>
#include <utility>

#include "foundation/accounting/CashFlowItems.h"
#include "foundation/accounting/ConsumptionTax.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/FiscalCalendar.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/BalanceTablesPort.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/text/EasyEncoder.h"
#include "foundation/text/StoredValueCodec.h"
#include "foundation/text/TextUtils.h"
#include "platform/db/DbError.h"

namespace vq {

namespace {

constexpr const char* kKihon = "基本設定";

struct TextColumn {
    const char* name;
    std::string TACCINF::*field;
};
struct IntColumn {
    const char* name;
    std::int32_t TACCINF::*field;
};
struct DateColumn {
    const char* name;
    double TACCINF::*field;
};
struct MoneyColumn {
    const char* name;
    std::int64_t TACCINF::*field;
};

const std::array<TextColumn, 30> kTextColumns = {{
    {"ENTTEXT", &TACCINF::ENTTEXT}, {"SERIAL", &TACCINF::SERIAL}, {"SCODE1", &TACCINF::SCODE1},
    {"SCODE2", &TACCINF::SCODE2}, {"SKANA", &TACCINF::SKANA}, {"SHOUGOU", &TACCINF::SHOUGOU},
    {"POST", &TACCINF::POST}, {"ADD1", &TACCINF::ADD1}, {"ADD2", &TACCINF::ADD2}, {"TEL", &TACCINF::TEL},
    {"AO_ADD1", &TACCINF::AO_ADD1}, {"AO_ADD2", &TACCINF::AO_ADD2}, {"AO_KANA", &TACCINF::AO_KANA},
    {"AO_SIMEI", &TACCINF::AO_SIMEI}, {"AO_GYOUSHU", &TACCINF::AO_GYOUSHU}, {"AO_YAGO", &TACCINF::AO_YAGO},
    {"AO_KANYU", &TACCINF::AO_KANYU}, {"AO_TEL", &TACCINF::AO_TEL}, {"AO_SHOKUGYO1", &TACCINF::AO_SHOKUGYO1},
    {"AO_SHOKUGYO2", &TACCINF::AO_SHOKUGYO2}, {"MAIL", &TACCINF::MAIL}, {"GENGOU_NAME", &TACCINF::GENGOU_NAME},
    {"YAKUMEI1", &TACCINF::YAKUMEI1}, {"YAKUMEI2", &TACCINF::YAKUMEI2}, {"YAKUMEI3", &TACCINF::YAKUMEI3},
    {"GENKA_HWORD1", &TACCINF::GENKA_HWORD1}, {"GENKA_HWORD2", &TACCINF::GENKA_HWORD2},
    {"GENKA_HWORD3", &TACCINF::GENKA_HWORD3}, {"GENKA_HWORD4", &TACCINF::GENKA_HWORD4},
    {"GENKA_HWORD5", &TACCINF::GENKA_HWORD5},
}};
const std::array<TextColumn, 2> kMoreTextColumns = {{
    {"PASWORD", &TACCINF::PASWORD}, {"FUMEI_KCODE", &TACCINF::FUMEI_KCODE},
}};
const std::array<IntColumn, 29> kIntColumns = {{
    {"GROUPID", &TACCINF::GROUPID}, {"TANTOU", &TACCINF::TANTOU}, {"GYOUSHU", &TACCINF::GYOUSHU},
    {"DATATYPE", &TACCINF::DATATYPE}, {"CODETYPE", &TACCINF::CODETYPE}, {"NENDO", &TACCINF::NENDO},
    {"SIME", &TACCINF::SIME}, {"KAISINO", &TACCINF::KAISINO}, {"GENGOU_FLG", &TACCINF::GENGOU_FLG},
    {"GENGOU_HOSEI", &TACCINF::GENGOU_HOSEI}, {"CALCU", &TACCINF::CALCU}, {"TAXU_HASUU", &TACCINF::TAXU_HASUU},
    {"TAXH_HASUU", &TACCINF::TAXH_HASUU}, {"TAXDEFUH", &TACCINF::TAXDEFUH}, {"TAXKANNI", &TACCINF::TAXKANNI},
    {"TAXJIGYOU", &TACCINF::TAXJIGYOU}, {"GENKAPRINT", &TACCINF::GENKAPRINT},
    {"KANSA_LOCK", &TACCINF::KANSA_LOCK}, {"TEGATADICSW", &TACCINF::TEGATADICSW},
    {"CASHFLOWSW", &TACCINF::CASHFLOWSW}, {"SDAI_HASUU1", &TACCINF::SDAI_HASUU1},
    {"SDAI_HASUU2", &TACCINF::SDAI_HASUU2}, {"CONVERT", &TACCINF::CONVERT}, {"SHOUHYOU", &TACCINF::SHOUHYOU},
    {"SITEN", &TACCINF::SITEN}, {"BUMON", &TACCINF::BUMON}, {"DATALOCK", &TACCINF::DATALOCK},
    {"GENKA_USE", &TACCINF::GENKA_USE}, {"REC", nullptr},
}};
const std::array<DateColumn, 12> kDateColumns = {{
    {"ZZKISHU", &TACCINF::zzKISHU}, {"ZKISHU", &TACCINF::zKISHU}, {"KISHU", &TACCINF::KISHU},
    {"KIMATU", &TACCINF::KIMATU}, {"KAISI", &TACCINF::KAISI}, {"CHG_DAYS1", &TACCINF::CHG_DAYS1},
    {"CHG_DAYS2", &TACCINF::CHG_DAYS2}, {"CHG_DAYS3", &TACCINF::CHG_DAYS3}, {"CHG_DAYS4", &TACCINF::CHG_DAYS4},
    {"CHG_DAYS5", &TACCINF::CHG_DAYS5}, {"KANSA_FIXDATE", &TACCINF::KANSA_FIXDATE},
    {"KANSA_DATE", &TACCINF::KANSA_DATE},
}};
const std::array<MoneyColumn, 10> kMoneyColumns = {{
    {"OLD_TAX_RATE1", &TACCINF::OLD_TAX_RATE1}, {"OLD_TAX_RATE2", &TACCINF::OLD_TAX_RATE2},
    {"OLD_TAX_RATE3", &TACCINF::OLD_TAX_RATE3}, {"OLD_TAX_RATE4", &TACCINF::OLD_TAX_RATE4},
    {"OLD_TAX_RATE5", &TACCINF::OLD_TAX_RATE5}, {"NEW_TAX_RATE1", &TACCINF::NEW_TAX_RATE1},
    {"NEW_TAX_RATE2", &TACCINF::NEW_TAX_RATE2}, {"NEW_TAX_RATE3", &TACCINF::NEW_TAX_RATE3},
    {"NEW_TAX_RATE4", &TACCINF::NEW_TAX_RATE4}, {"NEW_TAX_RATE5", &TACCINF::NEW_TAX_RATE5},
}};

// Copies the ACCDEF1 row the statement stands on into a. Columns that came
// with later data versions are read only when the row has them.
void copyAccDef1(db::Statement& q, TACCINF& a)
{
    for (const auto& c : kTextColumns)
        a.*(c.field) = q.field(c.name).asString();
    for (const auto& c : kMoreTextColumns)
        a.*(c.field) = q.field(c.name).asString();
    for (const auto& c : kIntColumns)
        if (c.field)
            a.*(c.field) = q.field(c.name).asInt();
    for (const auto& c : kDateColumns)
        a.*(c.field) = q.field(c.name).asDateTime();
    for (const auto& c : kMoneyColumns)
        a.*(c.field) = q.field(c.name).asCurrency();

    auto optionalInt = [&](const char* name, std::int32_t& field, std::int32_t missing, bool keepWhenMissing) {
        if (q.hasField(name))
            field = q.field(name).asInt();
        else if (!keepWhenMissing)
            field = missing;
    };
    optionalInt("KESSAN_KIKAN", a.KESSAN_KIKAN, 0, true);
    optionalInt("CASHFLOW_KIKAN1", a.CASHFLOW_KIKAN1, 0, true);
    optionalInt("CASHFLOW_KIKAN2", a.CASHFLOW_KIKAN2, 0, true);
    optionalInt("SDAI_HASUU3", a.SDAI_HASUU3, 0, false);
    if (q.hasField("GENKA_HWORD6"))
        a.GENKA_HWORD6 = q.field("GENKA_HWORD6").asString();
    a.WEB_HOLDER = q.hasField("WEB_HOLDER") ? q.field("WEB_HOLDER").asString() : std::string();
    optionalInt("CLOUD_LINE", a.CLOUD_LINE, 0, false);
    a.CLOUD_TIME = q.hasField("CLOUD_TIME") ? q.field("CLOUD_TIME").asDateTime() : 0;
    optionalInt("READ_ONLY", a.READ_ONLY, 0, false);
    optionalInt("KURIKOSI1", a.KURIKOSI1, a.TAXDEFUH, false);
    optionalInt("KURIKOSI2", a.KURIKOSI2, a.TAXDEFUH, false);
    a.TaxDefUH = a.TAXDEFUH;
}

std::int32_t readIntSetting(const char* group, const char* code, const char* fallback)
{
    return GetAccRegInt(group, code, fallback);
}

std::string trimmedSetting(const char* code)
{
    return TrimZenSpace(GetAccRegText(kKihon, code, ""));
}

} // namespace

bool TDM::fnGetAccInfo()
{
    static const std::string kMsg = "基本情報の取得に失敗しました。\r";
    TACCINF& a = AccInf;
    try {
        IBTransactionDAT.startIfInactive();
        IBQACC1.setTransaction(IBTransactionDAT);
        IBQACC1.setSql("SELECT * FROM ACCDEF1");
        IBQACC1.execute();
        if (!IBQACC1.fetch())
            throw std::runtime_error("基本設定(ACCDEF1)のレコードが見つかりませんでした。");
        copyAccDef1(IBQACC1, a);
        IBQACC1.close();
        GetDataTypeName(a.DATATYPE, a.DataTypeName);
        GetCodeTypeName(a.DATATYPE, a.CODETYPE, a.CodeTypeName, false);
        DataReadOnly = IsDataReadOnly() ? 1 : 0;

        // The total names follow the group codes of the edition selected
        // before this data set (its own edition is chosen below).
        fnGetAccTotalName(TotalGroupCode(68), "PLUSNAME", a.TotalName5880);
        fnGetAccTotalName(TotalGroupCode(60), "PLUSNAME", a.TotalName5580);
        fnGetAccTotalName(TotalGroupCode(62), "PLUSNAME", a.TotalName5680);
        fnGetAccTotalName(TotalGroupCode(64), "PLUSNAME", a.TotalName5780);
        fnGetAccTotalName(TotalGroupCode(65), "PLUSNAME", a.TotalName5790);
        fnGetAccTotalName(EditionTotalGroupCode(), "PLUSNAME", a.TotalName5688);

        if (SystemDef.PeriodOverride > 0) {
            a.SIME = DayOfDate(a.KIMATU);
            if (a.SIME > 27)
                a.SIME = 99;
            a.KISHU = AddDays(1, a.KIMATU);
            a.KIMATU = GetSimeDate(2, a.SIME, a.KISHU);
            a.KAISI = a.KISHU;
        }
        a.IsIryou = CheckIryouData() ? 1 : 0;

        a.KaisiPeriodIndex = MonthToColumnIndex(a.KAISINO);
        a.KimatuPeriodNo = GetPeriodNo(a.SIME, 0, a.KISHU, a.KIMATU, a.KIMATU);
        a.KaisiMonthCount = GetSimeMonthCount(a.SIME, a.KISHU, a.KAISI);
        a.KimatuMonthCount = GetSimeMonthCount(a.SIME, a.KISHU, a.KIMATU);

        // Fixed accounts by name.
        SetSystemCode("現金", a.SysKCode[SysGenkin], a.SysUserCode[SysGenkin]);
        SetSystemCode("仮払消費税", a.SysKCode[SysKariharaiTax], a.SysUserCode[SysKariharaiTax]);
        SetSystemCode("仮受消費税", a.SysKCode[SysKariukeTax], a.SysUserCode[SysKariukeTax]);
        SetSystemCode("繰越利益剰余金", a.SysKCode[SysKurikosiRieki], a.SysUserCode[SysKurikosiRieki]);
        SetSystemCode("諸口", a.SysKCode[SysSyokuchi], a.SysUserCode[SysSyokuchi]);
        for (std::size_t i = 0; i < a.TegataKCode.size(); ++i) {
            a.TegataKCode[i].clear();
            a.TegataUserCode[i].clear();
        }
        if (a.DATATYPE == 1) {
            SetSystemCode("受取手形", a.TegataKCode[TegataUketori], a.TegataUserCode[TegataUketori]);
            SetSystemCode("割引手形", a.TegataKCode[TegataWaribiki], a.TegataUserCode[TegataWaribiki]);
            SetSystemCode("裏書手形", a.TegataKCode[TegataUragaki], a.TegataUserCode[TegataUragaki]);
        }
        for (int slot = SysJigyounushiKasi; slot <= SysMotoirekin; ++slot) {
            a.SysKCode[static_cast<std::size_t>(slot)].clear();
            a.SysUserCode[static_cast<std::size_t>(slot)].clear();
        }
        if (a.DATATYPE == 2) {
            SetSystemCode("事業主貸", a.SysKCode[SysJigyounushiKasi], a.SysUserCode[SysJigyounushiKasi]);
            SetSystemCode("事業主借", a.SysKCode[SysJigyounushiKari], a.SysUserCode[SysJigyounushiKari]);
            SetSystemCode("元入金", a.SysKCode[SysMotoirekin], a.SysUserCode[SysMotoirekin]);
        }
        for (int slot = SysKyuryou; slot <= SysTaisyokuKyufu; ++slot) {
            a.SysKCode[static_cast<std::size_t>(slot)].clear();
            a.SysUserCode[static_cast<std::size_t>(slot)].clear();
        }
        if (a.DATATYPE == 3 && a.CODETYPE == 1) {
            SetSystemCode("給料", a.SysKCode[SysKyuryou], a.SysUserCode[SysKyuryou]);
            SetSystemCode("賞与", a.SysKCode[SysSyouyo], a.SysUserCode[SysSyouyo]);
            SetSystemCode("賞与引当金繰入額", a.SysKCode[SysSyouyoHikiate], a.SysUserCode[SysSyouyoHikiate]);
            SetSystemCode("退職給付費用", a.SysKCode[SysTaisyokuKyufu], a.SysUserCode[SysTaisyokuKyufu]);
            SetSystemCode("前期繰越利益", a.SysKCode[SysKurikosiRieki], a.SysUserCode[SysKurikosiRieki]);
        }
        GetUserCode(a.FUMEI_KCODE, a.FumeiUserCode);
        a.CommHolder[0] = a.WEB_HOLDER;
        a.CommPassword[0] = a.PASWORD;
        GetTusinId(1, 1);

        // The current year and the two before it.
        a.CurKISHU = a.KISHU;
        a.CurKIMATU = a.KIMATU;
        a.CurKAISI = a.KAISI;
        a.ZenkiKISHU = a.zKISHU != 0 ? a.zKISHU : AddMonths(-12, a.CurKISHU);
        a.ZenkiKIMATU = AddDays(-1, a.CurKISHU);
        a.ZenzenkiKISHU = a.zzKISHU != 0 ? a.zzKISHU : AddMonths(-12, a.ZenkiKISHU);
        a.ZenzenkiKIMATU = AddDays(-1, a.ZenkiKISHU);
        a.ZenkiKAISI = a.ZenkiKISHU;
        a.ZenzenkiKAISI = a.ZenzenkiKISHU;

        // Typed settings; a missing one is created with its default.
        a.KakoMeisai = readIntSetting(kKihon, "過去明細取り込み", "0");
        try {
            a.GassanKubun = static_cast<std::uint8_t>(readIntSetting(kKihon, "合算データ区分", "0"));
        } catch (...) {
            a.GassanKubun = 0;
        }
        a.GassanCount = readIntSetting(kKihon, "合算データ数", "0");
        readIntSetting(kKihon, "一括税抜処理", "0");
        a.IkkatuZeinuki = 0;
        a.KamokuDigits = static_cast<std::uint8_t>(readIntSetting(kKihon, "科目コード桁数", "0"));
        a.HojoDigits = static_cast<std::uint8_t>(readIntSetting(kKihon, "補助コード桁数", "0"));
        a.BumonDigits = static_cast<std::uint8_t>(readIntSetting(kKihon, "部門コード桁数", "0"));
        readIntSetting("減価償却設定", "250%定率法で償却する経過措置", "0");
        readIntSetting("減価償却設定", "200%定率法で償却する経過措置", "0");
        a.PrintKikanUse = readIntSetting(kKihon, "印刷用期間使用区分", "0");
        a.PrintKikanFrom = GetAccRegDate(kKihon, "印刷用期間（期首）", "0");
        a.PrintKikanTo = GetAccRegDate(kKihon, "印刷用期間（期末）", "0");
        a.KobetuGenkaUse = readIntSetting(kKihon, "個別原価使用区分", "0");
        a.KobetuGenkaName = GetAccRegText(kKihon, "個別原価別名", "個別原価");
        a.KobetuGenkaDigits = static_cast<std::uint8_t>(readIntSetting(kKihon, "個別原価コード桁数", "0"));
        a.MyNumberUse = readIntSetting(kKihon, "＃USE", "0");
        const std::string myKey = GetAccRegText(kKihon, "＃KEY", "");
        const std::string myValue = GetAccRegText(kKihon, "＃VALUE", "");
        a.MyNumberKey = TrimZenSpace(myKey).empty() ? std::string() : DecodeStoredValue(myKey, EasyEncodeKey, 8);
        a.MyNumberValue = TrimZenSpace(myValue).empty()
                              ? std::string()
                              : DecodeStoredValue(myValue, EasyEncodeKey, static_cast<int>(myValue.size()));
        a.CloudKubun = readIntSetting("通信設定", "クラウド区分", "0");

        a.BumonCount = 0;
        if (a.BUMON != 0) {
            IBQACC1.setSql("SELECT COUNT(BCODE) AS RECCNT FROM BUMONMST WHERE BCODE<>''");
            IBQACC1.execute();
            if (IBQACC1.fetch())
                a.BumonCount = IBQACC1.field("RECCNT").asInt();
            IBQACC1.close();
        }

        a.DataVerMajor = a.DataVerMinor1 = a.DataVerMinor2 = 0;
        IBQACC1.setSql("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
        IBQACC1.execute();
        if (IBQACC1.fetch()) {
            a.DataVerMajor = IBQACC1.field("MAJOR").asInt();
            a.DataVerMinor1 = IBQACC1.field("MINOR1").asInt();
            a.DataVerMinor2 = IBQACC1.field("MINOR2").asInt();
        }
        IBQACC1.close();
        IBTransactionDAT.commit();

        // From data version 7 on the encoded password counts; the update
        // leaves a password that its encoding cannot hold in the old
        // setting, which then stays in force.
        a.DataPassword = trimmedSetting("データパスワード");
        const std::string encoded = a.DataVerMajor > 6 ? trimmedSetting("データパスワードV2") : std::string();
        if (!encoded.empty()) {
            TEasyEncodeInfo info;
            info.Key = EasyEncodeKey;
            info.TotalLength = 8;
            info.TextLength = 8;
            info.EncodedText = encoded;
            EasyDecode(info);
            a.DataPassword = info.PlainText;
        }
        a.TaxRateUse[0] = GetAccRegBool(kKihon, "使用税率3%", "FALSE") ? 1 : 0;
        a.TaxRateUse[1] = GetAccRegBool(kKihon, "使用税率5%", "FALSE") ? 1 : 0;
        a.TaxRateUse[2] = GetAccRegBool(kKihon, "使用税率8%", "TRUE") ? 1 : 0;
        a.TaxRateUse[3] = 1;
        a.TaxRateUse[4] = 1;
        // The rates depend on this data set's version and switches.
        BuildZeiRituList();
        return true;
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDM.fnGetAccInfo", kMsg, true);
    } catch (const std::exception& e) {
        ShowMessageDetail(kMsg, e.what(), platform::MessageKind::Error);
    }
    try {
        IBQACC1.close();
        if (IBTransactionDAT.active())
            IBTransactionDAT.commit();
    } catch (...) {
        // The connection is gone; the reporter has told the operator.
    }
    return false;
}

void TDM::fnGetAccTotalName(const std::string& kGroup, const std::string& column, std::string& name)
{
    name.clear();
    const bool started = IBTransactionDAT.startIfInactive();
    try {
        db::Statement q(IBDatabaseDAT.attachment(), IBTransactionDAT,
                        "SELECT " + column + " FROM ACCTOTALNAME WHERE KGROUP=:KGROUP");
        q.param("KGROUP").setString(kGroup);
        q.execute();
        while (q.fetch())
            name = q.field(std::size_t{0}).asString();
    } catch (...) {
        ReportCurrentException("TDM.fnGetAccTotalName", "集計名称の取得に失敗しました。");
    }
    if (started && IBTransactionDAT.active())
        IBTransactionDAT.commit();
}

bool TDM::CheckIryouData()
{
    return CheckIryouDataKind(AccInf.DATATYPE, AccInf.CODETYPE);
}

bool TDM::CheckIryouDataKind(std::int32_t dataType, std::int32_t codeType)
{
    const bool medical = dataType == 3 && codeType == 1;
    if (balanceTablesPort().setBalanceTables)
        balanceTablesPort().setBalanceTables(medical);
    LoadSikinguriItems(medical ? 1 : 0);
    return medical;
}

void TDM::GetDataTypeName(std::int32_t dataType, std::string& name)
{
    switch (dataType) {
    case 1: name = "法人"; return;
    case 2: name = "個人"; return;
    case 3: name = "医療法人"; return;
    default:
        throw std::runtime_error("このプログラムでは、該当のデータタイプを処理することが出来ません。(DataType=" +
                                 std::to_string(dataType) + ")");
    }
}

void TDM::GetCodeTypeName(std::int32_t dataType, std::int32_t codeType, std::string& name, bool withDataType)
{
    auto wrongCode = [&] {
        throw std::runtime_error("このプログラムでは、該当のコードタイプを処理することが出来ません。(CodeType=" +
                                 std::to_string(codeType) + ")");
    };
    if (withDataType) {
        std::string kind;
        GetDataTypeName(dataType, kind);
        std::string code;
        GetCodeTypeName(dataType, codeType, code, false);
        name = code.empty() ? kind : kind + "／" + code;
        return;
    }
    switch (dataType) {
    case 1:
    case 3:
        if (codeType != 1)
            wrongCode();
        name.clear();
        return;
    case 2:
        switch (codeType) {
        case 1: name = "一般"; return;
        case 2: name = "不動産"; return;
        case 3: name = "クリニック"; return;
        case 4: name = "農業"; return;
        default: wrongCode();
        }
        return;
    default: {
        std::string ignored;
        GetDataTypeName(dataType, ignored);
    }
    }
}

} // namespace vq
