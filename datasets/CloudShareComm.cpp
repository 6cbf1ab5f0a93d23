#include "datasets/CloudShareComm.h"

#include "platform/Interaction.h"

namespace vq {

namespace {

CloudShareCommFactory& factory()
{
    static CloudShareCommFactory f;
    return f;
}

std::int32_t notAvailable(std::int32_t result)
{
    platform::showMessage(CloudShareNotAvailable, platform::MessageKind::Information);
    return result;
}

} // namespace

std::int32_t TCloudShareComm::CloudShareReceive(const std::string&, std::int32_t, std::int32_t)
{
    return notAvailable(1);
}

std::int32_t TCloudShareComm::CloudShareSend(const std::string&, const std::string&, std::int32_t)
{
    return notAvailable(1);
}

std::int32_t TCloudShareComm::CloudShareReceiveTo(const std::string&, std::int32_t)
{
    return notAvailable(1);
}

std::int32_t TCloudShareComm::ReleaseCloudShare(const std::string&)
{
    return notAvailable(1);
}

std::int32_t TCloudShareComm::ShowCloudShareSettings(const std::string& folder)
{
    SlotChosen = 0;
    SettingsSaved = false;
    if (folder.find_first_not_of(' ') == std::string::npos)
        return 1;
    return notAvailable(9);
}

std::unique_ptr<TCloudShareComm> NewCloudShareComm()
{
    if (factory())
        if (auto comm = factory()())
            return comm;
    return std::make_unique<TCloudShareComm>();
}

CloudShareCommFactory SetCloudShareCommFactory(CloudShareCommFactory f)
{
    CloudShareCommFactory previous = std::move(factory());
    factory() = std::move(f);
    return previous;
}

} // namespace vq
