// The dump's later sections: the journals, the balances, the accounts, the
// facilities, the tax master, the medical reports and the budget tables.
#include "comm/WebDbSqlDump.h"
#include "comm/WebDbSqlDumpColumns.h"
#include "comm/WebDbSqlDumpWriter.h"

#include "foundation/data/DataModule.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::comm {

namespace {

const char* const JournalColumns =
    "REC:P SWKREC:P SWKNO:P DELFLG:P TAISHAKU:P HIZUKE:Q MNUM:P KESSAN:P SDAYNUM:P MDAYNUM:P DNUM:P SNUM:P "
    "SCODE:Q SITREC:P KGROUP:Q KCODE:Q HCODE:Q BCODE:Q KNAME:T HNAME:T BNAME:T TAXCODE:P TAXUH:P TAXDC:P "
    "NUK:P ZEI:P RIT:P SIKIN:P R_KGROUP:Q R_KCODE:Q R_HCODE:Q R_BCODE:Q R_KNAME:T R_HNAME:T R_BNAME:T "
    "R_TAXCODE:P R_TAXUH:P R_TAXDC:P R_NUK:P R_ZEI:P R_RIT:P R_SIKIN:P KINGAKU:P ZEIGAKU:P ZEIRITUNO:P "
    "AUTCALCU:P TAXCALCU:P OLDRATE:P TEKCODE:P TEKTEXT:T TORCODE:P TORTEXT:T20 FUSEN1:P FUSEN2:P FUSEN3:P "
    "FUSEN4:P FUSEN5:P CTIME:D COMMENT:T AO_COMMENT:T LINKKEY:T LINKKUB:N LINKREC:N LOCALFLG:P RESERVE1:P "
    "RESERVE2:P RTIME:D OPCODE:P";

// The default budget rules of an empty rule table. FID is the table's key
// and has no generator, so the defaults carry theirs.
const char* const DefaultBudgetRules[] = {
    "1,'売上債権',1,'現金',100.0,0,'','1899/12/31',0",
    "2,'売上債権',2,'掛',0.0,2,'','1899/12/31',0",
    "3,'売上債権',3,'手形',0.0,2,'','1899/12/31',0",
    "4,'仕入債務',1,'現金',100,0.0,'','1899/12/31',0",
    "5,'仕入債務',2,'掛',0.0,2,'','1899/12/31',0",
    "6,'仕入債務',3,'手形',0.0,2,'','1899/12/31',0",
};

bool hasColumn(db::Statement& q, const std::string& table, const std::string& column)
{
    q.setSql("SELECT 1 FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME=:T AND RDB$FIELD_NAME=:C");
    q.param("T").setString(table);
    q.param("C").setString(column);
    q.execute();
    const bool found = q.fetch();
    q.close();
    return found;
}

} // namespace

void TWebDbSqlDump::addDefaultBudgetRules()
{
    db::Attachment& att = DM->IBDatabaseDAT.attachment();
    db::Transaction tr(att, db::kReadCommitted);
    tr.start();
    db::Statement q(att, tr, "SELECT COUNT(FKOMOKU) AS RECCNT FROM AOPRO_YOSAN_KIHONRULE");
    q.execute();
    const bool empty = q.fetch() && q.field("RECCNT").asInt64() == 0;
    q.close();
    if (empty)
        for (const char* values : DefaultBudgetRules)
            att.execute(tr, std::string("INSERT INTO AOPRO_YOSAN_KIHONRULE(FID,FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,"
                                        "FHIZUKE,FKINGAKU) VALUES(") +
                                values + ")");
    tr.commit();
}

