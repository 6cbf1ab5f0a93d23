// The sample rows of the databases at their first release: every data kind
// and edition builds, and holds the rows that the update steps convert,
// shaped as the steps expect them for that kind and edition.
#include <gtest/gtest.h>

#include <string>

#include "SchemaDatabase.h"
#include "TempDir.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using namespace vq;
using namespace vq::test;

namespace {

class SampleDb {
public:
    SampleDb(SchemaKind kind, const BaseSamples& samples)
        : file_(dir_ / "sample.fdb")
    {
        buildBaseDatabase(kind, file_, samples);
        db_.attach({file_.string(), "SYSDBA", ""});
    }

    std::int64_t integer(const std::string& sql) { return first(sql).asInt64(); }
    std::string text(const std::string& sql) { return first(sql).asString(); }

private:
    // Only the first column of the first row; an empty result fails.
    struct Value {
        std::int64_t number = 0;
        std::string words;
        std::int64_t asInt64() const { return number; }
        std::string asString() const { return words; }
    };
    Value first(const std::string& sql)
    {
        db::Transaction tr(db_);
        tr.start();
        db::Statement st(db_, tr, sql);
        st.execute();
        Value v;
        if (st.fetch()) {
            auto field = st.field(std::size_t{0});
            if (!field.isNull()) {
                v.words = field.asString();
                v.number = std::strtoll(v.words.c_str(), nullptr, 10);
            }
        } else {
            ADD_FAILURE() << "no row: " << sql;
        }
        tr.commit();
        return v;
    }

    TempDir dir_;
    std::filesystem::path file_;
    db::Attachment db_;
};

struct DataKind {
    const char* name;
    int dataType;
    int codeType;
    // An account the steps name by its code in the standard edition and in
    // the distributor editions (groups of the budget statements).
    const char* standardCode;
    const char* distributorCode;
    // The total-line group whose accounts the steps give evaluation bands.
    const char* bandGroup;
};

constexpr DataKind kKinds[] = {
    {"corporation", 1, 1, "8301", "98100", "7100"},
    {"individual", 2, 1, "6202", "68400", "4100"},
    {"real-estate", 2, 2, "2202", "37100", "4100"},
    {"clinic", 2, 3, "5101", "49700", "4100"},
    {"agriculture", 2, 4, "6301", "69300", "4100"},
    {"medical", 3, 1, "8301", "98100", "7110"},
};

} // namespace

TEST(BaseSampleRows, EveryDataKindAndEditionHoldsTheRowsTheStepsConvert)
{
    for (const DataKind& kind : kKinds) {
        for (int edition : {0, 1, 2}) {
            SCOPED_TRACE(std::string(kind.name) + ", edition " + std::to_string(edition));
            SampleDb db(SchemaKind::DataSetBase, {kind.name, edition, {}});

            EXPECT_EQ(db.text("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1"), "0.1.0");
            EXPECT_EQ(db.integer("SELECT DATATYPE FROM ACCDEF1 WHERE REC = 1"), kind.dataType);
            EXPECT_EQ(db.integer("SELECT CODETYPE FROM ACCDEF1 WHERE REC = 1"), kind.codeType);

            // The old data password that a step re-encodes.
            EXPECT_EQ(db.integer("SELECT COUNT(*) FROM ACCREG WHERE AGROUP = '基本設定' "
                                 "AND ACODE = 'データパスワード' AND ATYPE = '文字'"), 1);

            // Accounts carry the edition's codes; groups are the same in all.
            const std::size_t width = edition == 0 ? 4 : 5;
            EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKUMST WHERE CHAR_LENGTH(TRIM(KCODE)) <> " + std::to_string(width)
                                 + " OR USERCODE <> KCODE OR CHAR_LENGTH(TRIM(GROUPM1)) <> 4"), 0);
            const std::string code = edition == 0 ? kind.standardCode : kind.distributorCode;
            EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKUMST WHERE KCODE = '" + code + "'"), 1) << code;
            EXPECT_GT(db.integer(std::string("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM1 = '") + kind.bandGroup + "'"), 0);

            // Every account and sub-account has its balance row in every
            // facility, with every period of the current year (KAMOKU_MS)
            // and of the years before (KAMOKU_PZ).
            EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKUMST K JOIN HOJOMST H ON H.KCODE = K.KCODE CROSS JOIN SISETUMST S "
                                 "WHERE NOT EXISTS (SELECT 1 FROM KAMOKU_SZ Z WHERE Z.SCODE = S.SCODE AND Z.KCODE = H.KCODE "
                                 "AND Z.HCODE = H.HCODE AND Z.BCODE = ' ')"), 0);
            EXPECT_GE(db.integer("SELECT COUNT(*) FROM HOJOMST WHERE HCODE <> ' '"), 2);
            EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_SZ Z WHERE 16 <> (SELECT COUNT(DISTINCT M.MNUM) FROM KAMOKU_MS M "
                                 "WHERE M.SCODE = Z.SCODE AND M.KCODE = Z.KCODE AND M.HCODE = Z.HCODE AND M.BCODE = Z.BCODE "
                                 "AND M.MNUM BETWEEN 1 AND 16)"), 0);
            EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_SZ Z WHERE 49 <> (SELECT COUNT(DISTINCT P.MNUM) FROM KAMOKU_PZ P "
                                 "WHERE P.SCODE = Z.SCODE AND P.KCODE = Z.KCODE AND P.HCODE = Z.HCODE AND P.BCODE = Z.BCODE "
                                 "AND P.MNUM BETWEEN -32 AND 16)"), 0);
            EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_MS M WHERE NOT EXISTS (SELECT 1 FROM KAMOKU_SZ Z "
                                 "WHERE Z.SCODE = M.SCODE AND Z.KCODE = M.KCODE AND Z.HCODE = M.HCODE AND Z.BCODE = M.BCODE)"), 0);

            // Something for each conversion to act on: opening and past
            // balances (and the largest of them kept in KAKOZAN), movements,
            // budgets with half yen to round, and past balances on the blank
            // facility that a step clears.
            EXPECT_GT(db.integer("SELECT COUNT(*) FROM KAMOKU_SZ WHERE KAISIZAN <> 0 AND KAKOZAN <> 0"), 0);
            EXPECT_GT(db.integer("SELECT COUNT(*) FROM KAMOKU_MS WHERE KAR_NUK <> 0 OR KAS_NUK <> 0"), 0);
            EXPECT_GT(db.integer("SELECT COUNT(*) FROM KAMOKU_MS WHERE BYOSAN <> FLOOR(BYOSAN)"), 0);
            EXPECT_GT(db.integer("SELECT COUNT(*) FROM KAMOKU_PZ WHERE SCODE = ' ' AND NUKIZAN <> 0 AND MNUM <= 0"), 0);
        }
    }
}

