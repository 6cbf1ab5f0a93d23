// The data module's work on the system database's settings tables: the
// operator's SYSDEF row and SYSREG values, SYSTEMINI, STYLECOLOR, the era
// table and the program version.
#include <algorithm>
#include <array>
#include <type_traits>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/text/TextUtils.h"
#include "platform/db/DbError.h"

namespace vq {

TDM::FontInstalledFunc TDM::FontInstalled;

namespace {

// The integer columns of SYSDEF in the order the settings update names them,
// with their fields. DataDir, PrinterName, FontName, ZenkaiDrive and SSTR are
// the text columns, handled apart.
struct IntColumn {
    const char* name;
    std::int32_t TSystemDef::*field;
};

// Columns before FontName, between FontName and ZenkaiDrive, and after it.
const std::array<IntColumn, 5> kIntColumnsA = {{
    {"MFLEFT", &TSystemDef::MFLeft},
    {"MFTOP", &TSystemDef::MFTop},
    {"MFWIDTH", &TSystemDef::MFWidth},
    {"MFHEIGHT", &TSystemDef::MFHeight},
    {"LASTMENU", &TSystemDef::LastMenu},
}};
const std::array<IntColumn, 42> kIntColumnsB = {{
    {"FONTSIZE", &TSystemDef::FontSize},
    {"FONTSTYLE", &TSystemDef::FontStyle},
    {"FONTCHARSET", &TSystemDef::FontCharSet},
    {"FONTHEIGHT", &TSystemDef::FontHeight},
    {"GRIDRESIZE", &TSystemDef::GridResize},
    {"SHOWHINT", &TSystemDef::ShowHint},
    {"GRIDMAXROW", &TSystemDef::GridMaxRow},
    {"GRIDRSIZ", &TSystemDef::GridRsiz},
    {"CLIENTCOLOR", &TSystemDef::ClientColor},
    {"CLIENTCOLOR1", &TSystemDef::ClientColor1},
    {"CLIENTCOLOR2", &TSystemDef::ClientColor2},
    {"CLIENTCOLOR3", &TSystemDef::ClientColor3},
    {"FORECOLOR", &TSystemDef::ForeColor},
    {"BORDERCOLOR", &TSystemDef::BorderColor},
    {"ACTIVECOLOR", &TSystemDef::ActiveColor},
    {"THRUBORDERCOLOR", &TSystemDef::ThruBorderColor},
    {"COLHEADERCOLOR", &TSystemDef::ColHeaderColor},
    {"FIXEDTOPCOLOR", &TSystemDef::FixedTopColor},
    {"ROWHEADERCOLOR", &TSystemDef::RowHeaderColor},
    {"FIXEDLEFTCOLOR", &TSystemDef::FixedLeftColor},
    {"TOTALCOLOR", &TSystemDef::TotalColor},
    {"NETCOLOR1", &TSystemDef::NetColor1},
    {"NETCOLOR2", &TSystemDef::NetColor2},
    {"PLINECOLOR1", &TSystemDef::PLineColor1},
    {"PLINECOLOR2", &TSystemDef::PLineColor2},
    {"PREVIEWZOOM", &TSystemDef::PreviewZOOM},
    {"PANELCOLOR", &TSystemDef::PanelColor},
    {"PANELBACKCOLOR", &TSystemDef::PanelBackColor},
    {"MENUPRINTSW", &TSystemDef::MenuPrintSw},
    {"SHOUHYOU", &TSystemDef::Shouhyou},
    {"HOJWAIT", &TSystemDef::HojWait},
    {"DICSWITCH", &TSystemDef::DicSwitch},
    {"DICTEKAUTO", &TSystemDef::DicTekAuto},
    {"DICTORAUTO", &TSystemDef::DicTorAuto},
    {"DICUSEDNT", &TSystemDef::DicUsednt},
    {"DICTYPE", &TSystemDef::DicType},
    {"DICNUM1", &TSystemDef::DicNum1},
    {"DICNUM2", &TSystemDef::DicNum2},
    {"DICSORTTYPE", &TSystemDef::DicSortType},
    {"COLHEADERGRADCOLOR1", &TSystemDef::ColHeaderGradColor1},
    {"COLHEADERGRADCOLOR2", &TSystemDef::ColHeaderGradColor2},
    {"SHOWDATASENTAKU", &TSystemDef::ShowDataSentaku},
}};
const std::array<IntColumn, 13> kIntColumnsC = {{
    {"USERPRINT", &TSystemDef::UserPrint},
    {"SWKTOTAL", &TSystemDef::SwkTotal},
    {"SWKLINE", &TSystemDef::SwkLine},
    {"KINGAKUPLUS", &TSystemDef::KingakuPlus},
    {"ZEROPRINT", &TSystemDef::ZeroPrint},
    {"SANKAKUPLUS", &TSystemDef::SankakuPlus},
    {"TEK_AUTOUP", &TSystemDef::TEK_AUTOUP},
    {"TOR_AUTOUP", &TSystemDef::TOR_AUTOUP},
    {"RESERVE1", &TSystemDef::Reserve1},
    {"RESERVE2", &TSystemDef::Reserve2},
    {"RESERVE3", &TSystemDef::Reserve3},
    {"RESERVE4", &TSystemDef::Reserve4},
    {"RESERVE5", &TSystemDef::Reserve5},
}};

const std::string kTypeTextS(kTypeText);
const std::string kTypeIntS(kTypeInteger);

// The report titles with their slots and defaults.
struct TitleSetting {
    const char* code;
    int slot;            // -1: NikiTitle
    const char* fallback;
};
const std::array<TitleSetting, 12> kTitles = {{
    {"試算表タイトル", TitleSisan, "試　算　表"},
    {"２期試算表タイトル", -1, "２期比較試算表"},
    {"全科目ＢＳタイトル", TitleZenBs, "資産・負債・純資産"},
    {"全科目資産タイトル", TitleZenSisan, "資産の部"},
    {"全科目負債タイトル", TitleZenFusai, "負債・純資産の部"},
    {"全科目ＰＬタイトル", TitleZenPl, "損益"},
    {"定形A4資産タイトル", TitleA4Sisan, "資産の部"},
    {"定形A4負債タイトル", TitleA4Fusai, "負債・純資産の部"},
    {"定形A4ＰＬタイトル", TitleA4Pl, "損益"},
    {"定形A4販売費タイトル", TitleA4Hanbaihi, "販売費・一般管理費"},
    {"定形A3ＢＳタイトル", TitleA3Bs, "資産・負債・純資産"},
    {"定形A3ＰＬタイトル", TitleA3Pl, "損益"},
}};

std::string& titleField(TSystemDef& def, int slot)
{
    return slot < 0 ? def.NikiTitle : def.ReportTitles[static_cast<std::size_t>(slot)];
}

// The eight dictionary switches with their fields.
struct DicSwitch {
    const char* code;
    std::int32_t TSystemDef::*field;
};
const std::array<DicSwitch, 8> kDicSwitches = {{
    {"摘要＿辞書開く区分", &TSystemDef::TekDicOpen},
    {"摘要＿連想開く区分", &TSystemDef::TekRensouOpen},
    {"摘要＿自動開く区分", &TSystemDef::TekAutoOpen},
    {"摘要＿入力なし区分", &TSystemDef::TekNoInput},
    {"取引先＿辞書開く区分", &TSystemDef::TorDicOpen},
    {"取引先＿連想開く区分", &TSystemDef::TorRensouOpen},
    {"取引先＿自動開く区分", &TSystemDef::TorAutoOpen},
    {"取引先＿入力なし区分", &TSystemDef::TorNoInput},
}};

bool isDistributorEdition()
{
    return OemKind == 1 || OemKind == 2;
}

int bit(std::int32_t set, int n)
{
    return (static_cast<std::uint32_t>(set) >> (n - 1)) & 1u;
}

std::int32_t withBit(std::int32_t set, int n, bool on)
{
    return on ? set | static_cast<std::int32_t>(1u << (n - 1)) : set;
}

// The SYSREG text of a value; false for a type name outside the five.
bool sysRegText(const std::string& typeName, const SettingValue& value, std::string& text)
{
    if (typeName != kTypeText && typeName != kTypeBool && typeName != kTypeDate && typeName != kTypeInteger &&
        typeName != kTypeCurrency)
        return false;
    return SettingTextOf(typeName, value, text);
}

// The value of a SYSREG text: as the typed settings read it, except that a
// Boolean is true only for exactly "TRUE".
SettingValue sysRegValue(const std::string& typeName, const std::string& stored)
{
    const std::string s = stored.empty() ? std::string(" ") : stored;
    if (typeName == kTypeBool)
        return SettingValue(s == "TRUE");
    if (typeName != kTypeText && typeName != kTypeDate && typeName != kTypeInteger && typeName != kTypeCurrency)
        return SettingValue(std::string(kDataTypeError));
    return SettingValueOf(typeName, s);
}

// NAME=, JYUSHO= and TEL= lines of the office row.
std::string lineValue(const std::string& text, const std::string& key)
{
    std::string value;
    TDM::GetTextValue(text, key, value);
    return value;
}

} // namespace

// ---- SYSREG ---------------------------------------------------------------------------

void TDM::funcGetSysReg(std::int32_t opCode, const std::string& code, const std::string& typeName,
                        const std::string& defaultText, SettingValue& value)
{
    try {
        db::TransactionScope scope(IBTransactionDEF);
        QueryDef.setSql("SELECT STEXT FROM SYSREG WHERE OPCODE=:OPCODE AND SCODE=:SCODE");
        QueryDef.param("OPCODE").setInt(opCode);
        QueryDef.param("SCODE").setString(code);
        QueryDef.execute();
        std::string s;
        if (QueryDef.fetch()) {
            s = QueryDef.field("STEXT").asString();
            QueryDef.close();
        } else {
            QueryDef.close();
            QueryDef.setSql("INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(:OPCODE,:SCODE,:STYPE,:STEXT )");
            QueryDef.param("OPCODE").setInt(opCode);
            QueryDef.param("SCODE").setString(code);
            QueryDef.param("STYPE").setString(typeName);
            QueryDef.param("STEXT").setString(defaultText);
            QueryDef.execute();
            s = defaultText;
        }
        scope.commit();
        value = sysRegValue(typeName, s);
    } catch (...) {
        ReportCurrentException("TDM.funcGetSysReg", "システム共通変数の取得に失敗しました。");
    }
}

void TDM::funcGetSysReg(const std::string& code, const std::string& typeName, const std::string& defaultText,
                        SettingValue& value)
{
    funcGetSysReg(SystemDef.OPCODE, code, typeName, defaultText, value);
}

void TDM::funcPutSysReg(std::int32_t opCode, const std::string& code, const std::string& typeName,
                        const SettingValue& value)
{
    try {
        db::TransactionScope scope(IBTransactionDEF);
        QueryDef.setSql("SELECT COUNT(OPCODE) AS RECCNT FROM SYSREG WHERE OPCODE=:OPCODE AND SCODE=:SCODE");
        QueryDef.param("OPCODE").setInt(opCode);
        QueryDef.param("SCODE").setString(code);
        QueryDef.execute();
        const bool exists = QueryDef.fetch() && QueryDef.field("RECCNT").asInt() > 0;
        QueryDef.close();
        if (exists)
            QueryDef.setSql("UPDATE SYSREG SET STEXT=:STEXT WHERE OPCODE=:OPCODE AND SCODE=:SCODE");
        else
            QueryDef.setSql("INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(:OPCODE,:SCODE,:STYPE,:STEXT )");
        QueryDef.param("OPCODE").setInt(opCode);
        QueryDef.param("SCODE").setString(code);
        if (!exists)
            QueryDef.param("STYPE").setString(typeName);
        std::string text;
        if (sysRegText(typeName, value, text))
            QueryDef.param("STEXT").setString(text);
        else
            QueryDef.param("STEXT").setNull();
        QueryDef.execute();
        scope.commit();
    } catch (...) {
        ReportCurrentException("TDM.funcPutSysReg", "システム共通変数の保存に失敗しました。");
    }
}

void TDM::funcPutSysReg(const std::string& code, const std::string& typeName, const SettingValue& value)
{
    funcPutSysReg(SystemDef.OPCODE, code, typeName, value);
}

// ---- SYSDEF ---------------------------------------------------------------------------

bool TDM::fnGetSysDef()
{
    static const std::string kMsg = "システム情報の取得に失敗しました。\rアプリケーションを終了します。";
    TSystemDef& d = SystemDef;
    const bool oem = isDistributorEdition();
    try {
        db::TransactionScope scope(IBTransactionDEF);
        IBQSysDefGet.setSql("SELECT * FROM SYSDEF WHERE OPCODE=:OPCODE");
        IBQSysDefGet.param("OPCODE").setInt(d.OPCODE);
        IBQSysDefGet.execute();
        if (!IBQSysDefGet.fetch()) {
            IBQSysDefGet.close();
            IBQSysDefPut.setSql(
                "INSERT INTO SYSDEF(OPCODE,SankakuPlus,ColHeaderColor,ColHeaderGradColor1,ColHeaderGradColor2,"
                "ClientColor,ClientColor1,ClientColor2,TotalColor,ActiveColor,NetColor1,NetColor2,PLineColor1,"
                "PLineColor2,DICSWITCH,DicTekAuto,DicTorAuto) VALUES(:OPCODE,:SankakuPlus,:ColHeaderColor,"
                ":ColHeaderGradColor1,:ColHeaderGradColor2,:ClientColor,:ClientColor1,:ClientColor2,:TotalColor,"
                ":ActiveColor,:NetColor1,:NetColor2,:PLineColor1,:PLineColor2,:DICSWITCH,:DicTekAuto,:DicTorAuto)");
            IBQSysDefPut.param("OPCODE").setInt(d.OPCODE);
            IBQSysDefPut.param("SankakuPlus").setInt(1);
            const std::array<const char*, 8> colourParams = {"ColHeaderColor", "ColHeaderGradColor1",
                                                             "ColHeaderGradColor2", "ClientColor", "ClientColor1",
                                                             "ClientColor2", "TotalColor", "ActiveColor"};
            for (std::size_t i = 0; i < colourParams.size(); ++i)
                IBQSysDefPut.param(colourParams[i]).setInt(DefaultColors[i]);
            IBQSysDefPut.param("NetColor1").setInt(0xD7FFD7);
            IBQSysDefPut.param("NetColor2").setInt(0xD7FFD7);
            IBQSysDefPut.param("PLineColor1").setInt(0x7900);
            IBQSysDefPut.param("PLineColor2").setInt(0x7900);
            IBQSysDefPut.param("DICSWITCH").setInt(oem ? 2 : 0);
            IBQSysDefPut.param("DicTekAuto").setInt(oem ? 2 : 1);
            IBQSysDefPut.param("DicTorAuto").setInt(oem ? 0 : 1);
            IBQSysDefPut.execute();
            IBQSysDefGet.execute();
            IBQSysDefGet.fetch();

            const std::array<std::int32_t, 8> firstSwitches = {1, 0, 1, 0, 1, 0, 1, 0};
            for (std::size_t i = 0; i < kDicSwitches.size(); ++i)
                funcPutSysReg(kDicSwitches[i].code, kTypeIntS, SettingValue(firstSwitches[i]));
            if (oem) {
                const std::array<std::pair<const char*, std::int32_t>, 10> oemFirst = {{
                    {"次項目移動区分", 1}, {"科目コード桁数", 0}, {"補助コード桁数", 0}, {"部門コード桁数", 1},
                    {"仕訳日付フォーカス", 1}, {"元帳最終行残高出力区", 1}, {"試算表集計出力区分", 1},
                    {"元帳１行出力区分", 0}, {"元帳付箋マーク出力区", 0}, {"連想辞書抽出条件区分", 1},
                }};
                for (const auto& [code, v] : oemFirst)
                    funcPutSysReg(code, kTypeIntS, SettingValue(v));
                const std::array<std::int32_t, 8> oemSwitches = {0, 1, 1, 0, 1, 0, 0, 0};
                for (std::size_t i = 0; i < kDicSwitches.size(); ++i)
                    funcPutSysReg(kDicSwitches[i].code, kTypeIntS, SettingValue(oemSwitches[i]));
            }
        }
        if (!IBQSysDefGet.hasRow())
            throw std::runtime_error("SYSDEF row of the operator cannot be read");

        auto readInts = [&](const auto& columns) {
            for (const auto& c : columns)
                if (IBQSysDefGet.hasField(c.name))
                    d.*(c.field) = IBQSysDefGet.field(c.name).asInt();
        };
        auto readText = [&](const char* name, std::string& field) {
            if (IBQSysDefGet.hasField(name))
                field = IBQSysDefGet.field(name).asString();
        };
        readText("DATADIR", d.DataDir);
        readText("PRINTERNAME", d.PrinterName);
        readInts(kIntColumnsA);
        readText("FONTNAME", d.FontName);
        readInts(kIntColumnsB);
        readText("ZENKAIDRIVE", d.ZenkaiDrive);
        readInts(kIntColumnsC);
        readText("SSTR", d.SSTR);
        IBQSysDefGet.close();
        if (d.ColHeaderGradColor1 == 0)
            d.ColHeaderGradColor1 = 0xFFFFFF;
        if (d.ColHeaderGradColor2 == 0)
            d.ColHeaderGradColor2 = 0xBBBBBB;
        d.Reserve2Bit1 = bit(d.Reserve2, 1);
        d.Reserve2Bit2 = bit(d.Reserve2, 2);
        d.Reserve4Bit1 = bit(d.Reserve4, 1);
        d.Reserve4Bit2 = bit(d.Reserve4, 2);
        d.Reserve4Bit3 = bit(d.Reserve4, 3);
        d.Reserve4Bit4 = bit(d.Reserve4, 4);
        d.Reserve4Bits56 = bit(d.Reserve4, 5) ? 1 : bit(d.Reserve4, 6) ? 2 : 0;
        d.Reserve4Bit7 = bit(d.Reserve4, 7);
        d.Reserve4Bit8 = bit(d.Reserve4, 8);
        d.Reserve4Bit9 = bit(d.Reserve4, 9);
        d.EraDisplay = bit(d.Reserve4, 10);
        d.Reserve4Bit11 = bit(d.Reserve4, 11);

        // The office's information and the facility release.
        d.OfficeName.clear();
        d.OfficeAddress.clear();
        d.OfficeTel.clear();
        d.OfficeReserve1 = d.OfficeReserve2 = d.OfficeReserve3 = 0;
        TSystemIniRec office;
        office.REC = 10;
        if (GetSysIni(office)) {
            d.OfficeName = lineValue(office.SSTR, "NAME");
            d.OfficeAddress = lineValue(office.SSTR, "JYUSHO");
            d.OfficeTel = lineValue(office.SSTR, "TEL");
            d.OfficeReserve1 = office.RESERVE1;
            d.OfficeReserve2 = office.RESERVE2;
            d.OfficeReserve3 = office.RESERVE3;
        }
        TSystemIniRec release;
        release.REC = 20;
        d.SisetuFreeSwitch = GetSysIni(release) ? release.RESERVE1 : 0;

        // The operator's switches; a missing one is created with its default.
        SettingValue v;
        auto readInt = [&](const std::string& code, const std::string& fallback, auto& field) {
            v = SettingValue(static_cast<std::int32_t>(field));
            funcGetSysReg(code, kTypeIntS, fallback, v);
            field = static_cast<std::remove_reference_t<decltype(field)>>(v.asInt());
        };
        d.NextItemMove = 0;
        d.KamokuDigits = d.HojoDigits = d.BumonDigits = 0;
        d.SwkDateFocus = 2;
        d.SisanSyukeiPrint = 0;
        d.MotochoOneLine = d.MotochoFusenMark = d.RensouCondition = 0;
        if (oem) {
            readInt("次項目移動区分", "1", d.NextItemMove);
            readInt("科目コード桁数", "0", d.KamokuDigits);
            readInt("補助コード桁数", "0", d.HojoDigits);
            readInt("部門コード桁数", "1", d.BumonDigits);
            if (OemKind == 2)
                d.SisetuFreeSwitch = 1;
            readInt("仕訳日付フォーカス", "1", d.SwkDateFocus);
            d.Reserve4Bit7 = 1;
            d.SisanSyukeiPrint = 1;
            readInt("元帳１行出力区分", "0", d.MotochoOneLine);
            readInt("元帳付箋マーク出力区", "0", d.MotochoFusenMark);
            readInt("連想辞書抽出条件区分", "1", d.RensouCondition);
        }
        readInt("元帳最終行残高出力区", std::to_string(d.Reserve4Bit7), d.Reserve4Bit7);
        readInt("試算表集計出力区分", std::to_string(d.SisanSyukeiPrint), d.SisanSyukeiPrint);
        readInt("元帳タイトル出力区分", oem ? "1" : "0", d.MotochoTitlePrint);
        readInt("試算表ＢＳ改ページ区", oem ? "0" : "1", d.SisanBsPageBreak);
        readInt("試算表タイトル出力区", oem ? "1" : "0", d.SisanTitlePrint);
        readInt("試算表期間出力区分", oem ? "1" : "0", d.PeriodPrintSwitch);

        for (auto& t : d.ReportTitles)
            t.clear();
        for (const auto& t : kTitles) {
            v = SettingValue(std::string());
            funcGetSysReg(t.code, kTypeTextS, t.fallback, v);
            titleField(d, t.slot) = v.asString();
        }

        v = SettingValue(d.DataBrokenCheck);
        funcGetSysReg(d.GROUPID * 10000 + 9999, "データ破損チェック区", kTypeIntS, "1", v);
        d.DataBrokenCheck = v.asInt();

        readInt("サーバのデータの場所", "0", d.ServerDataPlace);
        readInt("摘要項目の編集モード", "0", d.TekiyouEditMode);
        readInt("摘要項目の入力区分", "0", d.TekiyouInputKind);
        readInt("取引先項目の入力区分", "0", d.TorihikiInputKind);
        readInt("裏面の罫線印刷区分", "0", d.UramenKeisenPrint);
        readInt("消費税コード印刷区分", "1", d.TaxCodePrint);
        if (!oem)
            d.TaxCodePrint = 1;
        readInt("決算書手形相殺区分", "0", d.KessanTegataSousai);
        readInt("決算書販売費組入区分", "0", d.KessanHanbaihiKumiire);
        readInt("試算表行数調整区分", "0", d.SisanRowAdjust);
        readInt("連想辞書コード入力区", "0", d.RensouCodeInput);
        readInt("連想辞書リスト並び順", "0", d.RensouListOrder);
        readInt("元帳付箋マーク出力区", std::to_string(d.MotochoFusenMark), d.MotochoFusenMark);
        const std::array<const char*, 8> switchDefaults = {"1", "0", "0", "0", "1", "0", "0", "0"};
        for (std::size_t i = 0; i < kDicSwitches.size(); ++i)
            readInt(kDicSwitches[i].code, switchDefaults[i], d.*(kDicSwitches[i].field));
        readInt("試算表製造集計行出区", "1", d.SeizouTotalLine);

        d.MenuHostState = 0;
        d.Shouhyou = 0;
        d.MetricReserved = 0;
        d.ProgressDialog = nullptr;
        GetLatestProgramVersion();

        if (!d.FontName.empty() && FontInstalled && FontInstalled(d.FontName)) {
            d.UserFont.name = d.FontName;
            d.UserFont.size = d.FontSize;
            d.UserFont.style = d.FontStyle;
            d.UserFont.charSet = d.FontCharSet;
        }
        scope.commit();
        return true;
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDM.fnGetSysDef", kMsg);
    } catch (const std::exception& e) {
        ShowMessageDetail(kMsg, e.what(), platform::MessageKind::Error);
    }
    return false;
}

bool TDM::fnPutSysDef()
{
    static const std::string kMsg = "システム情報の書き込みに失敗しました。\r現在のシステム設定は保存されません。";
    TSystemDef& d = SystemDef;
    const bool oem = isDistributorEdition();
    try {
        d.Reserve2 = withBit(withBit(0, 1, d.Reserve2Bit1 != 0), 2, d.Reserve2Bit2 != 0);
        std::int32_t r4 = 0;
        r4 = withBit(r4, 1, d.Reserve4Bit1 != 0);
        r4 = withBit(r4, 2, d.Reserve4Bit2 != 0);
        r4 = withBit(r4, 3, d.Reserve4Bit3 != 0);
        r4 = withBit(r4, 4, d.Reserve4Bit4 != 0);
        r4 = withBit(r4, 5, d.Reserve4Bits56 == 1);
        r4 = withBit(r4, 6, d.Reserve4Bits56 == 2);
        r4 = withBit(r4, 7, d.Reserve4Bit7 != 0);
        r4 = withBit(r4, 8, d.Reserve4Bit8 != 0);
        r4 = withBit(r4, 9, d.Reserve4Bit9 != 0);
        r4 = withBit(r4, 10, d.EraDisplay != 0);
        r4 = withBit(r4, 11, d.Reserve4Bit11 != 0);
        d.Reserve4 = r4;

        std::string sql = "UPDATE SYSDEF SET DataDir=:DataDir,PrinterName=:PrinterName";
        auto names = [&](const auto& columns) {
            for (const auto& c : columns)
                sql += std::string(",") + c.name + "=:" + c.name;
        };
        names(kIntColumnsA);
        sql += ",FontName=:FontName";
        names(kIntColumnsB);
        sql += ",ZenkaiDrive=:ZenkaiDrive";
        names(kIntColumnsC);
        sql += ",SSTR=:SSTR WHERE OPCODE=:OPCODE";

        {
            db::TransactionScope scope(IBTransactionDEF);
            IBQSysDefPut.setSql(sql);
            auto ints = [&](const auto& columns) {
                for (const auto& c : columns)
                    IBQSysDefPut.param(c.name).setInt(d.*(c.field));
            };
            IBQSysDefPut.param("DataDir").setString(d.DataDir);
            IBQSysDefPut.param("PrinterName").setString(d.PrinterName);
            ints(kIntColumnsA);
            IBQSysDefPut.param("FontName").setString(d.FontName);
            ints(kIntColumnsB);
            IBQSysDefPut.param("ZenkaiDrive").setString(d.ZenkaiDrive);
            ints(kIntColumnsC);
            IBQSysDefPut.param("SSTR").setString(d.SSTR);
            IBQSysDefPut.param("OPCODE").setInt(d.OPCODE);
            IBQSysDefPut.execute();
            scope.commit();
        }

        auto putInt = [&](const char* code, std::int32_t value) {
            funcPutSysReg(code, kTypeIntS, SettingValue(value));
        };
        if (oem) {
            putInt("次項目移動区分", d.NextItemMove);
            putInt("科目コード桁数", d.KamokuDigits);
            putInt("補助コード桁数", d.HojoDigits);
            putInt("部門コード桁数", d.BumonDigits);
            putInt("仕訳日付フォーカス", d.SwkDateFocus);
            putInt("元帳１行出力区分", d.MotochoOneLine);
            putInt("元帳付箋マーク出力区", d.MotochoFusenMark);
            putInt("連想辞書抽出条件区分", d.RensouCondition);
        }
        putInt("試算表集計出力区分", d.SisanSyukeiPrint);
        putInt("元帳タイトル出力区分", d.MotochoTitlePrint);
        putInt("試算表ＢＳ改ページ区", d.SisanBsPageBreak);
        putInt("試算表タイトル出力区", d.SisanTitlePrint);
        for (const auto& t : kTitles)
            funcPutSysReg(t.code, kTypeTextS, SettingValue(titleField(d, t.slot)));
        putInt("元帳最終行残高出力区", d.Reserve4Bit7);
        putInt("サーバのデータの場所", d.ServerDataPlace);
        putInt("摘要項目の編集モード", d.TekiyouEditMode);
        putInt("摘要項目の入力区分", d.TekiyouInputKind);
        putInt("取引先項目の入力区分", d.TorihikiInputKind);
        putInt("裏面の罫線印刷区分", d.UramenKeisenPrint);
        putInt("消費税コード印刷区分", d.TaxCodePrint);
        putInt("決算書手形相殺区分", d.KessanTegataSousai);
        putInt("決算書販売費組入区分", d.KessanHanbaihiKumiire);
        putInt("連想辞書コード入力区", d.RensouCodeInput);
        putInt("連想辞書リスト並び順", d.RensouListOrder);
        putInt("元帳付箋マーク出力区", d.MotochoFusenMark);
        putInt("試算表期間出力区分", d.PeriodPrintSwitch);
        for (const auto& s : kDicSwitches)
            putInt(s.code, d.*(s.field));
        putInt("試算表製造集計行出区", d.SeizouTotalLine);
        return true;
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDM.fnPutSysDef", kMsg);
    } catch (const std::exception& e) {
        ShowMessageDetail(kMsg, e.what(), platform::MessageKind::Error);
    }
    return false;
}

void TDM::DeleteLogonInfo()
{
    std::int32_t opCode = SystemDef.OPCODE;
    if (ProductKind == 1 || ProductKind == 2)
        opCode = SystemDef.GROUPID * 10000 + 1;
    else if (ProductKind == 3)
        opCode = SystemDef.GROUPID * 10000 + 2;
    try {
        db::TransactionScope scope(IBTransactionDEF);
        QueryDef.setSql("DELETE FROM LOGONUSERLIST WHERE OPCODE=:OPCODE");
        QueryDef.param("OPCODE").setInt(opCode);
        QueryDef.execute();
        scope.commit();
    } catch (...) {
        ReportCurrentException("TDM.DeleteLogonInfo", "ログイン情報の削除に失敗しました。");
    }
}

// ---- SYSTEMINI ------------------------------------------------------------------------

bool TDM::GetSysIni(TSystemIniRec& rec)
{
    rec.RESERVE1 = rec.RESERVE2 = rec.RESERVE3 = rec.RESERVE4 = rec.RESERVE5 = 0;
    rec.SSTR.clear();
    const bool callerActive = IBTransactionDEF.active();
    try {
        db::TransactionScope scope(IBTransactionDEF);
        IBQSysDefGet.setSql("SELECT RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR FROM SYSTEMINI WHERE REC=:REC");
        IBQSysDefGet.param("REC").setInt(rec.REC);
        IBQSysDefGet.execute();
        TSystemIniRec first = rec;
        int rows = 0;
        while (IBQSysDefGet.fetch()) {
            if (++rows == 1) {
                first.RESERVE1 = IBQSysDefGet.field("RESERVE1").asInt();
                first.RESERVE2 = IBQSysDefGet.field("RESERVE2").asInt();
                first.RESERVE3 = IBQSysDefGet.field("RESERVE3").asInt();
                first.RESERVE4 = IBQSysDefGet.field("RESERVE4").asInt();
                first.RESERVE5 = IBQSysDefGet.field("RESERVE5").asInt();
                first.SSTR = IBQSysDefGet.field("SSTR").asString();
            }
        }
        if (rows == 1)
            rec = first;
        scope.commit();
        return true;
    } catch (...) {
        if (callerActive)
            throw;
        ReportCurrentException("TDM.GetSysIni", "システム情報の取得に失敗しました。\rアプリケーションを終了します。");
    }
    return false;
}

bool TDM::SetSysIni(const TSystemIniRec& rec)
{
    const bool callerActive = IBTransactionDEF.active();
    try {
        db::TransactionScope scope(IBTransactionDEF);
        IBQSysDefPut.setSql("SELECT COUNT(REC) AS RECCNT FROM SYSTEMINI WHERE REC=:REC");
        IBQSysDefPut.param("REC").setInt(rec.REC);
        IBQSysDefPut.execute();
        const bool exists = IBQSysDefPut.fetch() && IBQSysDefPut.field("RECCNT").asInt() > 0;
        IBQSysDefPut.close();
        if (exists)
            IBQSysDefPut.setSql("UPDATE SYSTEMINI SET RESERVE1=:RESERVE1,RESERVE2=:RESERVE2,RESERVE3=:RESERVE3,"
                                "RESERVE4=:RESERVE4,RESERVE5=:RESERVE5,SSTR=:SSTR WHERE REC=:REC");
        else
            IBQSysDefPut.setSql("INSERT INTO SYSTEMINI(REC,RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR) "
                                "VALUES(:REC,:RESERVE1,:RESERVE2,:RESERVE3,:RESERVE4,:RESERVE5,:SSTR)");
        IBQSysDefPut.param("REC").setInt(rec.REC);
        IBQSysDefPut.param("RESERVE1").setInt(rec.RESERVE1);
        IBQSysDefPut.param("RESERVE2").setInt(rec.RESERVE2);
        IBQSysDefPut.param("RESERVE3").setInt(rec.RESERVE3);
        IBQSysDefPut.param("RESERVE4").setInt(rec.RESERVE4);
        IBQSysDefPut.param("RESERVE5").setInt(rec.RESERVE5);
        IBQSysDefPut.param("SSTR").setString(rec.SSTR);
        IBQSysDefPut.execute();
        scope.commit();
        return true;
    } catch (...) {
        if (callerActive)
            throw;
        ReportCurrentException("TDM.SetSysIni", "システム情報の書き込みに失敗しました。\r現在のシステム設定は保存されません。");
    }
    return false;
}

// ---- STYLECOLOR -----------------------------------------------------------------------

void TDM::GetStyleColor(std::int32_t opCode, const std::string& styleName, std::string& sstr)
{
    sstr.clear();
    try {
        db::TransactionScope scope(IBTransactionDEF);
        IBSQLDEF.setSql("SELECT SSTR FROM STYLECOLOR WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME");
        IBSQLDEF.param("OPCODE").setInt(opCode);
        IBSQLDEF.param("STYLENAME").setString(styleName);
        IBSQLDEF.execute();
        while (IBSQLDEF.fetch())
            sstr = IBSQLDEF.field("SSTR").asString();
        scope.commit();
    } catch (...) {
        // The print-option dialog then starts from its own colours.
    }
}

void TDM::PutStyleColor(std::int32_t opCode, const std::string& styleName, const std::string& sstr)
{
    try {
        db::TransactionScope scope(IBTransactionDEF);
        IBSQLDEF.setSql("SELECT COUNT(OPCODE) AS RECCNT FROM STYLECOLOR WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME");
        IBSQLDEF.param("OPCODE").setInt(opCode);
        IBSQLDEF.param("STYLENAME").setString(styleName);
        IBSQLDEF.execute();
        const bool exists = IBSQLDEF.fetch() && IBSQLDEF.field("RECCNT").asInt() > 0;
        IBSQLDEF.close();
        if (exists)
            IBSQLDEF.setSql("UPDATE STYLECOLOR SET OPCODE=:OPCODE,STYLENAME=:STYLENAME,LINECOLOR1=:LINECOLOR1,"
                            "LINECOLOR2=:LINECOLOR2,LINECOLOR3=:LINECOLOR3,LINECOLOR4=:LINECOLOR4,"
                            "LINECOLOR5=:LINECOLOR5,NETCOLOR1=:NETCOLOR1,NETCOLOR2=:NETCOLOR2,SSTR=:SSTR "
                            "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME");
        else
            IBSQLDEF.setSql("INSERT INTO STYLECOLOR(OPCODE,STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,LINECOLOR4,"
                            "LINECOLOR5,NETCOLOR1,NETCOLOR2,SSTR) VALUES(:OPCODE,:STYLENAME,:LINECOLOR1,"
                            ":LINECOLOR2,:LINECOLOR3,:LINECOLOR4,:LINECOLOR5,:NETCOLOR1,:NETCOLOR2,:SSTR)");
        IBSQLDEF.param("OPCODE").setInt(opCode);
        IBSQLDEF.param("STYLENAME").setString(styleName);
        for (const char* colour : {"LINECOLOR1", "LINECOLOR2", "LINECOLOR3", "LINECOLOR4", "LINECOLOR5",
                                   "NETCOLOR1", "NETCOLOR2"})
            IBSQLDEF.param(colour).setInt(-1);
        IBSQLDEF.param("SSTR").setString(sstr);
        IBSQLDEF.execute();
        scope.commit();
    } catch (...) {
        // The colours then last for this run only.
    }
}

// ---- Eras and version -------------------------------------------------------------------

void TDM::LoadGengoTable()
{
    TGengoArray rows;
    try {
        db::TransactionScope scope(IBTransactionDEF);
        QueryDef.setSql("SELECT COUNT(*) AS RECCNT FROM GENGO");
        QueryDef.execute();
        if (QueryDef.fetch())
            rows.reserve(static_cast<std::size_t>(std::max(0, QueryDef.field("RECCNT").asInt())));
        QueryDef.close();
        QueryDef.setSql("SELECT GNAME,GSIGN,STARTDATE,YEAROFFSET FROM GENGO ORDER BY YEAROFFSET DESC");
        QueryDef.execute();
        while (QueryDef.fetch()) {
            TGengoRec r;
            r.GNAME = QueryDef.field("GNAME").asString();
            r.GSIGN = QueryDef.field("GSIGN").asString();
            r.STARTDATE = QueryDef.field("STARTDATE").asDate();
            r.YEAROFFSET = QueryDef.field("YEAROFFSET").asInt();
            rows.push_back(std::move(r));
        }
        scope.commit();
    } catch (...) {
        // What was read stands; an empty table falls back to the built-in eras.
    }
    SetEraTable(std::move(rows));
}

void TDM::GetLatestProgramVersion()
{
    TSystemDef& d = SystemDef;
    try {
        db::TransactionScope scope(IBTransactionDEF);
        IBSQLDEF.setSql("SELECT MAJOR,MINOR1,MINOR2 FROM VERSION ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
        IBSQLDEF.execute();
        d.ProgVerMajor = d.ProgVerMinor1 = d.ProgVerMinor2 = 0;
        if (IBSQLDEF.fetch()) {
            d.ProgVerMajor = IBSQLDEF.field("MAJOR").asInt();
            d.ProgVerMinor1 = IBSQLDEF.field("MINOR1").asInt();
            d.ProgVerMinor2 = IBSQLDEF.field("MINOR2").asInt();
        }
        IBSQLDEF.close();
        scope.commit();
    } catch (...) {
        d.ProgVerMajor = d.ProgVerMinor1 = d.ProgVerMinor2 = 0;
    }
}

} // namespace vq
