// schema/manifest.txt against the statements of the update steps: every
// object a step drops or alters by name is there before that step, and the
// column order of a fresh build agrees with the versions the columns carry.
// The old-version databases are built from the manifest; a wrong line
// would make a step fail on them.
#include <gtest/gtest.h>

#include "UpdateHistory.h"

using namespace vq::test;
using namespace vq::test::manifest;

TEST(ManifestHistory, EveryObjectAStepDropsOrAltersIsThereBeforeTheStep)
{
    const auto manifest = readManifest();
    for (const Target& t : kTargets) {
        const auto& lines = manifest.at(t.db);
        const std::string name = t.name;
        const Version step = version(t.step);
        std::string kind = t.kind;
        const History* h = nullptr;
        if (kind == "COLUMN") {
            // A column is there when its own line or its table says so.
            if (auto c = lines.find(name); c != lines.end())
                h = &c->second;
            else if (auto table = lines.find(name.substr(0, name.find('.'))); table != lines.end())
                h = &table->second, kind = "TABLE";
        } else if (auto found = lines.find(name); found != lines.end()) {
            h = &found->second;
        }
        if (!h) {
            ADD_FAILURE() << t.db << " " << t.step << ": the manifest lacks " << t.kind << " " << name;
            continue;
        }
        EXPECT_EQ(h->kind, kind) << t.db << " " << name;
        EXPECT_TRUE(h->presentBefore(step)) << t.db << " " << t.kind << " " << name << " is not there before step "
                                            << t.step;
    }
}

// A column added by a step comes after the columns its table had before:
// along the columns of a fresh build, the version that put each column in
// its place never goes down. The place is that of the column's own line or,
// without one, of the last statement that made its table.
TEST(ManifestHistory, ColumnPlacesAgreeWithTheirVersions)
{
    const auto manifest = readManifest();
    for (auto [kind, db] : {std::pair{SchemaKind::System, "system"}, std::pair{SchemaKind::DataSet, "dataset"},
                            std::pair{SchemaKind::FileTransfer, "filetransfer"}}) {
        SchemaTestDb built(kind);
        const auto& lines = manifest.at(db);
        vq::db::Transaction tr(built.attachment());
        tr.start();
        vq::db::Statement st(built.attachment(), tr,
            "SELECT TRIM(F.RDB$RELATION_NAME), TRIM(F.RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS F "
            "JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = F.RDB$RELATION_NAME "
            "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 AND R.RDB$VIEW_BLR IS NULL "
            "ORDER BY F.RDB$RELATION_NAME, F.RDB$FIELD_POSITION");
        st.execute();
        std::string table, highestColumn;
        Version highest = kBase;
        while (st.fetch()) {
            const std::string t = st.field(std::size_t{0}).asString(), column = st.field(std::size_t{1}).asString();
            const auto tableLine = lines.find(t);
            ASSERT_NE(tableLine, lines.end()) << db << " " << t;
            if (t != table)
                table = t, highest = kBase, highestColumn.clear();
            Version placed = tableLine->second.lastMade();
            if (auto own = lines.find(t + "." + column); own != lines.end())
                placed = std::max(placed, own->second.since);
            EXPECT_GE(placed, highest) << db << " " << t << "." << column << " stands after " << highestColumn
                                       << ", which came later";
            if (placed > highest)
                highest = placed, highestColumn = column;
        }
        tr.commit();
    }
}
