// The databases at their first release, as schema/build-database makes them
// from the manifest and the old forms: every object an update step drops or
// alters by name is there before the first step, as the kind of object the
// step's statement expects, and nothing that a step brings is there yet.
#include <gtest/gtest.h>

#include "../schema/SchemaMetadata.h"
#include "UpdateHistory.h"

using namespace vq::test;
using namespace vq::test::manifest;

namespace {

struct Base {
    SchemaKind kind;
    const char* db;
};
constexpr Base kBases[] = {{SchemaKind::SystemBase, "system"}, {SchemaKind::DataSetBase, "dataset"}};

// The kind the base holds name as, or "" when it lacks it.
std::string kindInBase(const Metadata& meta, const std::string& kind, const std::string& name)
{
    if (kind == "COLUMN")
        return meta.columns.count(name) ? "COLUMN" : "";
    if (kind == "CONSTRAINT")
        return meta.constraints.count(name) ? "CONSTRAINT" : "";
    const auto found = meta.objects.find(name);
    return found == meta.objects.end() ? "" : found->second;
}

} // namespace

TEST(BaseDatabase, EveryObjectAStepDropsOrAltersIsThereAsTheKindItsStatementExpects)
{
    const auto manifest = readManifest();
    for (const Base& base : kBases) {
        SchemaTestDb db(base.kind);
        const auto meta = readMetadata(db);
        const auto& lines = manifest.at(base.db);
        for (const Target& t : kTargets) {
            if (std::string(t.db) != base.db)
                continue;
            const std::string name = t.name;
            // A column without a line of its own came with its table.
            auto line = lines.find(name);
            if (line == lines.end() && std::string(t.kind) == "COLUMN")
                line = lines.find(name.substr(0, name.find('.')));
            ASSERT_NE(line, lines.end()) << name;
            if (line->second.since == kBase)
                EXPECT_EQ(kindInBase(meta, t.kind, name), t.kind) << base.db << " base, for step " << t.step;
            else
                EXPECT_EQ(kindInBase(meta, t.kind, name), "") << base.db << " base has " << name
                                                              << ", which a step makes";
        }
    }
}

// The manifest read the other way: an object or column is in the base
// exactly when its line says "base"; the base has nothing the manifest
// does not list.
TEST(BaseDatabase, HoldsWhatTheManifestDatesBaseAndNothingLater)
{
    const auto manifest = readManifest();
    for (const Base& base : kBases) {
        SchemaTestDb db(base.kind);
        const auto meta = readMetadata(db);
        const auto& lines = manifest.at(base.db);
        for (const auto& [name, h] : lines) {
            const std::string found = kindInBase(meta, h.kind, name);
            if (h.since == kBase)
                EXPECT_EQ(found, h.kind) << base.db << " base lacks " << name;
            else
                EXPECT_EQ(found, "") << base.db << " base has " << name << ", which a step makes";
        }
        for (const auto& [name, kind] : meta.objects)
            EXPECT_TRUE(lines.count(name)) << base.db << " base has " << kind << " " << name
                                           << ", which the manifest lacks";
        for (const auto& column : meta.columns) {
            const std::string table = column.substr(0, column.find('.'));
            const auto own = lines.find(column);
            EXPECT_TRUE(own == lines.end() || own->second.since == kBase) << column;
            EXPECT_TRUE(lines.count(table)) << column;
        }
    }
}

TEST(BaseDatabase, StartsAtTheFirstVersionReadyForTheFirstSteps)
{
    SchemaTestDb system(SchemaKind::SystemBase);
    EXPECT_EQ(system.integer("SELECT COUNT(*) FROM VERSION"), 1);
    EXPECT_EQ(system.text("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM VERSION"), "0.3.0");
    // The system user comes with a step, written without a column list.
    EXPECT_EQ(system.integer("SELECT COUNT(*) FROM OPERATOR"), 0);
    system.exec({"INSERT INTO OPERATOR VALUES (10000, 1, 'X', 9, '1', '', 0, 0, 0)"});
    // The steps add code-system slots 11 to 20.
    EXPECT_EQ(system.integer("SELECT MAX(RECNO) FROM USERCODE"), 10);

    SchemaTestDb dataSet(SchemaKind::DataSetBase);
    EXPECT_EQ(dataSet.text("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1"), "0.1.0");
    EXPECT_EQ(dataSet.integer("SELECT COUNT(*) FROM ACCVERSION"), 1);
}

// A database standing in for a later version holds what the manifest gives
// that version, and at the last version what a fresh build holds.
TEST(BaseDatabase, AStandInForALaterVersionHoldsWhatTheManifestGivesIt)
{
    const auto manifest = readManifest();
    struct Case {
        SchemaKind kind;
        const char* db;
        const char* kindName;
        const char* at;
        Version next;   // the first step after it
        SchemaKind fresh;
    } cases[] = {{SchemaKind::DataSetBase, "dataset", "corporation", "2.0.4", {2, 0, 5}, SchemaKind::DataSet},
                 {SchemaKind::DataSetBase, "dataset", "medical", "14.0.0", {14, 0, 1}, SchemaKind::DataSet},
                 {SchemaKind::SystemBase, "system", "", "7.0.4", {7, 0, 5}, SchemaKind::System},
                 {SchemaKind::SystemBase, "system", "", "12.0.0", {12, 0, 1}, SchemaKind::System}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.db) + " at " + c.at);
        SchemaTestDb db(c.kind, {c.kindName, 0, c.at});
        const auto meta = readMetadata(db);
        for (const auto& [name, h] : manifest.at(c.db)) {
            if (h.kind == "CONSTRAINT")
                continue;   // named only where a step drops it
            EXPECT_EQ(kindInBase(meta, h.kind, name), h.presentBefore(c.next) ? h.kind : "") << name;
        }
        const std::string table = c.fresh == SchemaKind::System ? "VERSION" : "ACCVERSION";
        EXPECT_EQ(db.text("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM " + table + " WHERE REC = 1"), c.at);
        if (c.next > Version{12, 0, 0} && (c.fresh == SchemaKind::System || c.next > Version{14, 0, 0})) {
            SchemaTestDb fresh(c.fresh);
            const auto freshMeta = readMetadata(fresh);
            EXPECT_EQ(meta.objects, freshMeta.objects);
            EXPECT_EQ(meta.columns, freshMeta.columns);
        }
    }
}
