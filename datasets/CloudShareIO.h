#pragma once
// The cloud-share line of a data set: column CLOUD_LINE of the company row
// (ACCDEF1 REC 1) of the data set's own database, 0 when not cloud-shared,
// repeated stand-alone as the flag DATAINFO/CLOUD_SHARE of its info file.
// Works on a data set that may or may not be open: a closed one is connected
// for the call and closed again. Data sets of version 11.0.0 and older have
// no such column and are left alone.
//
// The object has a transaction of its own on the data-set database, so the
// flag is committed apart from the data module's work.
#include <cstdint>
#include <string>

#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

class TCloudShareIO {
public:
    TCloudShareIO();
    ~TCloudShareIO();
    TCloudShareIO(const TCloudShareIO&) = delete;
    TCloudShareIO& operator=(const TCloudShareIO&) = delete;

    bool SetSetting(const std::string& host, const std::string& folder, std::int32_t value);
    bool ClearSetting(const std::string& host, const std::string& folder);
    // The data set's CLOUD_LINE; 0 when it has none or on an error.
    std::int32_t GetSetting(const std::string& host, const std::string& folder);

private:
    template <class Work>
    bool Run(const std::string& host, const std::string& folder, const char* msg, Work&& work);

    db::Transaction Transaction;
    db::Statement Sql1;
    db::Statement Sql2;
};

} // namespace vq
