// The dump's first sections: the data set's basic record, the typed settings,
// the total-line names, the version row, the masters, the comparison
// patterns, the sub-accounts and the job-control list.
#include "comm/WebDbSqlDump.h"
#include "comm/WebDbSqlDumpColumns.h"
#include "comm/WebDbSqlDumpWriter.h"

#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "platform/Interaction.h"

namespace vq::comm {

namespace {

std::string quotedDate(double day)
{
    return "'" + FormatDateTime("yyyy/mm/dd", day) + "'";
}

int bitOf(std::int32_t value, int bit)
{
    return (value >> bit) & 1;
}

struct FixedSetting {
    const char* group;
    const char* code;
    bool text;
    std::string value;
};

// The logged-on operator's settings that travel with the dump as ACCREG rows.
std::vector<FixedSetting> operatorSettings()
{
    const TSystemDef& d = SystemDef;
    auto num = [](std::int32_t v) { return std::to_string(v); };
    const char* env = "環境設定";
    const char* kessan = "決算書";
    return {
        {env, "証憑列表示区分", false, num(bitOf(d.Reserve4, 2))},
        {env, "支店毎連番表示区分", false, num(bitOf(d.Reserve4, 3))},
        {env, "３期比較年度出力順区分", false, num(bitOf(d.Reserve4, 10))},
        {env, "部門帳票２行印刷区分", false, num(d.SwkLine)},
        {env, "税額参考印刷区分", false, num(d.Reserve1)},
        {env, "元帳最終取引残高印刷区分", false, num(d.Reserve4Bit7)},
        {env, "元帳タイトル科目名称出力区分", false, num(d.MotochoTitlePrint)},
        {env, "両面印刷罫線出力区分", false, num(d.UramenKeisenPrint)},
        {env, "インデックス出力区分", false, num(d.MotochoFusenMark)},
        {env, "名称金額出力区分", false, num(d.KingakuPlus)},
        {env, "試算表集計区分印刷区分", false, num(d.SisanSyukeiPrint)},
        {env, "貸借対照表集計期間印刷区分", false, num(d.PeriodPrintSwitch)},
        {env, "負債の部改ページ区分", false, num(d.SisanBsPageBreak)},
        {env, "試算表タイトル変更区分", false, num(d.SisanTitlePrint)},
        {env, "試算表タイトル", true, d.ReportTitles[TitleSisan]},
        {env, "２期試算表タイトル", true, d.NikiTitle},
        {env, "試算表貸借対照表", true, d.ReportTitles[TitleZenBs]},
        {env, "試算表資産の部", true, d.ReportTitles[TitleZenSisan]},
        {env, "試算表負債・純資産の部", true, d.ReportTitles[TitleZenFusai]},
        {env, "試算表損益計算書", true, d.ReportTitles[TitleZenPl]},
        // The all-accounts selling-expenses title has no setting of its own.
        {env, "試算表販売費・一般管理費", true, ""},
        {kessan, "損失金額△区分", false, num(d.SankakuPlus)},
        {kessan, "残高０円科目出力区分", false, num(d.ZeroPrint)},
        {kessan, "負債の部改ページ区分", false, num(bitOf(d.Reserve2, 0))},
        {kessan, "外枠可変区分", false, num(bitOf(d.Reserve2, 1))},
        {env, "試算表製造集計行出区", false, num(d.SeizouTotalLine)},
    };
}

} // namespace

void TWebDbSqlDump::writeAccReg(Writer& w)
{
    w.line("DELETE FROM ACCREG;");
    std::string sql = "SELECT AGROUP,ACODE,ATYPE,ATEXT,AMEMO FROM ACCREG WHERE AGROUP<>'経営ハルブリン'";
    if (meetingOn_ == 0)
        sql += " AND (AGROUP<>'ＷＥＢ会議設定')";
    sql += " ORDER BY AGROUP,ACODE";
    w.rows(sql, {"INSERT INTO ACCREG VALUES"}, DumpColumns("AGROUP:T ACODE:T ATYPE:T ATEXT:T AMEMO:T"), {});
    for (const auto& s : operatorSettings()) {
        const std::string head = std::string("INSERT INTO ACCREG VALUES('") + s.group + "','" + s.code + "','";
        if (s.text)
            w.line(head + "文字','" + EscapeSqlText(s.value) + "','');");
        else
            w.line(head + "整数'," + s.value + ",'');");
    }
}

void TWebDbSqlDump::writeMasterSections(Writer& w)
{
    // 1. The basic record; the two earlier fiscal-year starts come from the
    // open data set's figures, not from the row.
    {
        auto c = DumpColumns(
            "REC:P GROUPID:P ENTTEXT:T SERIAL:T TANTOU:P GYOUSHU:P DATATYPE:P CODETYPE:P SCODE1:T SCODE2:T "
            "SKANA:T SHOUGOU:T POST:T ADD1:T ADD2:T TEL:T AO_ADD1:T AO_ADD2:T AO_KANA:T AO_SIMEI:T AO_GYOUSHU:T "
            "AO_YAGO:T AO_KANYU:T AO_TEL:T AO_SHOKUGYO1:T AO_SHOKUGYO2:T");
        c.push_back({DumpKind::Lit, quotedDate(AccInf.ZenzenkiKISHU)});
        c.push_back({DumpKind::Lit, quotedDate(AccInf.ZenkiKISHU)});
        const auto rest = DumpColumns(
            "NENDO:P KISHU:Q KIMATU:Q KAISI:Q SIME:P KAISINO:P GENGOU_FLG:P GENGOU_HOSEI:P GENGOU_NAME:Q "
            "YAKUMEI1:Q YAKUMEI2:Q YAKUMEI3:Q OLD_TAX_RATE1:P OLD_TAX_RATE2:P OLD_TAX_RATE3:P OLD_TAX_RATE4:P "
            "OLD_TAX_RATE5:P NEW_TAX_RATE1:P NEW_TAX_RATE2:P NEW_TAX_RATE3:P NEW_TAX_RATE4:P NEW_TAX_RATE5:P "
            "CHG_DAYS1:D CHG_DAYS2:D CHG_DAYS3:D CHG_DAYS4:D CHG_DAYS5:D KANSA_FIXDATE:D KANSA_DATE:D CALCU:P "
            "TAXU_HASUU:P TAXH_HASUU:P TAXDEFUH:P TAXKANNI:P TAXJIGYOU:P GENKAPRINT:P KANSA_LOCK:P TEGATADICSW:P "
            "KESSAN_KIKAN:P CASHFLOW_KIKAN1:P CASHFLOW_KIKAN2:P CASHFLOWSW:P SDAI_HASUU1:P SDAI_HASUU2:P "
            "SDAI_HASUU3:P CONVERT:P SHOUHYOU:P SITEN:P BUMON:P DATALOCK:P FUMEI_KCODE:T GENKA_USE:P "
            "GENKA_HWORD1:Q GENKA_HWORD2:Q GENKA_HWORD3:Q GENKA_HWORD4:Q GENKA_HWORD5:Q GENKA_HWORD6:Q "
            "PASWORD:T WEB_HOLDER:T");
        c.insert(c.end(), rest.begin(), rest.end());
        w.section("ACCDEF1", DumpSelect(c, "FROM ACCDEF1 ORDER BY REC"), c);
    }
    {
        const auto c = DumpColumns("KCODE:Q KNAME:Q KGROUP:Q HYOUJYUN:P");
        w.section("ACCDEF2", DumpSelect(c, "FROM ACCDEF2 ORDER BY KCODE"), c);
    }
    {
        const auto c = DumpColumns("SCODE:Q BCODE:Q MNUM:P NUM1:P NUM2:P NUM3:P NUM4:P NUM5:P NUM6:P NUM7:P NUM8:P");
        w.section("ACCDEF5", DumpSelect(c, "FROM ACCDEF5 ORDER BY SCODE,BCODE,MNUM"), c);
    }
    writeAccReg(w);
    {
        const auto c = DumpColumns("REC:P MB_JIGYOU:P VERSION:P KGROUP:T KESKUBUN:P ARRAYNUM:P KOUMOKU:T PLUSNAME:T "
                                   "MINUSNAME:T MODIFY:P");
        const std::string jigyou = medical_ ? "MB_JIGYOU" : "0 AS MB_JIGYOU";
        w.section("ACCTOTALNAME",
                  "SELECT REC," + jigyou +
                      ",VERSION,KGROUP,KESKUBUN,ARRAYNUM,KOUMOKU,PLUSNAME,MINUSNAME,MODIFY FROM ACCTOTALNAME ORDER BY REC",
                  c);
    }
    // 6. The version row of the analysis data, no query.
    w.line("DELETE FROM ACCVERSION;");
    w.line("INSERT INTO ACCVERSION(MAJOR,MINOR,REV,MEMO) VALUES");
    w.raw("(" + std::to_string(AnalysisVerMajor) + "," + std::to_string(AnalysisVerMinor) + "," +
          std::to_string(AnalysisVerRev) + "," + DateToSqlValue("DATETIME", platform::interaction().now()) + ");");
    w.raw("\r\n");
    {
        const auto c = DumpColumns("BCODE:Q BNAME:T XSTR:Q KENSAKU_KEY:T");
        w.section("BUMONMST", DumpSelect(c, "FROM BUMONMST ORDER BY BCODE"), c);
    }
    {
        // Numbered in the order of the titles, in place of the stored key.
        const auto c = DumpColumns(
            "# CODE:Q TITLE:Q CHOHYO_BS:P CHOHYO_PL:P SYUKEIKBN:P ROW_JYODAN:P ROW_CHUDAN:P ROW_GEDAN:P");
        w.section("BUNSEKI_SYUKEIHYO", DumpSelect(c, "FROM BUNSEKI_SYUKEIHYO ORDER BY TITLE"), c);
    }
    {
        // The chart row kept under the office-wide operator code; defaults
        // when it was never saved.
        const auto c = DumpColumns("OPCODE:P CTYPE1:CType CTYPE2:P CTYPE3:P CTYPE4:P BAKCOL:C FORCOL:C GRID:P "
                                   "FONTSIZE:P ECOL1:C ECOL2:C ECOL3:C ECOL4:C THREE_D:P HANREI:P TANI:P HASUU:P "
                                   "RESERVE1:P RESERVE2:P RESERVE3:P");
        w.line("DELETE FROM CHARTINF;");
        Writer::RowOptions o;
        o.eolWhenEmpty = false;
        if (w.rows(DumpSelect(c, "FROM CHARTINF WHERE OPCODE=100009999 ORDER BY OPCODE"),
                   {"INSERT INTO CHARTINF VALUES"}, c, o) == 0) {
            w.raw("INSERT INTO CHARTINF VALUES"
                  "(100009999,0,0,0,0,16777215,0,3,2,255,16776960,16711680,65535,20,0,0,0,0,0,0);");
            w.raw("\r\n");
        }
    }
    {
        const auto c = DumpColumns("REC:P KUBUN:P KGROUP:Q SUBREC:P KNAME1:Q KNAMELOCK:P AO_KISHUZAN:P AO_KIMATUZAN:P");
        w.section("EXTERKS", DumpSelect(c, "FROM EXTERKS ORDER BY REC"), c);
    }
    {
        const auto c = DumpColumns("F_CODE:P F_REC:P F_KUBU:Q F_CAD:P F_TEXT:Q");
        w.section("FINMST", DumpSelect(c, "FROM FINMST ORDER BY F_CODE"), c);
    }
    {
        const auto c = DumpColumns("GCODE:Q BCODE:Q");
        w.section("GROUPLIST", DumpSelect(c, "FROM GROUPLIST ORDER BY GCODE,BCODE"), c);
    }
    {
        const auto c = DumpColumns("GCODE:Q GNAME:T");
        w.section("GROUPMST", DumpSelect(c, "FROM GROUPMST ORDER BY GCODE"), c);
    }
    {
        const auto c = DumpColumns("PCODE:Q BCODE:Q NUMBER:P");
        w.section("HIKAKU_BUMON", DumpSelect(c, "FROM HIKAKU_BUMON ORDER BY PCODE,BCODE"), c);
    }
    {
        const auto c = DumpColumns("PCODE:Q GCODE:Q NUMBER:P");
        w.section("HIKAKU_GROUP", DumpSelect(c, "FROM HIKAKU_GROUP ORDER BY PCODE,GCODE"), c);
    }
    {
        const auto c = DumpColumns("PCODE:Q PNAME:T JIGYOKBN:P");
        w.section("HIKAKU_PATTERN", DumpSelect(c, "FROM HIKAKU_PATTERN ORDER BY PCODE"), c);
    }
    {
        const auto c = DumpColumns("PCODE:Q SCODE:Q NUMBER:P");
        w.section("HIKAKU_SISETU", DumpSelect(c, "FROM HIKAKU_SISETU ORDER BY PCODE,SCODE"), c);
    }
    {
        const auto c = DumpColumns("PCODE:Q GCODE:Q JIGYOKBN:P NUMBER:P");
        w.section("HIKAKU_SISETU_GROUP", DumpSelect(c, "FROM HIKAKU_SISETU_GROUP ORDER BY PCODE,GCODE"), c);
    }
    {
        const auto c = DumpColumns("PCODE:Q PNAME:T JIGYOKBN:P");
        w.section("HIKAKU_SISETU_PATTERN", DumpSelect(c, "FROM HIKAKU_SISETU_PATTERN ORDER BY PCODE"), c);
    }
    {
        const auto c = DumpColumns("KCODE:Q HCODE:Q HKANA:T HNAME:T REC:P TAX_LCODE:P TAX_RCODE:P TAX_NUM:P BPFLG:Q "
                                   "KENSAKU_KEY:Q OPCODE:P XSTR:Q RTIME:D");
        w.section("HOJOMST", DumpSelect(c, "FROM HOJOMST ORDER BY KCODE,HCODE"), c);
    }
    // 21. The job-control list of the data kind's level, always under level 200.
    w.line("DELETE FROM JOBCONTROL;");
    if (v802_) {
        const auto c = DumpColumns("# =200 =0 =0 ='' PROC_ID:Q");
        w.rows("SELECT PROC_ID FROM JOBCONTROL2 WHERE LEVELNO=" + std::to_string(JobLevel) + " ORDER BY PROC_ID",
               {"INSERT INTO JOBCONTROL VALUES"}, c, {});
    }
}

} // namespace vq::comm
