#pragma once
// The metadata of one database as a canonical text, and the difference of
// two such texts: the test that an updated database has the same schema as
// a freshly built one, and tools/schema-diff for a person to look.
//
// The text is a list of blocks, one per object, sorted by their head line
// ("TABLE KAMOKUMST", "PROCEDURE SP_X", "PRIVILEGES ON OPERATOR" ...). A
// table's block holds its columns in their order, then its constraints and
// indexes; a routine's or trigger's block holds its source line by line.
// What does not change the schema is left out: the current value of a
// generator, the engine's own numbering of unnamed constraints and their
// indexes (INTEG_n, RDB$PRIMARYn, RDB$FOREIGNn: described by definition
// only), the layout of whitespace in sources, and every row.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vq::db {
class Attachment;
}

namespace vq {

class SchemaText {
public:
    // head line -> the block's further lines
    using Blocks = std::map<std::string, std::vector<std::string>>;

    // Reads the metadata of an attached database in a read-only snapshot.
    // Throws db::DbError.
    static SchemaText read(db::Attachment& db);
    // Attaches to a database file (as SYSDBA, who sees every object), reads
    // it and detaches.
    static SchemaText readFile(const std::filesystem::path& file);

    const Blocks& blocks() const { return blocks_; }
    // Every block: its head, then its lines indented by two blanks.
    std::string text() const;
    // Empty when both describe the same schema. Otherwise, for each block
    // that differs: a block only here as "- " lines, one only in other as
    // "+ " lines, one in both as its head followed by the lines removed
    // ("- ") and added ("+ ") to turn this block into other's.
    std::string differenceTo(const SchemaText& other) const;

    void add(const std::string& head, std::string line) { blocks_[head].push_back(std::move(line)); }
    void touch(const std::string& head) { blocks_[head]; }

private:
    Blocks blocks_;
};

} // namespace vq
