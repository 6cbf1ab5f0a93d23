#pragma once
// Holds a database for the update run alone: from the moment the run found
// it unused until the run ends, the database is shut down to one attachment
// at a time of its owner (the run's own steps, backup and restore attach one
// after another), so no other program can attach between the in-use test
// and the steps. The database comes back online when the hold ends, on every
// path.
#include <cstdint>
#include <string>

namespace vq {

class TExclusiveHold {
public:
    // mode 0 the system database, 1 the open data set's. Throws
    // std::runtime_error (changing nothing) when the database cannot be held,
    // for instance because somebody attached to it meanwhile.
    explicit TExclusiveHold(std::uint8_t mode);
    ~TExclusiveHold();
    TExclusiveHold(const TExclusiveHold&) = delete;
    TExclusiveHold& operator=(const TExclusiveHold&) = delete;

    // The database file as the database server sees it.
    static std::string DatabaseFile(std::uint8_t mode);

private:
    std::string host_;
    std::string file_;
};

} // namespace vq
