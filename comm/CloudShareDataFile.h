#pragma once
// The small reads and writes of a cloud-share transfer on the data set of a
// folder, each through a connection of its own (never the data module's open
// data set): its data version, its cloud time and its consolidation setting.
// Data sets older than 11.0.1 have no cloud columns; the cloud time is then
// left alone and the call still succeeds. Database errors are reported
// ("Cloud_Time", "ACCREG") and give false.
#include <cstdint>
#include <string>

namespace vq::comm {

struct TDataVersion {
    std::int32_t Major = 0;
    std::int32_t Minor1 = 0;
    std::int32_t Minor2 = 0;
    // 11.0.1 or later: the data set has CLOUD_LINE and CLOUD_TIME.
    bool HasCloudColumns() const;
};

// The consolidation kind ("0", "1", "2", "10") and count of ACCREG
// "基本設定"; empty texts when the rows are missing.
struct TGassanSetting {
    std::string Kubun;
    std::string Count;
};

// host: the database host, empty for the settings' host.
bool ReadDataVersion(const std::string& host, const std::string& folder, TDataVersion& version);
bool SaveCloudTime(const std::string& host, const std::string& folder, double time);
// The same on the data module's connection when it holds folder's data set
// (no second connection while a transfer has it open), else on its own.
bool SaveCloudTimeOnOpenDataSet(const std::string& folder, double time);
bool ReadGassanSetting(const std::string& host, const std::string& folder, TGassanSetting& setting);
bool WriteGassanSetting(const std::string& host, const std::string& folder, const TGassanSetting& setting);

} // namespace vq::comm
