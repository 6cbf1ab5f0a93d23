#pragma once
// A database built from schema/ and a few one-line helpers to change and
// read it through the Firebird wrapper, for the tests of the DDL.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "SchemaDatabase.h"
#include "TempDir.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::test {

class SchemaTestDb {
public:
    explicit SchemaTestDb(SchemaKind kind)
        : file_(dir_ / fileName(kind))
    {
        buildDatabase(kind, file_);
        db_.attach({file_.string(), "SYSDBA", ""});
    }
    // A base database with sample rows, or one standing in for a later
    // version (BaseSamples::at).
    SchemaTestDb(SchemaKind kind, const BaseSamples& samples)
        : file_(dir_ / fileName(kind))
    {
        buildBaseDatabase(kind, file_, samples);
        db_.attach({file_.string(), "SYSDBA", ""});
    }

    static const char* fileName(SchemaKind kind)
    {
        switch (kind) {
        case SchemaKind::System:
        case SchemaKind::SystemBase: return "vqaccdef.fdb";
        case SchemaKind::DataSet:
        case SchemaKind::DataSetBase: return "vqacc.fdb";
        case SchemaKind::FileTransfer: return "vqfileman.fdb";
        }
        return "vqacc.fdb";
    }

    const std::filesystem::path& file() const { return file_; }
    db::Attachment& attachment() { return db_; }

    // Each statement in its own committed transaction, as a program would.
    void exec(std::initializer_list<std::string_view> statements)
    {
        for (auto sql : statements) {
            db::Transaction tr(db_);
            tr.start();
            db::Statement st(db_, tr, sql);
            st.execute();
            tr.commit();
        }
    }

    // The first column of the first row (0 when there is no row).
    std::int64_t integer(std::string_view sql) { return first(sql, [](db::Field f) { return f.asInt64(); }); }
    db::Currency money(std::string_view sql) { return first(sql, [](db::Field f) { return f.asCurrency(); }); }
    std::string text(std::string_view sql) { return first(sql, [](db::Field f) { return f.asString(); }); }

private:
    template <typename Read>
    auto first(std::string_view sql, Read read) -> decltype(read(std::declval<db::Field>()))
    {
        db::Transaction tr(db_);
        tr.start();
        db::Statement st(db_, tr, sql);
        st.execute();
        decltype(read(std::declval<db::Field>())) value{};
        if (st.fetch())
            value = read(st.field(std::size_t{0}));
        tr.commit();
        return value;
    }

    TempDir dir_;
    std::filesystem::path file_;
    db::Attachment db_;
};

// Yen as the wrapper's money.
constexpr db::Currency yen(std::int64_t amount) { return amount * db::kCurrencyOne; }

} // namespace vq::test