void TWebDbSqlDump::writeBudgetRules(Writer& w)
{
    w.line("DELETE FROM AOPRO_YOSAN_KIHONRULE;");
    if (!v802_) {
        w.raw("\r\n");
        return;
    }
    const auto c = DumpColumns("# FKOMOKU:T FROW:N FKBN:T FWARIAI:N FSITE:N FMEMO:T FHIZUKE:D FKINGAKU:N");
    const std::vector<std::string> head = {
        "INSERT INTO AOPRO_YOSAN_KIHONRULE(FID,FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES"};
    const std::string select = DumpSelect(c, "FROM AOPRO_YOSAN_KIHONRULE WHERE ");
    Writer::RowOptions o;
    o.eolWhenEmpty = false;
    long id = w.rows(select + "(FKOMOKU<>'納税')AND(FKOMOKU<>'その他') ORDER BY FKOMOKU,FROW", head, c, o);
    w.line("DELETE FROM AOPRO_YOSAN_KIHONRULE WHERE (FKOMOKU='売上債権') AND (FKBN='設定単位');");
    w.line("DELETE FROM AOPRO_YOSAN_KIHONRULE WHERE (FKOMOKU='仕入債務') AND (FKBN='設定単位');");
    w.line("DELETE FROM AOPRO_YOSAN_KIHONRULE WHERE (FKOMOKU='未払金／未払費用');");
    o.limit = 10;
    o.firstId = id;
    id += w.rows(select + "FKOMOKU='納税' ORDER BY FKOMOKU,FHIZUKE,FROW", head, c, o);
    o.firstId = id;
    w.rows(select + "FKOMOKU='その他' ORDER BY FKOMOKU,FHIZUKE,FROW", head, c, o);
    w.raw("\r\n");
}

