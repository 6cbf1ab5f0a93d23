#include "linkage/ComDataExport.h"

#include "foundation/app/AccConstants.h"
#include "linkage/InstalledProduct.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"

#include <cstdio>
#include <system_error>

namespace vq::linkage {

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kProductMajor = 14;
constexpr std::int32_t kProductMinor = 0;
constexpr std::int32_t kRequiredRevision = 0;

constexpr const char* kSettingsFile = "Ovidal.ini";

std::string versionText(std::int32_t major, std::int32_t minor, std::int32_t revision)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d.%d.%d", static_cast<int>(major), static_cast<int>(minor),
                  static_cast<int>(revision));
    return buf;
}

} // namespace

TComDataExport::TComDataExport(std::int32_t functionId, const std::string& exportFile)
{
    const fs::path iniFolder = platform::folders::commonAppData() / BaseFolder / "ini";
    IniFolder = iniFolder.lexically_normal().string();
    std::error_code ec;
    // A folder that cannot be made shows up when the settings are saved.
    fs::create_directories(iniFolder, ec);

    ReadInstalledProductValue(kProductMajor, kProductMinor, "Product", ProgramName);
    ReadInstalledProductValue(kProductMajor, kProductMinor, "Version", ProgramVer);

    RequiredVersion = versionText(kProductMajor, kProductMinor, kRequiredRevision);
    TargetName = "所得税のOvidal";
    WindowTitle = TargetName + " from " + ProgramName;
    ConnectedProgramVer = "14.0.0";
    LinkageKind = "QX";
    RawFunctionId = functionId;
    GyoumuPrefix = "QX14";
    FormatVersion = 1;
    FunctionId = functionId == 0 ? 1 : functionId;

    // The selection asks for individual data sets of the product's major version.
    SelectionMode = LinkageKind.find("QX") != std::string::npos ? 2 : 1;
    VersionMajor = std::to_string(kProductMajor);

    ExportFile = exportFile;
    LoadIni();
}

fs::path TComDataExport::IniFileName() const
{
    return fs::path(IniFolder) / kSettingsFile;
}

std::string TComDataExport::IniSection() const
{
    if (LinkageKind == "QX_G")
        return "SYOTOKUZEI_G";
    return "SYOTOKUZEI";
}

void TComDataExport::LoadIni()
{
    const platform::IniFile ini(IniFileName());
    const std::string section = IniSection();
    IniData = ini.readString(section, "DATA");
    KomonsakiName = ini.readString(section, "KOMONSAKI");
    // A caller names the output file itself; the remembered one is only the
    // stand-alone default.
    if (RawFunctionId == 0)
        ExportFile = ini.readString(section, "EXPORTFILE");
}

void TComDataExport::SaveIni()
{
    std::error_code ec;
    fs::create_directories(IniFolder, ec);
    platform::IniFile ini(IniFileName());
    const std::string section = IniSection();
    ini.writeString(section, "DATA", IniData);
    ini.writeString(section, "KOMONSAKI", KomonsakiName);
    if (RawFunctionId == 0)
        ini.writeString(section, "EXPORTFILE", ExportFile);
}

} // namespace vq::linkage
