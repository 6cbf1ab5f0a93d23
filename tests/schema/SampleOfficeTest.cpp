// tools/make-sample-office builds an office whose data sets open at data
// version 14.0.0 and carry balanced, non-zero trial balances.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/Process.h"
#include "platform/RegistryStore.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#ifndef VQ_MAKE_SAMPLE_OFFICE
#error "VQ_MAKE_SAMPLE_OFFICE must name the make-sample-office program"
#endif

using namespace vq;
namespace fs = std::filesystem;

namespace {

struct Totals {
    db::Currency assets = 0, liabilities = 0, profit = 0, movement = 0;
};

// The settlement balance of a data set, summed the way the statement reads
// it: balance-sheet lines by side, the profit-and-loss lines as profit.
Totals settlementTotals(db::Attachment& a, int tax)
{
    db::Transaction tr(a, db::kSnapshot);
    tr.start();
    db::Statement st(a, tr, "SELECT * FROM SP_SISANHYO_KESSAN(:TAX, -1)");
    st.param("TAX").setInt(tax);
    st.execute();
    Totals t;
    while (st.fetch()) {
        const int side = st.field("TAISHAKU").asInt();
        const bool debitNature = side == 1 || side == 4;
        db::Currency net = 0;
        for (int p = 1; p <= 16; ++p) {
            char kar[8], kas[8];
            std::snprintf(kar, sizeof kar, "KAR%02d", p);
            std::snprintf(kas, sizeof kas, "KAS%02d", p);
            net += st.field(kar).asCurrency() - st.field(kas).asCurrency();
            t.movement += st.field(kar).asCurrency();
        }
        const db::Currency closing = st.field("KAISIZAN").asCurrency() + (debitNature ? net : -net);
        const std::string group = st.field("GROUPM1").asString();
        const db::Currency own = debitNature ? closing : -closing;  // debit minus credit
        if (group < "2000")
            t.assets += own;
        else if (group < "4000")
            t.liabilities -= own;
        else
            t.profit -= own;
    }
    tr.commit();
    return t;
}

} // namespace

TEST(SampleOffice, BuildsAnOfficeWithThreeDataSetsOfVersion14)
{
    test::TempDir dir;
    const fs::path root = dir / "office";
    auto run = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {root.string()});
    ASSERT_TRUE(run.succeeded()) << run.standardError;

    // The office is where the programs look for it with VQ_ROOT at its root.
    const char* previousRoot = std::getenv("VQ_ROOT");
    const std::string restoreRoot = previousRoot ? previousRoot : "";
    ::setenv("VQ_ROOT", root.c_str(), 1);
    TSystemDef def;
    InitSystemFolders(def);
    const fs::path registryFile = platform::folders::registryFile();
    if (previousRoot)
        ::setenv("VQ_ROOT", restoreRoot.c_str(), 1);
    else
        ::unsetenv("VQ_ROOT");
    const fs::path dataRoot = def.DataRootDir;
    const fs::path dataFolder = def.SysDir;
    EXPECT_TRUE(fs::is_directory(dataRoot / "ini"));
    EXPECT_TRUE(fs::is_directory(dataRoot / "log"));
    platform::IniFile local(def.IniFileName);
    EXPECT_EQ(local.readString("LOCAL", "SYSDIR"), dataFolder.string());
    EXPECT_EQ(local.readString("APPLICATION", "CONNECT"), "0");
    platform::RegistryStore registry(registryFile);
    EXPECT_EQ(registry.readString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Version").value_or(""), "14.0.0");
    EXPECT_FALSE(registry.readString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Product").value_or("").empty());

    db::Attachment sys;
    sys.attach({(dataFolder / "vqaccdef.fdb").string(), "SYSDBA", ""});
    {
        db::Transaction tr(sys);
        tr.start();
        db::Statement ops(sys, tr, "SELECT COUNT(*) FROM OPERATOR WHERE GROUPID = 10000 AND OPCODE >= 10");
        ops.execute();
        ASSERT_TRUE(ops.fetch());
        EXPECT_GE(ops.field(std::size_t{0}).asInt(), 1);

        db::Statement list(sys, tr,
                           "SELECT REC, PASNAME, DATATYPE, CODETYPE, VER_MAJOR, VER_MINOR1, VER_MINOR2 FROM DATALIST "
                           "WHERE GROUPID = 10000 AND ENTTEXT <> '' ORDER BY REC");
        list.execute();
        std::vector<int> codeTypes;
        std::vector<int> dataTypes;
        while (list.fetch()) {
            SCOPED_TRACE(list.field("PASNAME").asString());
            dataTypes.push_back(list.field("DATATYPE").asInt());
            EXPECT_EQ(list.field("VER_MAJOR").asInt() * 100 + list.field("VER_MINOR1").asInt() * 10 +
                          list.field("VER_MINOR2").asInt(),
                      1400);
            EXPECT_TRUE(fs::exists(fs::path(list.field("PASNAME").asString()) / "vqacc.fdb"));
            EXPECT_TRUE(fs::exists(fs::path(list.field("PASNAME").asString()) / "vqacc.ini"));
            codeTypes.push_back(list.field("CODETYPE").asInt());
        }
        // Three individuals and the medical corporation (statement kind 1).
        EXPECT_EQ(dataTypes, (std::vector<int>{2, 2, 2, 3}));
        EXPECT_EQ(codeTypes, (std::vector<int>{1, 2, 4, 1}));
    }

    for (const char* folder : {"0001", "0002", "0003"}) {
        SCOPED_TRACE(folder);
        db::Attachment data;
        data.attach({(dataFolder / folder / "vqacc.fdb").string(), "SYSDBA", ""});
        {
            db::Transaction tr(data);
            tr.start();
            db::Statement version(data, tr, "SELECT MAJOR, MINOR1, MINOR2 FROM ACCVERSION WHERE REC = 1");
            version.execute();
            ASSERT_TRUE(version.fetch());
            EXPECT_EQ(version.field("MAJOR").asInt(), 14);
            EXPECT_EQ(version.field("MINOR1").asInt() + version.field("MINOR2").asInt(), 0);
        }
        for (int tax : {0, 1}) {
            SCOPED_TRACE(tax);
            const Totals t = settlementTotals(data, tax);
            EXPECT_GT(t.movement, 0);
            EXPECT_GT(t.assets, 0);
            EXPECT_GT(t.profit, 0);
            // The balance sheet closes: assets = liabilities, capital and the profit.
            EXPECT_EQ(t.assets - t.liabilities, t.profit);
        }
    }

    // A second run into the same folder touches nothing.
    sys.detach();
    const auto before = fs::last_write_time(dataFolder / "vqaccdef.fdb");
    const std::string settings = test::readBytes(def.IniFileName);
    auto again = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {root.string()});
    EXPECT_FALSE(again.succeeded());
    EXPECT_EQ(fs::last_write_time(dataFolder / "vqaccdef.fdb"), before);
    EXPECT_EQ(test::readBytes(def.IniFileName), settings);
}