void TWebDbSqlDump::writeJournalSections(Writer& w)
{
    const auto journal = DumpColumns(JournalColumns);
    for (const char* table : {"KAKOSIWAKE1", "KAKOSIWAKE2"})
        w.section(table, DumpSelect(journal, std::string("FROM ") + table + " ORDER BY REC"), journal, RowsPerInsert);
    {
        std::string spec = "NENDO:P SCODE:Q BCODE:Q KCODE:Q HCODE:Q KISHU:P";
        for (int n = 1; n <= 16; ++n) {
            const std::string k = std::to_string(n);
            spec += " KOMIZAN_" + k + ":P NUKIZAN_" + k + ":P IKKATSU_" + k + ":P HAIBUN_" + k + ":P";
        }
        const auto c = DumpColumns(spec);
        w.section("KAKOZAN", DumpSelect(c, "FROM KAKOZAN ORDER BY NENDO,SCODE,BCODE,KCODE,HCODE"), c);
    }
    {
        const auto c = DumpColumns(
            "KCODE:Q USERCODE:Q REC:P GROUPM0:Q GROUPM1:Q GROUPM2:Q GROUPR1:Q GROUPR2:Q KKANA:T KNAME:T USE:P "
            "USEDEF:P BLDAC:P DAC:P DELFLG:P TAX_LCODE:P TAX_RCODE:P TAX_NUM:P FUN_LCODE:P FUN_RCODE:P HOJOSW:Q "
            "BPFLG:Q KEIHKUBU:Q EXT1_A4:N EXT1_A3:N EXT1_KS:N HALBRIN_BADRATE:N HALBRIN_BADKIND:N "
            "HALBRIN_GOODRATE:N HALBRIN_GOODKIND:N HALBRIN_YOJITU_RATE1:N HALBRIN_YOJITU_KIND1:N "
            "HALBRIN_YOJITU_RATE2:N HALBRIN_YOJITU_KIND2:N SIKINGURIKUBUN:Int KENSAKU_KEY:Q XSTR:Q OPCODE:P RTIME:D "
            "GROUPM3:T EXT2_A4:T EXT2_A3:T EXT3_A4:T EXT3_A3:T EXT4_A4:T EXT4_A3:T");
        std::string sql =
            "SELECT KCODE,USERCODE,REC,GROUPM1,GROUPM2,KKANA,KNAME,USE,BLDAC,DAC,DELFLG,TAX_LCODE,TAX_RCODE,TAX_NUM,"
            "FUN_LCODE,FUN_RCODE,HOJOSW,BPFLG,KEIHKUBU,EXT1_A4,EXT1_A3,EXT1_KS,USEDEF,XSTR,RTIME,OPCODE,GROUPM0,"
            "HALBRIN_BADRATE,HALBRIN_BADKIND,HALBRIN_GOODRATE,HALBRIN_GOODKIND,HALBRIN_YOJITU_RATE1,"
            "HALBRIN_YOJITU_KIND1,HALBRIN_YOJITU_RATE2,HALBRIN_YOJITU_KIND2,SIKINGURIKUBUN,KENSAKU_KEY";
        if (medical_) {
            // The medical grouping columns; a data set made without the
            // report columns writes null for them.
            sql += ",GROUPR1,GROUPR2";
            for (const char* col : {"GROUPM3", "EXT2_A4", "EXT2_A3", "EXT3_A4", "EXT3_A3", "EXT4_A4", "EXT4_A3"})
                sql += hasColumn(w.query(), "KAMOKUMST", col) ? std::string(",") + col
                                                               : std::string(",NULL AS ") + col;
        } else {
            sql += ",GROUPM1 AS GROUPR1,GROUPM2 AS GROUPR2,NULL AS GROUPM3,NULL AS EXT2_A4,NULL AS EXT2_A3,"
                   "NULL AS EXT3_A4,NULL AS EXT3_A3,NULL AS EXT4_A4,NULL AS EXT4_A3";
        }
        w.section("KAMOKUMST", sql + " FROM KAMOKUMST ORDER BY KCODE", c);
    }
    {
        const auto c = DumpColumns("SCODE:Q KCODE:Q HCODE:Q BCODE:Q MNUM:P KAR_NUK:P KAR_TAX:P KAR_IKKATSU:P KAS_NUK:P "
                                   "KAS_TAX:P KAS_IKKATSU:P BYOSAN:P BYOSOKU:P RYOSAN:P BYOSAN2:P BYOSAN3:P");
        const std::string budgets = v802_ ? "BYOSAN2,BYOSAN3" : "0 AS BYOSAN2,0 AS BYOSAN3";
        w.line("DELETE FROM KAMOKU_MS;");
        Writer::RowOptions o;
        o.batch = RowsPerInsert;
        w.rows("SELECT SCODE,KCODE,HCODE,BCODE,MNUM,KAR_NUK,KAR_TAX,KAS_NUK,KAS_TAX,BYOSAN,BYOSOKU,RYOSAN,"
               "KAR_IKKATSU,KAS_IKKATSU," +
                   budgets + " FROM KAMOKU_MS ORDER BY SCODE,KCODE,HCODE,BCODE,MNUM",
               {"INSERT INTO KAMOKU_MS",
                "(SCODE,KCODE,HCODE,BCODE,MNUM,KAR_NUK,KAR_TAX,KAR_IKKATSU,KAS_NUK,KAS_TAX,KAS_IKKATSU,BYOSAN,"
                "BYOSOKU,RYOSAN,BYOSAN2,BYOSAN3)",
                "VALUES"},
               c, o);
    }
    {
        const auto c = DumpColumns("SCODE:Q KCODE:Q HCODE:Q BCODE:Q KISHU_KOMI:P KISHU_NUKI:P HAIBUN01:P HAIBUN02:P "
                                   "HAIBUN03:P HAIBUN04:P HAIBUN05:P HAIBUN06:P HAIBUN07:P HAIBUN08:P HAIBUN09:P "
                                   "HAIBUN10:P HAIBUN11:P HAIBUN12:P HAIBUN13:P HAIBUN14:P HAIBUN15:P HAIBUN16:P "
                                   "KAKOZAN:P");
        w.line("DELETE FROM KAMOKU_SZ;");
        Writer::RowOptions o;
        o.batch = RowsPerInsert;
        w.rows(DumpSelect(c, "FROM KAMOKU_SZ ORDER BY SCODE,KCODE,HCODE,BCODE"),
               {"INSERT INTO KAMOKU_SZ", "(SCODE,KCODE,HCODE,BCODE,KISHU_KOMI,KISHU_NUKI,",
                "HAIBUN01,HAIBUN02,HAIBUN03,HAIBUN04,HAIBUN05,HAIBUN06,HAIBUN07,HAIBUN08,HAIBUN09,HAIBUN10,HAIBUN11,"
                "HAIBUN12,HAIBUN13,HAIBUN14,HAIBUN15,HAIBUN16,KAKOZAN)",
                "VALUES"},
               c, o);
    }
    {
        const auto c = DumpColumns("SCODE:Q BCODE:Q KKUBUN:P MNUM:P KAR:P KAS:P");
        w.section("KAMOKU_TAX", DumpSelect(c, "FROM KAMOKU_TAX ORDER BY SCODE,BCODE,KKUBUN,MNUM"), c);
    }
    {
        const auto c = DumpColumns("GCODE:Q KCODE:Q");
        w.section("MB_KMKGROUP", DumpSelect(c, "FROM MB_KMKGROUP ORDER BY GCODE,KCODE"), c);
    }
    {
        const auto c = DumpColumns("REC:P BUNRUI:P MEISHOU:Q TANIMEI:Q BADRATE:P BADKIND:P GOODRATE:P GOODKIND:P "
                                   "GROUPA1:Q GROUPA2:Q GROUPB1:Q GROUPB2:Q");
        w.section("HALBRIN_HIKAKU", DumpSelect(c, "FROM HALBRIN_HIKAKU ORDER BY REC"), c);
    }
    {
        const auto c = DumpColumns("REC:P NUM:P MEISHOU:T");
        w.section("HALBRIN_HIKAKU_COL", DumpSelect(c, "FROM HALBRIN_HIKAKU_COL ORDER BY REC"), c);
    }
    {
        const auto c = DumpColumns("REC:P MEISHOU:T RATE1:P KIND1:P RATE2:P KIND2:P");
        w.section("HALBRIN_YOJITUHENDOU", DumpSelect(c, "FROM HALBRIN_YOJITUHENDOU ORDER BY REC"), c);
    }
    {
        const auto c = DumpColumns("SCODE:Q BCODE:Q HAIBUN:P");
        w.section("SISETUBUM", DumpSelect(c, "FROM SISETUBUM ORDER BY SCODE,BCODE"), c);
    }
    {
        const auto c = DumpColumns("GCODE:Q GNAME:T");
        w.section("SISETUGROUP", DumpSelect(c, "FROM SISETUGROUP ORDER BY GCODE"), c);
    }
    {
        const auto c = DumpColumns("GCODE:Q SCODE:Q");
        w.section("SISETUGROUPLIST", DumpSelect(c, "FROM SISETUGROUPLIST ORDER BY GCODE,SCODE"), c);
    }
    {
        // XSTR7 and XSTR8 are not sent; their places stay empty.
        const auto c = DumpColumns("SCODE:Q SNAME:T ADDUP:P BUMEX:P XSTR1:Q XSTR2:Q XSTR3:Q XSTR4:Q XSTR5:Q XSTR6:Q "
                                   "='' ='' SIWAKECOUNT:P KENSAKU_KEY:Q XSTR:Q MB_JIGYOU:P MB_SINRYOZYO:P "
                                   "MB_SISETU_NUM:Q MB_SYOZAITI:Q");
        const std::string mb = medical_ ? "MB_JIGYOU,MB_SINRYOZYO,MB_SISETU_NUM,MB_SYOZAITI"
                                        : "0 AS MB_JIGYOU,0 AS MB_SINRYOZYO,'' AS MB_SISETU_NUM,'' AS MB_SYOZAITI";
        w.section("SISETUMST",
                  "SELECT SCODE,SNAME,ADDUP,BUMEX,XSTR,XSTR1,XSTR2,XSTR3,XSTR4,XSTR5,XSTR6,SIWAKECOUNT,KENSAKU_KEY," + mb +
                      " FROM SISETUMST ORDER BY SCODE",
                  c);
    }
    w.section("SIWAKE", DumpSelect(journal, "FROM SIWAKE ORDER BY REC"), journal, RowsPerInsert);
    {
        const auto c = DumpColumns("REC:P SWKREC:P LINKKEY:Q LINKKUB:N LINKREC:N");
        w.section("SIWAKE2", DumpSelect(c, "FROM SIWAKE2 ORDER BY REC"), c, RowsPerInsert);
    }
    auto named = [&w](const std::string& table, const std::string& head, const std::vector<DumpColumn>& c,
                      const std::string& rest, bool rowsWanted) {
        w.line("DELETE FROM " + table + ";");
        if (!rowsWanted) {
            w.raw("\r\n");
            return;
        }
        w.rows(DumpSelect(c, "FROM " + table + " " + rest), {"INSERT INTO " + table + head + " VALUES"}, c, {});
    };
    named("SWK_SEARCH", "(REC,NAME,KIND,STYPE,SSTR)", DumpColumns("REC:P NAME:T KIND:P STYPE:P SSTR:Q"),
          "ORDER BY REC", true);
    {
        const auto c = DumpColumns(
            "TAX_CODE:P TAX_REC:P TAX_GNAM:Q TAX_NAME:Q TAX_HOUSIKI:P TAX_UH:P TAX_DAC:P TAX_NAME2:Q");
        w.section("TAXMST", DumpSelect(c, "FROM TAXMST ORDER BY TAX_CODE"), c);
    }
    named("MSD_HOUKOKU", "(MDGROUP,MDCODE,MDTYPE,MDTEXT1,MDTEXT2,MDTEXT3)",
          DumpColumns("MDGROUP:T MDCODE:T MDTYPE:T MDTEXT1:T MDTEXT2:T MDTEXT3:T"), "ORDER BY MDGROUP,MDCODE", medical_);
    named("AOPRO_YOSAN_KANRI",
          "(FYOSAN_ID,FYOSAN_NAME,FYOSAN_HOUHOU,FJISSEKI_TUKI16,FYOSOKU_HOUHOU,FZOUGENRITU,FIS_DIRECT_ZANDAKA,"
          "FANBUN_HOUHOU,FTOUKI_BUILD)",
          DumpColumns("FYOSAN_ID:N FYOSAN_NAME:T FYOSAN_HOUHOU:N FJISSEKI_TUKI16:N FYOSOKU_HOUHOU:N FZOUGENRITU:N "
                      "FIS_DIRECT_ZANDAKA:N FANBUN_HOUHOU:N FTOUKI_BUILD:N"),
          "ORDER BY FYOSAN_ID", v802_);
    named("AOPRO_KAMOKU_YOSAN", "(FYOSAN_ID,FNENDO,FSCODE,FKCODE,FHCODE,FBCODE,FMNUM,FYOSAN)",
          DumpColumns("FYOSAN_ID:N FNENDO:N FSCODE:T FKCODE:T FHCODE:T FBCODE:T FMNUM:N FYOSAN:N"),
          "ORDER BY FYOSAN_ID,FNENDO,FSCODE,FKCODE,FHCODE,FBCODE,FMNUM", v802_);
    writeBudgetRules(w);
    // 45. The account groups of the budget; the fixed DELETE ends the part,
    // on the line of the last row when there are rows.
    w.line("DELETE FROM KAMOKU_KOSEI_GROUP;");
    w.raw("\r\n");
    if (v802_) {
        Writer::RowOptions o;
        o.eolAfterLast = false;
        o.eolWhenEmpty = false;
        w.rows("SELECT FGNAME,FKCODE,'' AS FHCODE FROM KAMOKU_KOSEI_GROUP ORDER BY FGNAME,FKCODE",
               {"INSERT INTO KAMOKU_KOSEI_GROUP(FGNAME,FKCODE,FHCODE) VALUES"},
               DumpColumns("FGNAME:T FKCODE:T FHCODE:T"), o);
    }
    w.line("DELETE FROM KAMOKU_KOSEI_GROUP WHERE (FGNAME='未払金／未払費用');");
    named("HALBRIN_YOJITU_HYOKARULE", "(FGCODE,FMEISHOU,FBAD_RATE,FBAD_HANI,FGOOD_RATE,FGOOD_HANI)",
          DumpColumns("FGCODE:T FMEISHOU:T FBAD_RATE:N FBAD_HANI:N FGOOD_RATE:N FGOOD_HANI:N"), "ORDER BY FGCODE",
          v802_);
}

} // namespace vq::comm
