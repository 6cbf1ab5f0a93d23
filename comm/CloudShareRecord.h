#pragma once
// The communication values of one data set, read from that data set's own
// database (ACCDEF1 row 1), whichever data set the program has open: the
// cloud slot, the communication ID and password, the cloud time and the name.
#include <cstdint>
#include <string>

namespace vq::comm {

struct TCloudShareRecord {
    std::int32_t CLOUD_LINE = 0;   // 1..10, 0 none
    std::string WEB_HOLDER;        // communication ID
    std::string PASWORD;           // communication password
    double CLOUD_TIME = 0;
    std::string ENTTEXT;
};

// Reads the record of the data set in folder through a connection of its own
// (host: the database host, empty for the settings' host). A data set older
// than the cloud share (no CLOUD_LINE column) reads as no slot. Throws
// db::DbError when the database cannot be read.
TCloudShareRecord ReadCloudShareRecord(const std::string& host, const std::string& folder);

} // namespace vq::comm
