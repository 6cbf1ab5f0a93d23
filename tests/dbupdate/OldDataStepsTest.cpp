// The oldest data steps, 0.1.1 to 0.1.5, on the data sets of the first
// release: the update run brings every data kind to the last of them, and
// the rows, columns, procedures and triggers they write behave as the steps
// say.
#include "DbUpdateRunFixture.h"

#include <algorithm>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/z5UserDbUpdate011.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

class OldDataStepsTest : public DbUpdateRunFixture {
protected:
    // The data set becomes one of the first release, of that kind.
    void useBase(const std::string& kind, int edition = 0)
    {
        fs::remove(dataFile());
        buildBaseDatabase(SchemaKind::DataSetBase, dataFile(), {kind, edition});
    }
    // The first steps of the data list, up to 0.1.last, run in order.
    int runUpTo(int last)
    {
        TArrayDbUpdateListRec list = DataUpdateSteps();
        list.resize(static_cast<std::size_t>(last));
        state_.FDataList = std::move(list);
        state_.SetupUpdateList(1, "0.1.0");
        return run_.Execute();
    }
    std::int64_t count(const std::string& sql) { return std::stoll(scalar(sql)); }

    TDbVersionTest state_;
    TDbUpdateRun run_{state_};
};

} // namespace

TEST_F(OldDataStepsTest, TheRunBringsEveryDataKindToTheLastOldStep)
{
    struct Case {
        const char* kind;
        int edition;
    } cases[] = {{"corporation", 0}, {"individual", 0}, {"real-estate", 0}, {"clinic", 0},
                 {"agriculture", 0}, {"medical", 0},    {"corporation", 1}, {"individual", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " edition " + std::to_string(c.edition));
        useBase(c.kind, c.edition);
        // Whatever the cash-flow tables held gives way to the defaults.
        runSql(dataFile(), "INSERT INTO CASHFMST (CM_REC, CM_KIND, CM_NAME1) VALUES (500, 1, 'old');"
                           "INSERT INTO CASHFMKU (CF_REC, CM_REC, CF_KCODE) VALUES (0, 500, '1101');");
        ASSERT_EQ(runUpTo(5), 1) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
        EXPECT_EQ(version(), "0.1.5");
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||MIN(REC)||','||MAX(REC) FROM KS_SETSWK_INIT"), "70,1,70");
        EXPECT_EQ(scalar("SELECT KESSAN_KIKAN||','||CASHFLOW_KIKAN1||','||CASHFLOW_KIKAN2||','||SDAI_HASUU3 "
                         "FROM ACCDEF1 WHERE REC=1"),
                  "-1,-1,-1,0");
        EXPECT_EQ(scalar("SELECT TITLE FROM KANSA"), "監査報告書");
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||MIN(CM_REC)||','||MAX(CM_REC)||','||SUM(CM_KIND) FROM CASHFMST"),
                  "102,1,102,59");
        // Renumbered from 1 by their trigger, the generator started again.
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||MIN(CF_REC)||','||MAX(CF_REC) FROM CASHFMKU"), "491,1,491");
        EXPECT_EQ(count("SELECT COUNT(*) FROM CASHFMKU K JOIN CASHFMST M ON M.CM_REC = K.CM_REC WHERE M.CM_KIND = 1"),
                  220);
        // Account 1409 enters the purchase of fixed assets twice, both ways.
        EXPECT_EQ(scalar("SELECT LIST(CF_CAL||CF_CTYPE, ' ') FROM (SELECT CF_CAL, CF_CTYPE FROM CASHFMKU "
                         "WHERE CM_REC = 33 AND CF_KCODE = '1409' ORDER BY CF_REC)"),
                  "-3 +4");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KESSAN WHERE CHUKI_TITLEPRINT = 0"),
                  scalar("SELECT COUNT(*) FROM KESSAN"));
        EXPECT_EQ(count("SELECT COUNT(*) FROM EXTERKS WHERE AO_KISHUZAN <> 0 OR AO_KIMATUZAN <> 0"), 0);
        EXPECT_EQ(scalar("SELECT COUNT(*)||TEXT FROM KANSA_ITEM GROUP BY TEXT"), "1現・預金の残高確認");
    }
}

TEST_F(OldDataStepsTest, ColumnTestsAddTheirLinesOnlyWhenTheColumnIsMissing)
{
    const auto has = [](const TUpdateScript& s, const std::string& line) {
        return std::find(s.Lines().begin(), s.Lines().end(), line) != s.Lines().end();
    };
    useBase("corporation");
    TUpdateScript missing;
    ASSERT_TRUE(missing.Build(z5UserDbUpdate011::Scheme()));
    EXPECT_TRUE(has(missing, "ADD KESSAN_KIKAN INTEGER DEFAULT -1,"));
    EXPECT_TRUE(has(missing, "ADD SDAI_HASUU3 INTEGER DEFAULT 0;"));
    // The version record comes after the column tests, last.
    EXPECT_EQ(missing.Lines().end()[-4].rfind("UPDATE ACCVERSION SET MAJOR=0,MINOR1=1,MINOR2=1,MEMO='", 0), 0u);
    EXPECT_EQ(std::count(missing.Lines().begin(), missing.Lines().end(), "SET NAMES SJIS_0208;"), 0);

    runSql(dataFile(), "ALTER TABLE ACCDEF1 ADD KESSAN_KIKAN INTEGER DEFAULT -1;");
    TUpdateScript present;
    ASSERT_TRUE(present.Build(z5UserDbUpdate011::Scheme()));
    EXPECT_FALSE(has(present, "ADD KESSAN_KIKAN INTEGER DEFAULT -1,"));
    EXPECT_FALSE(has(present, "ADD CASHFLOW_KIKAN1 INTEGER DEFAULT -1,"));
    EXPECT_TRUE(has(present, "ADD SDAI_HASUU3 INTEGER DEFAULT 0;"));
    EXPECT_TRUE(seam_->messages.empty());
}
