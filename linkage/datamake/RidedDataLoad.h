#pragma once
// The base of the linkage data makers. A maker that reads the data set on
// its own gets a read-committed, no-wait transaction on the open data set's
// database and three statements in it; the income-tax maker reads through
// its statement reader instead and leaves them unused. The maker owns them,
// so nothing of one export outlives it.
#include <array>
#include <memory>

#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::linkage {

class TRidedDataLoad {
public:
    // Binds to the data module's data-set database when a data module exists;
    // without one (a maker fed with statements directly) there is nothing to
    // bind and Transaction stays empty.
    TRidedDataLoad();
    virtual ~TRidedDataLoad();
    TRidedDataLoad(const TRidedDataLoad&) = delete;
    TRidedDataLoad& operator=(const TRidedDataLoad&) = delete;

    std::unique_ptr<db::Transaction> Transaction;
    std::array<std::unique_ptr<db::Statement>, 3> Queries;
};

} // namespace vq::linkage
