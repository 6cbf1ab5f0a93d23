#pragma once
// What the data-set screens need of the data communication around cloud
// share: bringing a cloud-shared data set up to date, sending it back,
// releasing its slot and its settings screen. The communication subsystem
// fills this in by installing its own implementation; until it does, every
// entry point answers "not available" (the failure value of each call), so
// a cloud-shared data set is refused rather than used out of date.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vq {

class TCloudShareComm {
public:
    virtual ~TCloudShareComm() = default;
    // 0 done, 1 failed.
    virtual std::int32_t CloudShareReceive(const std::string& folder, std::int32_t automatic, std::int32_t mode);
    virtual std::int32_t CloudShareSend(const std::string& folder, const std::string& secondPath,
                                        std::int32_t automatic);
    virtual std::int32_t CloudShareReceiveTo(const std::string& folder, std::int32_t automatic);
    virtual std::int32_t ReleaseCloudShare(const std::string& folder);
    // 0 saved, 9 closed without saving or not opened, 1 a blank folder.
    // Afterwards SlotChosen (0 or less for none) and SettingsSaved tell the
    // result, and NeedUpload whether the slot taken holds no data yet, so
    // that the data set must be sent to fill it.
    virtual std::int32_t ShowCloudShareSettings(const std::string& folder);

    std::int32_t SlotChosen = 0;
    bool SettingsSaved = false;
    bool NeedUpload = false;
};

// The message the stand-in shows.
inline constexpr const char* CloudShareNotAvailable = "クラウドシェアは現在ご利用いただけません。";

// A new communication object for a screen: the installed one, else the stand-in.
std::unique_ptr<TCloudShareComm> NewCloudShareComm();
using CloudShareCommFactory = std::function<std::unique_ptr<TCloudShareComm>()>;
// Returns the previous factory; an empty one restores the stand-in.
CloudShareCommFactory SetCloudShareCommFactory(CloudShareCommFactory factory);

} // namespace vq
