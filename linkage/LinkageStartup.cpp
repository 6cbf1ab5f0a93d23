#include "linkage/LinkageStartup.h"

#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/data/DataModule.h"
#include "platform/Interaction.h"
#include "ui/StartupSettings.h"

#include <memory>
#include <stdexcept>
#include <system_error>

namespace vq::linkage {

namespace {

std::unique_ptr<TDM>& dataModule()
{
    static std::unique_ptr<TDM> module;
    return module;
}

} // namespace

std::string StartupFailureMessage()
{
    return std::string("アプリケーションの初期化に失敗しました。\r") + kComponentName + "を終了します。";
}

void CopyAppInfoSettings()
{
    ApplyAppInfo(AppInfo);
}

void LoadLocalSettings(const ScreenMetrics& metrics, const FontDesc& formFont)
{
    TSystemDef& d = SystemDef;
    d.AppTitle.clear();
    ProductKind = 0;
    d.MenuHeight = metrics.menuHeight;
    d.CaptionHeight = metrics.captionHeight;
    d.FrameHeight = metrics.frameHeight;
    d.MetricReserved = 0;
    d.FrameExtra = metrics.frameHeight > 4 ? (metrics.frameHeight - 4) * 2 : 0;
    d.LoginUserName = platform::interaction().userName();
    d.ComputerName = platform::interaction().computerName();
    // The folders that cannot be made show up below, when the settings file
    // cannot be written into them.
    InitSystemFolders(d);
    d.DataDir.clear();
    d.BaseFont = formFont;
    d.UserFont = formFont;
    try {
        ui::LoadLocalSettings(kComponentName);
    } catch (const std::system_error&) {
        // A settings file that cannot be read has no text of its own.
        throw std::runtime_error(StartupFailureMessage());
    }
}

FontDesc StartupFormFont()
{
    FontDesc font;
    font.name = "ＭＳ Ｐゴシック";
    font.height = 13;
    font.charSet = 128;
    return font;
}

std::string StartUpWithoutWizard(const std::filesystem::path& programFile)
{
    const std::int32_t read = ReadAppInfo(programFile, AppInfo);
    if (read != AppInfoRead)
        return AppInfoFailureMessage(read);
    CopyAppInfoSettings();
    try {
        LoadLocalSettings(ScreenMetrics{}, StartupFormFont());
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return {};
}

TDM& CreateDataModule()
{
    auto& module = dataModule();
    if (!module)
        module = std::make_unique<TDM>();
    return *module;
}

void ReleaseDataModule()
{
    dataModule().reset();
}

} // namespace vq::linkage