TEST(BaseSampleRows, CorporationKeepsDepartmentsWithTheCommonDepartmentsRatios)
{
    SampleDb db(SchemaKind::DataSetBase, {"corporation", 0, {}});
    EXPECT_EQ(db.integer("SELECT BUMON FROM ACCDEF1 WHERE REC = 1"), 1);
    // Only profit-and-loss accounts of the operating groups have department
    // rows; the common department passes on all, the others share it.
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_SZ Z JOIN KAMOKUMST K ON K.KCODE = Z.KCODE "
                         "WHERE Z.BCODE <> ' ' AND (K.BPFLG <> 'P' OR K.GROUPM1 >= '8000')"), 0);
    EXPECT_EQ(db.integer("SELECT MIN(HAIBUN16) FROM KAMOKU_SZ WHERE BCODE = '00'"), 100);
    EXPECT_EQ(db.integer("SELECT MAX(HAIBUN01) FROM KAMOKU_SZ WHERE BCODE = '01'"), 50);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_PZ WHERE BCODE = '01' AND MNUM BETWEEN 1 AND 16 AND HAIBUN <> 50"), 0);
}

TEST(BaseSampleRows, SystemDatabaseHoldsOperatorSettingsOfficeRowAndOldMenuRights)
{
    for (int edition : {0, 1, 2}) {
        SCOPED_TRACE("edition " + std::to_string(edition));
        SampleDb db(SchemaKind::SystemBase, {"", edition, {}});
        EXPECT_EQ(db.text("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM VERSION"), "0.3.0");
        // The system user is still the step's to add.
        EXPECT_EQ(db.integer("SELECT COUNT(*) FROM OPERATOR WHERE GROUPID = 10000 AND OPCODE = 1"), 0);

        // Every operator has a settings row with the dictionary switches,
        // and the typed settings that the conversions read.
        EXPECT_EQ(db.integer("SELECT COUNT(*) FROM OPERATOR O WHERE NOT EXISTS (SELECT 1 FROM SYSDEF D "
                             "WHERE D.OPCODE = O.GROUPID * 10000 + O.OPCODE AND D.DICTEKAUTO IS NOT NULL "
                             "AND D.DICTORAUTO IS NOT NULL AND D.ZEROPRINT IS NOT NULL AND D.RESERVE2 IS NOT NULL)"), 0);
        EXPECT_EQ(db.integer("SELECT COUNT(DISTINCT DICTEKAUTO) FROM SYSDEF"), 2);
        for (const char* setting : {"摘要項目の入力区分", "取引先項目の入力区分", "決算書販売費組入区分",
                                    "決算書手形相殺区分", "試算表集計出力区分"})
            EXPECT_GT(db.integer(std::string("SELECT COUNT(*) FROM SYSREG WHERE SCODE = '") + setting + "'"), 0) << setting;

        EXPECT_EQ(db.integer("SELECT RESERVE1 FROM SYSTEMINI WHERE REC = 10"), 1);
        const std::string office = db.text("SELECT SSTR FROM SYSTEMINI WHERE REC = 10");
        for (const char* name : {"NAME=", "\nJYUSHO=", "\nTEL="})
            EXPECT_NE(office.find(name), std::string::npos) << name;

        // Rights of a general level and of a medical-corporation level,
        // with the three pages that a step moves round.
        EXPECT_GT(db.integer("SELECT COUNT(*) FROM JOBCONTROL WHERE LEVELNO <= 1000"), 0);
        EXPECT_EQ(db.integer("SELECT COUNT(DISTINCT PAGENO) FROM JOBCONTROL WHERE LEVELNO > 1000 AND PAGENO IN (10, 11, 12)"), 3);
        EXPECT_EQ(db.integer("SELECT COUNT(*) FROM JOBCONTROL WHERE LEVELNO <= 1000 AND PAGENO = 1 AND MENUNO IN (15, 17, 18, 19)"),
                  edition == 0 ? 0 : 4);
    }
}
